// The window layer's controls: tab control, list, IPv4 address entry,
// progress window and link.
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "tests/ui/UiTestSupport.h"
#include "ui/CConfigTabCtrl.h"
#include "ui/CHyperlinkStatic.h"
#include "ui/CIpAddressCtrl.h"
#include "ui/CProgressDlg.h"
#include "ui/CXListCtrl.h"

namespace qx::test {
namespace {

TEST(ConfigTabCtrl, RegistersSixteenPagesAndSwitchesOnlyToRegisteredOnes) {
  QWidget owner;
  CConfigTabCtrl tabs(&owner);
  for (int i = 0; i < 16; ++i) EXPECT_TRUE(tabs.AddPage(QString::number(i), new QWidget(&owner), 100 + i));
  EXPECT_FALSE(tabs.AddPage("17", new QWidget(&owner), 117));
  tabs.CreatePages();
  tabs.resize(600, 400);
  EXPECT_TRUE(tabs.GetPage(0)->isVisibleTo(&tabs));
  EXPECT_FALSE(tabs.GetPage(1)->isVisibleTo(&tabs));
  EXPECT_EQ(tabs.SetActivePage(16), -1);
  EXPECT_EQ(tabs.SetActivePage(-1), -1);
  EXPECT_EQ(tabs.SetActivePage(0), 0);
  EXPECT_EQ(tabs.SetActivePage(5), 0);
  EXPECT_EQ(tabs.TabBar()->currentIndex(), 5);
  EXPECT_TRUE(tabs.GetPage(5)->isVisibleTo(&tabs));
  EXPECT_FALSE(tabs.GetPage(0)->isVisibleTo(&tabs));
}

TEST(ConfigTabCtrl, FollowsTheMouseButNotTheKeyboard) {
  CConfigTabCtrl tabs;
  for (const char* title : {"A", "B", "C"}) tabs.AddPage(title, new QWidget, 0);
  tabs.CreatePages();
  tabs.resize(400, 300);
  tabs.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&tabs));
  QTabBar* bar = tabs.TabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
  EXPECT_EQ(tabs.GetActivePage(), 2);
  EXPECT_TRUE(tabs.GetPage(2)->isVisible());
  EXPECT_FALSE(tabs.GetPage(0)->isVisible());
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());  // already shown
  EXPECT_EQ(tabs.GetActivePage(), 2);
  QTest::keyClick(bar, Qt::Key_Left);
  EXPECT_EQ(bar->currentIndex(), 2);
  // A page fills the frame under the tabs.
  QRect page = tabs.GetPage(2)->geometry();
  EXPECT_EQ(page.top(), bar->tabRect(0).bottom() + 2);
  EXPECT_EQ(page.right(), tabs.width() - 3);
}

class ListTest : public ::testing::Test {
 protected:
  ListTest() {
    list.InsertColumn(0, "Item", Qt::AlignCenter, 40);
    list.InsertColumn(1, "Enable", Qt::AlignCenter, 70);
    list.SetHeaderCheckedState(1, CXListCtrl::kUnchecked);
    for (int row = 0; row < 4; ++row) {
      list.InsertItem(row, QString::number(row), Qt::black, row % 2 ? Qt::white : QColor(0xDE, 0xEE, 0xFE));
      if (row != 3) list.SetCheckbox(row, 1, CXListCtrl::kUnchecked);  // row 3 has no box
    }
    list.resize(300, 200);
    list.show();
  }
  void Click(int row, int col) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CheckboxRect(row, col).center());
  }
  CXListCtrl list;
};

TEST_F(ListTest, RowBoxTogglesAndReportsItsRow) {
  QSignalSpy spy(&list, &CXListCtrl::checkboxClicked);
  Click(2, 1);
  EXPECT_EQ(list.GetCheckbox(2, 1), CXListCtrl::kChecked);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toInt(), 2);
  EXPECT_EQ(list.GetCheckbox(3, 1), CXListCtrl::kNoCheckbox);
  EXPECT_EQ(list.item(1, 0)->background().color(), QColor(Qt::white));
  EXPECT_EQ(list.GetHeaderCheckedState(1), CXListCtrl::kUnchecked);
  Click(0, 1);
  Click(1, 1);
  EXPECT_EQ(list.GetHeaderCheckedState(1), CXListCtrl::kChecked);  // every box is checked
}

TEST_F(ListTest, HeaderBoxSetsEveryBoxOfItsColumnAndReportsMinusOne) {
  QSignalSpy spy(&list, &CXListCtrl::checkboxClicked);
  QHeaderView* header = list.horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(1) + 8, header->height() / 2));
  EXPECT_EQ(list.GetHeaderCheckedState(1), CXListCtrl::kChecked);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(list.GetCheckbox(row, 1), CXListCtrl::kChecked);
  EXPECT_EQ(list.GetCheckbox(3, 1), CXListCtrl::kNoCheckbox);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toInt(), -1);
  EXPECT_EQ(spy.at(0).at(1).toInt(), 1);
}

