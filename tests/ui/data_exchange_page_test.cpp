// The Data Exchange page as a person uses it: clicking rows selects whole
// items, the buttons follow the selection and the table size, New, Delete,
// Move, Copy and the enable boxes change the record at once, and the list
// shows what the record and the hardware file hold.
#include <QComboBox>
#include <QPushButton>

#include "tests/ui/DataExchTestSupport.h"
#include "ui/CDataExchDlg.h"
#include "ui/CItemEditDlg.h"

namespace qx::test {
namespace {

class PageTest : public DataExchTest {
 protected:
  // The page over the record as it stands, shown.
  CDataExchDlg& Page() {
    page_ = std::make_unique<CDataExchDlg>(context);
    page_->resize(900, 600);
    ShowActive(*page_);
    return *page_;
  }
  QPushButton* Button(const char* name) { return page_->findChild<QPushButton*>(name); }
  CXListCtrl* List() { return page_->List(); }
  // New, Copy, Delete, Move Up, Move Down enabled.
  std::vector<bool> Buttons() {
    std::vector<bool> states;
    for (const char* name : {"newButton", "copyButton", "deleteButton", "moveUpButton", "moveDownButton"})
      states.push_back(Button(name)->isEnabled());
    return states;
  }

  std::unique_ptr<CDataExchDlg> page_;
};

TEST_F(PageTest, ButtonStatesFollowTheSelectionAndTheTableSize) {
  struct Case {
    int items;
    int clickedRow;                           // -1: none
    std::vector<bool> afterLoad, afterClick;  // New, Copy, Delete, Move Up, Move Down
  } cases[] = {
      {0, -1, {true, false, false, false, false}, {}},
      {1, 1, {true, false, false, false, false}, {true, true, true, false, false}},
      {63, 0, {true, false, false, false, false}, {true, true, true, false, true}},
      {63, 63, {true, false, false, false, false}, {true, true, true, true, true}},
      {64, 127, {false, false, false, false, false}, {false, false, true, true, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.items << " items, row " << c.clickedRow);
    Fill(c.items);
    Page();
    EXPECT_EQ(List()->rowCount(), 2 * c.items);
    EXPECT_EQ(Buttons(), c.afterLoad);
    if (c.clickedRow < 0) continue;
    ClickCell(List(), c.clickedRow, 0);
    const int first = c.clickedRow / 2 * 2;
    EXPECT_EQ(SelectedRows(List()), (std::vector<int>{first, first + 1}));
    EXPECT_EQ(Buttons(), c.afterClick);
  }
}

TEST_F(PageTest, NewAddsTheSixtyFourthItemAndThenStops) {
  Fill(63);
  Page();
  QTest::mouseClick(Button("newButton"), Qt::LeftButton);
  EXPECT_EQ(record.ItemCount(), 64);
  EXPECT_EQ(SelectedRows(List()), (std::vector<int>{126, 127}));
  EXPECT_EQ(Buttons(), (std::vector<bool>{false, false, true, true, false}));
  EXPECT_EQ(QApplication::focusWidget(), List());
}

// Delete (key or button) moves the rest up and selects the next item; Move
// and Copy keep the item selected.
TEST_F(PageTest, DeleteMoveAndCopyChangeTheRecordAndKeepASelection) {
  struct Case {
    int row;             // clicked
    const char* button;  // null: the Delete key
    std::vector<int> slaves;
    int selected;
  } cases[] = {{0, nullptr, {2, 3}, 0},
               {3, "deleteButton", {1, 3}, 1},
               {5, nullptr, {1, 2}, 1},
               {2, "moveUpButton", {2, 1, 3}, 0},
               {3, "moveDownButton", {1, 3, 2}, 2},
               {4, "copyButton", {1, 2, 3, 3}, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.row << " " << (c.button ? c.button : "Delete"));
    Fill(3);
    Page();
    ClickCell(List(), c.row, 0);
    if (c.button) {
      QTest::mouseClick(Button(c.button), Qt::LeftButton);
    } else {
      QTest::keyClick(List(), Qt::Key_Delete);
    }
    EXPECT_EQ(Slaves(), c.slaves);
    EXPECT_EQ(SelectedRows(List()), (std::vector<int>{2 * c.selected, 2 * c.selected + 1}));
    EXPECT_EQ(List()->item(2 * c.selected, 2)->text(), QString::number(c.slaves[c.selected]));
  }
  // The only item: an empty list and nothing to act on.
  Fill(1);
  Page();
  ClickCell(List(), 0, 0);
  QTest::keyClick(List(), Qt::Key_Delete);
  EXPECT_EQ(record.ItemCount(), 0);
  EXPECT_EQ(Buttons(), (std::vector<bool>{true, false, false, false, false}));
}

// Space and Ctrl+Space give the same signal as these clicks (the list's own
// test).
TEST_F(PageTest, EnableBoxesAndTheHeaderBoxStoreAtOnce) {
  Fill(2);
  record.Item(3).SetEnabled(2);  // beyond the items in use: never touched
  Page();
  ClickBox(List(), 2, CDataExchDlg::kEnableCol);
  EXPECT_EQ(record.Item(2).Enabled(), 2);
  EXPECT_EQ(record.Item(1).Enabled(), 0);
  ClickBox(List(), 0, CDataExchDlg::kEnableCol);
  EXPECT_EQ(List()->GetHeaderCheckedState(CDataExchDlg::kEnableCol), CXListCtrl::kChecked);
  ClickHeaderBox(List(), CDataExchDlg::kEnableCol);
  EXPECT_EQ(std::vector<int>({record.Item(1).Enabled(), record.Item(2).Enabled(), record.Item(3).Enabled()}),
            std::vector<int>({0, 0, 2}));
  EXPECT_EQ(List()->GetCheckbox(1, CDataExchDlg::kEnableCol), CXListCtrl::kNoCheckbox);  // write rows
}

TEST_F(PageTest, LocalAddressesStartAtTheHardwareFileBases) {
  struct Case {
    std::string readBase, writeBase, projectPath;
    const char *readCell, *writeCell;
  } cases[] = {{"0x1F4", "1f4", Path("project"), "D510", "D505"},
               {"12G4", "", Path("project"), "D28", "D5"},
               {"0x1F4", "0x1F4", "", "D10", "D5"}};  // no project: bases 0
  for (const Case& c : cases) {
    SCOPED_TRACE(c.readBase);
    WriteHardware(c.readBase, "0x200", c.writeBase, "0x200");
    context.projectBasePath = c.projectPath;
    Fill(2);
    Page();
    EXPECT_EQ(List()->item(2, CDataExchDlg::kLocalCol)->text(), c.readCell);
    EXPECT_EQ(List()->item(3, CDataExchDlg::kLocalCol)->text(), c.writeCell);
  }
}

// What a file or an upload may hold: a count above 64, unknown device types
// and kinds, an enable condition outside the list.
TEST_F(PageTest, OutOfRangeRecordValuesShowAsUnknownAndAreKept) {
  Fill(64);
  record.SetItemCount(300);
  record.SetEnableCondition(7);
  record.Item(1).SetDeviceType(9);
  record.Item(2).ReadBlock().SetRemoteKind(40);
  record.Item(3).SetIpAddress(0xC0A8010A);
  Page();
  EXPECT_EQ(List()->rowCount(), 128);
  EXPECT_EQ(List()->item(0, CDataExchDlg::kRemoteCol)->text(), "X");
  EXPECT_EQ(List()->item(2, CDataExchDlg::kRemoteCol)->text(), "X");
  EXPECT_EQ(List()->item(4, CDataExchDlg::kIpCol)->text(), "192.168.1.10");
  EXPECT_EQ(page_->findChild<QComboBox*>("enableConditionComboBox")->currentIndex(), -1);
  EXPECT_TRUE(page_->ValidateAndStore());
  EXPECT_EQ(record.EnableCondition(), 7);
}

TEST_F(PageTest, EnableConditionIsStoredWhenThePageIsValidated) {
  Page();
  auto* condition = page_->findChild<QComboBox*>("enableConditionComboBox");
  EXPECT_EQ(condition->accessibleName(), "Enable Condition");
  condition->setFocus();
  QTest::keyClick(condition, Qt::Key_Down);
  EXPECT_EQ(record.EnableCondition(), 0);  // not before the page is validated
  page_->ValidateAndStore();
  EXPECT_EQ(record.EnableCondition(), 1);
}

// The wire form and the overlaps are the item table's to work out; the page
// words them.
TEST_F(PageTest, TooltipsGiveTheWireFormAndOverlapsAreMarked) {
  Fill(3);
  record.Item(2).ReadBlock().SetLocalOffset(3);  // reads 3..7 over item 1's 0..4
  record.Item(3).SetDeviceType(3);               // CPU Model C, D Register 40000
  record.Item(3).ReadBlock().SetRemoteKind(8);
  record.Item(3).ReadBlock().SetRemoteAddress(40000);
  record.Item(3).WriteBlock().SetLocalOffset(50);
  Page();
  EXPECT_EQ(List()->item(1, CDataExchDlg::kRemoteCol)->toolTip(),
            "Modbus function code 15 (0x0f), 0-based address 0 (0x0000)");
  EXPECT_EQ(List()->item(4, CDataExchDlg::kRemoteCol)->toolTip(),
            "CPU request code 0x4202, device address 0x20009c40");
  EXPECT_EQ(List()->item(2, CDataExchDlg::kItemCol)->toolTip(), "Its read area overlaps item 1.");
  EXPECT_FALSE(List()->item(0, CDataExchDlg::kItemCol)->icon().isNull());
  EXPECT_TRUE(List()->item(4, CDataExchDlg::kItemCol)->icon().isNull());
  EXPECT_TRUE(List()->item(4, CDataExchDlg::kItemCol)->toolTip().isEmpty());
}

// A double click opens the item; what the dialog stores shows at once, and
// Enter on the list opens it too.
TEST_F(PageTest, DoubleClickAndEnterOpenTheItemEditor) {
  Fill(2);
  Page();
  int opened = 0;
  const auto edit = [&opened](const char* slave, Qt::Key key) {
    WhenModal([&opened, slave, key](QWidget* dialog) {
      ASSERT_TRUE(qobject_cast<CItemEditDlg*>(dialog));
      ++opened;
      Type(Child(dialog, "slaveAddressEdit"), slave);
      QTest::keyClick(Child(dialog, "slaveAddressEdit"), key);
    });
  };
  edit("42", Qt::Key_Return);
  ClickCell(List(), 3, CDataExchDlg::kQuantityCol, true);
  EXPECT_EQ(record.Item(2).SlaveAddress(), 42);
  EXPECT_EQ(List()->item(2, CDataExchDlg::kSlaveCol)->text(), "42");
  edit("99", Qt::Key_Escape);
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_Return);
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(record.Item(2).SlaveAddress(), 42);
}

}  // namespace
}  // namespace qx::test
