// The recipient matrix: boxes ticked by mouse and Space, addresses typed in
// place, and the address checks.
#include "tests/ui/UiTestSupport.h"
#include "ui/CMailPageDlg3.h"

namespace qx::test {
namespace {

class RecipientPageTest : public ShownPageTest<CMailPageDlg3> {
 protected:
  CXListCtrl* Matrix() { return page.List(); }
  // Types an address into row r's cell as a person does: F2, the text, Enter.
  void TypeAddress(int row, const QString& text) {
    Matrix()->setFocus();
    Matrix()->setCurrentCell(row, CMailPageDlg3::kAddressColumn);
    QTest::keyClick(Matrix(), Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_TRUE(editor);
    Type(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the list takes the text after the key
    ASSERT_EQ(Matrix()->GetItemText(row, CMailPageDlg3::kAddressColumn), text);
  }
};

TEST_F(RecipientPageTest, BoxesTickedByMouseOrSpaceBecomeTheTriggersMasks) {
  EXPECT_EQ(Matrix()->horizontalHeaderItem(2)->text(), "Trigger 2");
  EXPECT_EQ(Matrix()->GetItemText(2, 0), "Email 3");
  ClickBox(Matrix(), 0, 2);
  ClickBox(Matrix(), 2, 2);
  Matrix()->setFocus();
  Matrix()->setCurrentCell(7, 8);
  QTest::keyClick(Matrix(), Qt::Key_Space);
  ASSERT_TRUE(page.ValidateAndStore());
  EXPECT_EQ(record.Trigger(2).RecipientMask(), 0x05);
  EXPECT_EQ(record.Trigger(8).RecipientMask(), 0x80);

  record.Trigger(3).SetRecipientMask(0xFF);
  page.LoadFromRecord();
  for (int r = 0; r < 8; ++r) EXPECT_EQ(Matrix()->GetCheckbox(r, 3), CXListCtrl::kChecked) << r;
}

TEST_F(RecipientPageTest, AddressesAreCheckedRowByRowAndStoredUpToTheRejectedOne) {
  struct Case {
    int row;
    QString typed;
    std::vector<std::string> messages;
  } cases[] = {
      {3, "operator.example.net", {"Item4: No @"}},
      {5, "a@" + QString(62, 'b'), {"Item6: Longer than 63"}},
      {5, "a@" + QString(61, 'b'), {}},  // 63 characters
  };
  TypeAddress(0, "ops@example.net");
  TypeAddress(1, "");
  TypeAddress(2, "night@example.net");
  ClickBox(Matrix(), 1, 4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    ui.messages.clear();
    TypeAddress(c.row, c.typed);
    EXPECT_EQ(page.ValidateAndStore(), c.messages.empty());
    EXPECT_EQ(ui.messages, c.messages);
    EXPECT_EQ(record.Trigger(4).RecipientMask(), 0x02);  // triggers up to the row's own are stored
    EXPECT_EQ(record.RecipientAddress(1), "ops@example.net");
    EXPECT_EQ(record.RecipientAddress(3), "night@example.net");
    TypeAddress(c.row, "");
  }
  const uint8_t* second = record.Bytes() + 0x2264 + 64;
  EXPECT_EQ(std::string(second, second + 64), std::string(64, '\0'));
  EXPECT_EQ(record.RecipientAddress(6), "a@" + std::string(61, 'b'));
}

}  // namespace
}  // namespace qx::test