TEST_F(ListTest, EditedCellIsReportedButProgramChangesAreNot) {
  QSignalSpy spy(&list, &CXListCtrl::editEnded);
  list.SetEdit(1, 0);
  list.SetItemText(1, 0, "set by the program");
  EXPECT_EQ(spy.count(), 0);
  list.item(1, 0)->setText("typed");  // what the in-place editor commits
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toInt(), 1);
  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ListTest, DoubleClickReportsTheCellOrNone) {
  QSignalSpy spy(&list, &CXListCtrl::doubleClickedAt);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(2, 0)).center());
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(250, 180));  // below the rows
  ASSERT_EQ(spy.count(), 2);
  EXPECT_EQ(spy.at(0).at(0).toInt(), 2);
  EXPECT_EQ(spy.at(1).at(0).toInt(), -1);
}

TEST(IpAddressCtrl, BlankFieldsReadAsZero) {
  CIpAddressCtrl ip;
  EXPECT_EQ(ip.GetAddress(), 0u);
  ip.SetAddress(0xC0A8010A);
  EXPECT_EQ(ip.Field(0)->text(), "192");
  EXPECT_EQ(ip.Field(3)->text(), "10");
  ip.Field(1)->clear();
  EXPECT_EQ(ip.GetAddress(), 0xC000010Au);
  ip.ClearAddress();
  EXPECT_TRUE(ip.IsBlank());
  EXPECT_EQ(ip.GetAddress(), 0u);
}

TEST(ProgressDlg, CaptionCountsTheStepsAndOwnerIsEnabledAgain) {
  QWidget owner;
  owner.show();
  QStringList captions;
  {
    CProgressDlg progress(&owner);
    progress.SetPos(2);  // before Create: nothing happens
    ASSERT_TRUE(progress.Create("Preparing", false));
    progress.GoModal("Progress", false);
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(progress.Window()->isEnabled());
    progress.SetRange(0, 4, 1);
    captions << progress.Caption();
    for (int i = 0; i < 4; ++i) {
      progress.SetStatus("step");
      progress.StepIt();
      captions << progress.Caption();
    }
    EXPECT_EQ(progress.SetPos(4), 4);
    captions << progress.Caption();
    EXPECT_EQ(progress.Status(), "step");
  }
  EXPECT_EQ(captions, QStringList({"Preparing", "Progress [25%]", "Progress [50%]", "Progress [75%]",
                                   "Progress [100%]", "Progress [100%]"}));
  EXPECT_TRUE(owner.isEnabled());
}

class ScriptedLink : public CHyperlinkStatic {
 public:
  using CHyperlinkStatic::CHyperlinkStatic;
  bool shellOpens = false;
  bool starts = true;
  QStringList started;

 protected:
  bool ShellOpen(const QString&) override { return shellOpens; }
  bool StartProcess(const QStringList& command) override {
    started = command;
    return starts;
  }
};

TEST(Hyperlink, BrowserCommandReplacesThePlaceholderAndWhatFollows) {
  const char* url = "https://x.example/";
  struct Case {
    const char* command;
    QStringList expected;
  } cases[] = {
      {"browser %1", {"browser", url}},
      {"\"/opt/my browser\" --new \"%1\" --rest", {"/opt/my browser", "--new", url}},
      {"browser --new", {"browser", "--new", url}},
      {"", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CHyperlinkStatic::BrowserCommand(c.command, url), c.expected) << c.command;
}

TEST(Hyperlink, FallsBackToBrowserAndReportsFailures) {
  ScriptedUi ui;
  ScriptedLink link("https://x.example/", nullptr, &ui);
  qputenv("BROWSER", "viewer %1");
  EXPECT_EQ(link.OpenLink("https://x.example/"), 33);
  EXPECT_EQ(link.started, QStringList({"viewer", "https://x.example/"}));
  link.starts = false;
  EXPECT_EQ(link.OpenLink("https://x.example/"), 2);
  qunsetenv("BROWSER");
  EXPECT_EQ(link.OpenLink("https://x.example/"), 31);

  QTest::mouseClick(&link, Qt::LeftButton);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(
      ui.messages[0],
      "Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename extension.");
  EXPECT_FALSE(link.IsVisited());
  link.shellOpens = true;
  QTest::mouseClick(&link, Qt::LeftButton);
  EXPECT_TRUE(link.IsVisited());
  EXPECT_EQ(link.TextColor(), link.VisitedColor());
  EXPECT_EQ(CHyperlinkStatic::LinkErrorText(26),
            "Unable to open hyperlink:\n\nA sharing violation occurred. ");
  EXPECT_EQ(CHyperlinkStatic::LinkErrorText(99), "Unable to open hyperlink:\n\nUnknown Error (99) occurred.");
}

}  // namespace
}  // namespace qx::test
