// The window as a person uses it, with real key and mouse events: Enter on
// buttons, the page keys, the address control typed into, limits while
// typing, the fixed frame and its button gaps, and what a screen reader hears.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <map>

#include "tests/ui/UiTestSupport.h"
#include "ui/CConfigTabCtrl.h"
#include "ui/CConfiguratorDlg.h"
#include "ui/CIpAddressCtrl.h"
#include "ui/CMailDlg.h"
#include "ui/CNTPDlg.h"
#include "ui/CSNMPDlg.h"

namespace qx::test {
namespace {

QWidget* Focused() {
  return QApplication::focusWidget();
}

// Sends each key to whatever has the focus at that moment, as a keyboard does.
// '<' is Backspace, 'L' Left, 'R' Right, 'D' Delete, 'V' Ctrl+V; anything else is typed.
void Type(const char* keys) {
  const std::map<char, std::pair<Qt::Key, Qt::KeyboardModifiers>> named = {
      {'<', {Qt::Key_Backspace, {}}},
      {'L', {Qt::Key_Left, {}}},
      {'R', {Qt::Key_Right, {}}},
      {'D', {Qt::Key_Delete, {}}},
      {'V', {Qt::Key_V, Qt::ControlModifier}}};
  for (const char* k = keys; *k; ++k) {
    if (const auto it = named.find(*k); it != named.end()) {
      QTest::keyClick(Focused(), it->second.first, it->second.second);
    } else {
      QTest::keyClick(Focused(), *k);
    }
  }
}

using WindowKeys = SessionTest;

// Enter presses the focused button, a page's own (New) too; from any other
// control it presses OK.
TEST_F(WindowKeys, EnterPressesTheFocusedButtonAndOkFromEverythingElse) {
  struct Case {
    int page;
    const char* focus;
    QDialog::DialogCode result;  // Rejected also while the window stays open
    bool open;
    bool written;
    std::vector<std::string> transfers;
    int items = 0;
  } cases[] = {
      {0, "cancelButton", QDialog::Rejected, false, false, {}},
      {0, "uploadButton", QDialog::Rejected, true, false, {"open 8895", "upload 3 7 1 4", "close 3"}},
      {0, "defaultButton", QDialog::Rejected, true, false, {}},
      {0, "newButton", QDialog::Rejected, true, false, {}, 1},
      {1, "timeZoneComboBox", QDialog::Accepted, false, true, {}},
      {2, "communityEdit1", QDialog::Accepted, false, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.focus);
    WriteFile(Path("project.qx1"), "[SLOT13]\r\n");
    transfers.calls.clear();
    record.SetItemCount(0);
    CConfiguratorDlg window(context);
    ShowActive(window);
    window.Tabs()->SetActivePage(c.page);
    QWidget* target = Child<QWidget>(&window, c.focus);
    target->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(Focused(), target);
    QTest::keyClick(target, Qt::Key_Return);
    EXPECT_EQ(window.result(), c.result);
    EXPECT_EQ(window.isVisible(), c.open);
    EXPECT_EQ(ReadFile(Path("project.qx1")) != "[SLOT13]\r\n", c.written);
    EXPECT_EQ(transfers.calls, c.transfers);
    EXPECT_EQ(record.ItemCount(), c.items);
  }
}

// The page keys turn the window's pages from its buttons and from a list,
// which keeps Tab for itself; inside the e-mail page its own tab control
// answers them for its sub-pages.
TEST_F(WindowKeys, PageKeysReachEveryPageFromAnywhereInTheWindow) {
  CConfiguratorDlg window(context);
  ShowActive(window);
  struct Step {
    const char* from;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int page;
    const char* focus;  // the first control of the page shown, when it has one
  } steps[] = {
      {"itemList", Qt::Key_Tab, Qt::ControlModifier, 1, "clientEnableCheckBox"},
      {"uploadButton", Qt::Key_Tab, Qt::ControlModifier, 2, "communityEdit1"},
      {"uploadButton", Qt::Key_PageDown, Qt::ControlModifier, 3, nullptr},
      {"uploadButton", Qt::Key_Tab, Qt::ControlModifier, 0, nullptr},  // round to the first
      {"uploadButton", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 3, nullptr},
      {"portEdit", Qt::Key_Tab, Qt::ControlModifier, 3, "triggerList"},  // to the next e-mail sub-page
      {"uploadButton", Qt::Key_PageUp, Qt::ControlModifier, 2, "communityEdit1"},
      {"uploadButton", Qt::Key_PageUp, Qt::ControlModifier, 1, "clientEnableCheckBox"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.page);
    Child<QWidget>(&window, s.from)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Focused(), s.key, s.modifiers);
    EXPECT_EQ(window.Tabs()->GetActivePage(), s.page);
    EXPECT_EQ(window.Tabs()->TabBar()->currentIndex(), s.page);
    EXPECT_TRUE(window.Tabs()->GetPage(s.page)->isVisible());
    if (s.focus) {
      EXPECT_EQ(Focused()->objectName(), s.focus);
    }
  }
  EXPECT_EQ(Child<CMailDlg>(&window, "mailPage")->Tabs()->GetActivePage(), 1);
}

TEST_F(WindowKeys, ButtonsKeepTheirGapsAndTheFrameHasAFixedSize) {
  CConfiguratorDlg window(context);
  ShowActive(window);
  auto button = [&window](const char* name) { return window.findChild<QPushButton*>(name)->geometry(); };
  EXPECT_GT(button("downloadButton").top(), button("uploadButton").bottom() + 1);
  EXPECT_GT(button("exportButton").top(), button("importButton").bottom() + 1);
  EXPECT_GT(button("cancelButton").left(), button("okButton").right() + 1);
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  const QSize size = window.size();
  window.resize(size + QSize(120, 80));
  EXPECT_EQ(window.size(), size);
  EXPECT_TRUE(window.isModal());
}

// The address control typed into as a person types, after tabbing into it.
class AddressTyping : public ::testing::Test {
 protected:
  AddressTyping() {
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(before);
    layout->addWidget(address);
    layout->addWidget(after);
    form.show();
  }
  void EnterFromBefore() {
    before->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(before, Qt::Key_Tab);
  }

