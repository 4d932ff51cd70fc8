// The window layer's controls: tab control, list, progress window and link.
// The IPv4 address entry is tried in the keyboard tests.
#include <QHeaderView>
#include <QSignalSpy>

#include "tests/ui/UiTestSupport.h"
#include "ui/CConfigTabCtrl.h"
#include "ui/CHyperlinkStatic.h"
#include "ui/CProgressDlg.h"
#include "ui/CXListCtrl.h"

namespace qx::test {
namespace {

TEST(ConfigTabCtrl, HoldsSixteenPagesAndFollowsTheMouseButNotTheKeyboard) {
  CConfigTabCtrl tabs;
  QWidget spare;
  for (int i = 0; i < 16; ++i) EXPECT_TRUE(tabs.AddPage(QString::number(i), new QWidget, 100 + i));
  EXPECT_FALSE(tabs.AddPage("17", &spare, 117));
  tabs.CreatePages();
  tabs.resize(600, 400);
  tabs.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&tabs));
  for (int index : {16, -1}) EXPECT_EQ(tabs.SetActivePage(index), -1);
  EXPECT_EQ(tabs.SetActivePage(5), 0);
  QTabBar* bar = tabs.TabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
  EXPECT_EQ(tabs.GetActivePage(), 2);
  EXPECT_TRUE(tabs.GetPage(2)->isVisible());
  EXPECT_FALSE(tabs.GetPage(5)->isVisible());
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
    for (int row = 0; row < 4; ++row) list.InsertItem(row, QString::number(row));
    for (int row = 0; row < 3; ++row) list.SetCheckbox(row, 1, CXListCtrl::kUnchecked);  // row 3 has none
    list.resize(300, 200);
    list.show();
  }
  CXListCtrl list;
};

// The boxes are Qt's own check states, which assistive tools read: a click
// or Space toggles a row's box, a click on the header's box or Ctrl+Space
// sets every row's, and the header follows the rows. Each of the user's
// changes is reported once, the program's not at all.
TEST_F(ListTest, BoxesToggleByMouseAndSpaceAndTheHeaderFollows) {
  QSignalSpy spy(&list, &CXListCtrl::checkboxClicked);
  QHeaderView* header = list.horizontalHeader();
  const QPoint headerBox(header->sectionViewportPosition(1) + 8, header->height() / 2);
  struct Step {
    bool space;         // else a click
    int row;            // -1: the header
    const char* boxes;  // rows 0 to 3, then the header: x checked, o unchecked, - none
  } steps[] = {{false, 2, "oox-o"},  {false, 0, "xox-o"}, {false, 1, "xxx-x"}, {true, 1, "xox-o"},
               {false, -1, "xxx-x"}, {true, -1, "ooo-o"}, {true, 1, "oxo-o"}};
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << s.space << " " << s.row);
    if (s.space && s.row >= 0) list.setCurrentCell(s.row, 0);
    if (s.space) {
      QTest::keyClick(&list, Qt::Key_Space, s.row < 0 ? Qt::ControlModifier : Qt::NoModifier);
    } else if (s.row < 0) {
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, headerBox);
    } else {
      QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CheckboxRect(s.row, 1).center());
    }
    std::string shown;
    for (int r = 0; r < 4; ++r) shown += "-?ox"[list.GetCheckbox(r, 1) + 1];
    EXPECT_EQ(shown + "-?ox"[list.GetHeaderCheckedState(1) + 1], s.boxes);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.takeFirst(), QVariantList({s.row, 1}));
  }
  EXPECT_EQ(list.item(1, 1)->data(Qt::CheckStateRole).toInt(), Qt::Checked);
  EXPECT_EQ(list.model()->headerData(1, Qt::Horizontal, Qt::CheckStateRole).toInt(), Qt::Unchecked);
  list.SetCheckbox(0, 1, CXListCtrl::kChecked);  // the program's changes: followed, not reported
  list.SetCheckbox(2, 1, CXListCtrl::kChecked);
  EXPECT_EQ(list.GetHeaderCheckedState(1), CXListCtrl::kChecked);
  EXPECT_EQ(spy.count(), 0);
}

TEST_F(ListTest, EditsAndDoubleClicksAreReportedButProgramChangesAreNot) {
  QSignalSpy edits(&list, &CXListCtrl::editEnded);
  QSignalSpy doubleClicks(&list, &CXListCtrl::doubleClickedAt);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(2, 0)).center());
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(250, 180));  // below the rows
  list.SetEdit(1, 0);
  list.SetItemText(1, 0, "set by the program");  // not reported
  list.item(1, 0)->setText("typed");             // what the in-place editor commits
  EXPECT_EQ(QList<QVariantList>(doubleClicks), (QList<QVariantList>{{2, 0}, {-1, -1}}));
  EXPECT_EQ(QList<QVariantList>(edits), (QList<QVariantList>{{1, 0}}));
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
      progress.StepIt();
      captions << progress.Caption();
    }
  }
  EXPECT_EQ(captions, QStringList({"Preparing", "Progress [25%]", "Progress [50%]", "Progress [75%]",
                                   "Progress [100%]"}));
  EXPECT_TRUE(owner.isEnabled());
}

struct ScriptedLink : CHyperlinkStatic {
  using CHyperlinkStatic::CHyperlinkStatic;
  bool ShellOpen(const QString&) override { return shellOpens; }
  bool StartProcess(const QStringList& command) override {
    started = command;
    return starts;
  }
  bool shellOpens = false;
  bool starts = true;
  QStringList started;
};

TEST(Hyperlink, FallsBackToTheBrowserAndReportsFailures) {
  const char* url = "https://x.example/";
  ScriptedUi ui;
  ScriptedLink link(url, nullptr, &ui);
  struct Case {
    const char* browser;
    bool starts;
    QStringList started;
    int result;
  } cases[] = {
      {"\"/opt/my browser\" --new \"%1\" --rest", true, {"/opt/my browser", "--new", url}, 33},
      {"browser --new", false, {"browser", "--new", url}, 2},
      {"", true, {}, 31},
  };
  for (const Case& c : cases) {
    qputenv("BROWSER", c.browser);
    link.starts = c.starts;
    link.started.clear();
    EXPECT_EQ(link.OpenLink(url), c.result) << c.browser;
    EXPECT_EQ(link.started, c.started) << c.browser;
  }
  qunsetenv("BROWSER");
  QTest::mouseClick(&link, Qt::LeftButton);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Unable to open hyperlink:\n\nThere is no application "
                                                  "associated\nwith the given filename extension."});
  EXPECT_FALSE(link.IsVisited());
  link.shellOpens = true;
  QTest::mouseClick(&link, Qt::LeftButton);
  EXPECT_TRUE(link.IsVisited());
  EXPECT_EQ(CHyperlinkStatic::LinkErrorText(99), "Unable to open hyperlink:\n\nUnknown Error (99) occurred.");
}

}  // namespace
}  // namespace qx::test
