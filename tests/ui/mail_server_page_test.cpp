// The Mail Server sub-page, typed into as a person does: what it shows of the
// record, the port check, the account rule and the Base64 credentials.
#include <QRadioButton>

#include "tests/ui/UiTestSupport.h"
#include "ui/CIpAddressCtrl.h"
#include "ui/CMailPageDlg1.h"

namespace qx::test {
namespace {

class MailServerPageTest : public ShownPageTest<CMailPageDlg1> {
 protected:
  QLineEdit* Edit(const char* name) { return Find(name); }
  QRadioButton* Radio(const char* name) { return Find<QRadioButton>(name); }
  std::string Field(std::size_t offset, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(record.Bytes()) + offset, size);
  }
};

TEST_F(MailServerPageTest, PortAbove65535IsRefusedAfterTheServerWasStored) {
  struct Case {
    const char* typed;
    bool accepted;
    uint16_t stored;
  } cases[] = {
      {"65535", true, 65535}, {"0", true, 0}, {"", true, 0}, {"65536", false, 587}, {"99999", false, 587}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    record.SetSmtpPort(587);
    record.SetSmtpServerIp(0);
    page.LoadFromRecord();
    auto* server = page.findChild<CIpAddressCtrl*>("smtpServerAddress");
    QTest::keyClicks(server->Field(0), "10");
    ui.messages.clear();
    Type(Edit("portEdit"), c.typed);
    EXPECT_EQ(page.ValidateAndStore(), c.accepted);
    EXPECT_EQ(record.SmtpPort(), c.stored);
    EXPECT_EQ(record.SmtpServerIp(), 0x0A000000u);
    if (!c.accepted) {
      EXPECT_EQ(ui.messages, std::vector<std::string>{"Port above 65535"});
      EXPECT_EQ(Edit("portEdit")->text(), "25");
      EXPECT_EQ(Edit("portEdit")->selectedText(), "25");
      EXPECT_EQ(QApplication::focusWidget(), Edit("portEdit"));
    }
  }
  Type(Edit("portEdit"), "1234567");  // typing stops at five digits
  EXPECT_EQ(Edit("portEdit")->text(), "12345");
}

TEST_F(MailServerPageTest, DefaultPortButtonFollowsTheLoadAndSetsTwentyFive) {
  const int loaded[][2] = {{25, 1}, {587, 0}};
  for (const auto& c : loaded) {
    record.SetSmtpPort(static_cast<uint16_t>(c[0]));
    page.LoadFromRecord();
    EXPECT_EQ(Radio("defaultPortRadioButton")->isChecked(), c[1] == 1) << c[0];
  }
  Click(Radio("defaultPortRadioButton"));
  EXPECT_EQ(Edit("portEdit")->text(), "25");
  Click(Radio("defaultPortRadioButton"));  // a second click does not clear it
  EXPECT_TRUE(Radio("defaultPortRadioButton")->isChecked());
  Type(Edit("portEdit"), "2525");  // only the next load clears it
  EXPECT_TRUE(Radio("defaultPortRadioButton")->isChecked());
}

// Base64 itself is tried in the config layer's tests; here the page's part:
// the texts as UTF-8 in Base64 at their offsets, whatever the account choice,
// and read back on load.
TEST_F(MailServerPageTest, CredentialsAreStoredInBase64WhateverTheAccountChoice) {
  const QString password = QString::fromUtf8("\xc3\xa9t\xc3\xa9");  // "été"
  Click(Radio("accountYesRadioButton"));
  EXPECT_TRUE(Edit("userNameEdit")->isEnabled());
  Type(Edit("userNameEdit"), QString(20, 'u'));  // typing stops at 16
  EXPECT_EQ(Edit("userNameEdit")->text(), QString(16, 'u'));
  Type(Edit("userNameEdit"), "operator-mail-16");
  Type(Edit("passwordEdit"), password);
  Click(Radio("accountNoRadioButton"));
  EXPECT_FALSE(Edit("userNameEdit")->isEnabled());
  EXPECT_FALSE(Edit("passwordEdit")->isEnabled());
  EXPECT_EQ(Edit("passwordEdit")->echoMode(), QLineEdit::Password);
  ASSERT_TRUE(page.ValidateAndStore());
  EXPECT_EQ(record.AuthRequired(), 0);
  EXPECT_EQ(Field(0x2214, 32), "b3BlcmF0b3ItbWFpbC0xNg==" + std::string(8, '\0'));
  EXPECT_EQ(Field(0x2234, 32), "w6l0w6k=" + std::string(24, '\0'));
  EXPECT_EQ(std::tuple(record.UserNameLength(), record.PasswordLength()), std::tuple(24, 8));
  page.LoadFromRecord();
  EXPECT_EQ(Edit("userNameEdit")->text(), "operator-mail-16");
  EXPECT_EQ(Edit("passwordEdit")->text(), password);
}

TEST_F(MailServerPageTest, SenderAndSubjectKeepTheirLengthsAndOddRecordsLoad) {
  Type(Edit("senderEdit"), QString(70, 's'));
  Type(Edit("subjectEdit"), QString(20, 'j'));
  Click(Radio("accountYesRadioButton"));
  ASSERT_TRUE(page.ValidateAndStore());
  EXPECT_EQ(record.SenderLength(), 63);
  EXPECT_EQ(Field(0x21D4, 64), std::string(63, 's') + '\0');
  EXPECT_EQ(record.SubjectLength(), 14);
  EXPECT_EQ(Field(0x2254, 16), std::string(14, 'j') + std::string(2, '\0'));
  EXPECT_EQ(record.AuthRequired(), 1);

  // An account value of neither button, full text fields, Base64 that is not.
  record.SetAuthRequired(7);
  record.SetSenderAddress(std::string(64, 'x'));
  record.SetUserNameText(std::string(32, '*'));
  record.SetPasswordText("+/+/");
  page.LoadFromRecord();
  EXPECT_FALSE(Radio("accountNoRadioButton")->isChecked());
  EXPECT_FALSE(Radio("accountYesRadioButton")->isChecked());
  EXPECT_TRUE(Edit("userNameEdit")->isEnabled());
  EXPECT_EQ(Edit("senderEdit")->text(), QString(63, 'x'));  // shown cut to the edit's limit
  EXPECT_EQ(Edit("userNameEdit")->text(), "");
  ASSERT_TRUE(page.ValidateAndStore());
  EXPECT_EQ(record.AuthRequired(), 0xFF);
  EXPECT_EQ(record.SenderLength(), 63);
}

TEST_F(MailServerPageTest, FieldsAreNamedAfterTheirLabelsInReadingOrder) {
  auto* server = page.findChild<CIpAddressCtrl*>("smtpServerAddress");
  const std::pair<QWidget*, const char*> named[] = {
      {server->Field(0), "SMTP Server"},           {Edit("portEdit"), "Port"},
      {Edit("senderEdit"), "Local Email Address"}, {Edit("subjectEdit"), "SMTP Subject"},
      {Edit("userNameEdit"), "User Name"},         {Edit("passwordEdit"), "Password"}};
  for (const auto& [widget, name] : named) EXPECT_EQ(widget->accessibleName(), name);

  Click(Radio("accountYesRadioButton"));
  server->Field(3)->setFocus();
  std::vector<QWidget*> order;
  for (int i = 0; i < 6; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order.push_back(QApplication::focusWidget());
  }
  EXPECT_EQ(order, (std::vector<QWidget*>{Edit("portEdit"), Radio("defaultPortRadioButton"),
                                          Edit("senderEdit"), Edit("subjectEdit"),
                                          Radio("accountYesRadioButton"), Edit("userNameEdit")}));
}

}  // namespace
}  // namespace qx::test