  QWidget form;
  QLineEdit* before = new QLineEdit(&form);
  CIpAddressCtrl* address = new CIpAddressCtrl(&form);
  QLineEdit* after = new QLineEdit(&form);
};

TEST_F(AddressTyping, TypedAndPastedAddressesLandInTheirFields) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  struct Case {
    uint32_t shown;
    const char* clipboard;
    const char* keys;
    const char* stored;
  } cases[] = {
      {0, "", "192.168.1.10", "192.168.1.10"},
      {0x0A141E28, "", "1.2.3.4", "1.2.3.4"},  // over 10.20.30.40
      {0, "", "300.1.1.1", "255.1.1.1"},
      {0, "", "1.2<<5", "15.0.0.0"},             // Backspace at the start of a field goes back
      {0x0A141E28, "", "RRDL1", "101.0.30.40"},  // Right and Left cross fields
      {0, "192.168.1.10", "V", "192.168.1.10"},
      {0, " 10.1.2.3\n", "V", "10.1.2.3"},
      {0x01020304, "7.8", "..V", "1.2.7.8"},  // a part of an address fills from the current field on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    address->SetAddress(c.shown);
    QGuiApplication::clipboard()->setText(QString::fromLatin1(c.clipboard));
    EnterFromBefore();
    ASSERT_EQ(Focused(), address->Field(0));
    Type(c.keys);
    const uint32_t a = address->GetAddress();
    EXPECT_EQ(
        QStringLiteral("%1.%2.%3.%4").arg(a >> 24).arg((a >> 16) & 0xFF).arg((a >> 8) & 0xFF).arg(a & 0xFF),
        QString::fromLatin1(c.stored));
  }
}

TEST_F(AddressTyping, TheWholeControlIsOneTabStop) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EnterFromBefore();
  Type("1.2.");
  EXPECT_EQ(Focused(), address->Field(2));
  QTest::keyClick(Focused(), Qt::Key_Tab);
  EXPECT_EQ(Focused(), after);
  QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Focused(), address->Field(0));
  address->Field(3)->setFocus(Qt::MouseFocusReason);  // a click into the last field
  QTest::keyClick(Focused(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Focused(), before);
}

// A record text longer than its edit's limit is shown cut to the limit, so
// that it stays editable (typing at the limit: the field helpers' tests).
TEST_F(SessionTest, LongRecordTextsAreShownCutToTheirEditsLimit) {
  record.SetCommunity(4, std::string(64, 'x'));
  record.SetNtpUpdateCycle(12345);
  CSNMPDlg snmp(context);
  CNTPDlg ntp(context);
  EXPECT_EQ(Child(&snmp, "communityEdit4")->text(), QString(62, 'x'));
  EXPECT_EQ(Child(&ntp, "updateCycleEdit")->text(), "1234");
}

// The name of each control a screen reader reaches, in focus order. Qt on
// Linux reports a drop-down list's shown item as its name and announces the
// list by its label relation or accessible name, so for lists that is taken.
QStringList HeardNames(QWidget* page) {
  QStringList names;
  for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
    if (!page->isAncestorOf(w) || w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(page)) continue;
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(w);
    names << (qobject_cast<QComboBox*>(w) ? w->accessibleName() : control->text(QAccessible::Name));
  }
  return names;
}

TEST_F(SessionTest, AScreenReaderHearsEachControlByItsLabel) {
  CNTPDlg ntp(context);
  CSNMPDlg snmp(context);
  const QString server = "NTP Server";
  EXPECT_EQ(HeardNames(&ntp), QStringList({"NTP Client Service Enable", server, server, server, server,
                                           "Update Cycle ( min. )", "NTP Server Service Enable", "Time Zone",
                                           "Daylight Saving Time", "Start Date, month", "Start Date, day",
                                           "End Date, month", "End Date, day", "Time"}));
  EXPECT_EQ(HeardNames(&snmp), QStringList({"Community 1", "Access Type 1", "Community 2", "Access Type 2",
                                            "Community 3", "Access Type 3", "Community 4", "Access Type 4"}));
}

// The enable rules follow the check state however it changes: here by the
// toggle action a screen reader offers.
TEST_F(SessionTest, EnableRulesFollowTheAccessibleToggleAction) {
  record.SetNtpClientEnable(0);
  record.SetDstEnable(0);
  CNTPDlg ntp(context);
  struct Case {
    const char* box;
    const char* ruled;
  } cases[] = {{"clientEnableCheckBox", "serverIpAddress"}, {"daylightSavingCheckBox", "startMonthComboBox"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    QWidget* ruled = ntp.findChild<QWidget*>(c.ruled);
    EXPECT_FALSE(ruled->isEnabled());
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(ntp.findChild<QCheckBox*>(c.box));
    ASSERT_TRUE(box && box->actionInterface());
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(ntp.findChild<QCheckBox*>(c.box)->isChecked());
    EXPECT_TRUE(ruled->isEnabled());
  }
}

}  // namespace
}  // namespace qx::test
