// The configurator window: page validation order, what OK, Default, Import,
// Export, Upload and Download write or show, and the host's set-port event.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "config/ParameterCodec.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/CConfigTabCtrl.h"
#include "ui/CConfiguratorDlg.h"
#include "ui/CMailDlg.h"
#include "ui/CMailPageDlg2.h"
#include "ui/CMailPageDlg3.h"
#include "ui/SetCommPortEvent.h"
#include "ui/WindowLayer.h"

namespace qx::test {
namespace {

class WindowTest : public SessionTest {
 protected:
  QLineEdit* Edit(const char* name) { return window.findChild<QLineEdit*>(name); }
  CConfiguratorDlg window{context};
};

TEST_F(WindowTest, OpensOnTheFirstOfFourTabsWithEnglishTitles) {
  QTabBar* bar = window.Tabs()->TabBar();
  ASSERT_EQ(bar->count(), 4);
  EXPECT_EQ(window.Tabs()->GetActivePage(), 0);
  EXPECT_EQ(QStringList({bar->tabText(0), bar->tabText(1), bar->tabText(2), bar->tabText(3)}),
            QStringList({"Data Exchange", "NTP", "SNMP", "E-Mail"}));
}

// OK asks the pages in their order and stops at the first rejected field: its
// page and e-mail sub-page come up and no file is written. Once all pass, the
// module's section is written.
TEST_F(WindowTest, OkStopsAtTheFirstRejectedFieldThenWritesTheModuleSection) {
  record.SetNtpClientEnable(1);
  window.RefreshAllPages();
  ShowActive(window);
  auto* mail = Child<CMailDlg>(&window, "mailPage");
  mail->Tabs()->SetActivePage(1);
  CXListCtrl* recipients = mail->RecipientPage()->List();
  Edit("updateCycleEdit")->setText("0");
  Edit("communityEdit1")->setText("changed");
  Edit("portEdit")->setText("70000");
  recipients->SetItemText(4, CMailPageDlg3::kAddressColumn, "nobody");
  const std::string before = ReadFile(Path("project.qx1"));
  struct Step {
    const char* message;
    int page, subPage;
    QWidget* focus;  // null: not asked
    std::function<void()> fix;
  } steps[] = {
      {"Cycle 1-1440", 1, 1, Edit("updateCycleEdit"), [&] { Edit("updateCycleEdit")->setText("1440"); }},
      {"Port above 65535", 3, 0, Edit("portEdit"), [&] { Edit("portEdit")->setText("25"); }},
      {"Item5: No @", 3, 2, nullptr, [&] { recipients->SetItemText(4, CMailPageDlg3::kAddressColumn, ""); }},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.message);
    ui.messages.clear();
    window.OnOK();
    EXPECT_EQ(ui.messages, std::vector<std::string>{s.message});
    EXPECT_EQ(std::pair(window.Tabs()->GetActivePage(), mail->Tabs()->GetActivePage()),
              std::pair(s.page, s.subPage));
    if (s.focus) {
      EXPECT_EQ(QApplication::focusWidget(), s.focus);
    }
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(ReadFile(Path("project.qx1")), before);
    // The SNMP page is stored when the e-mail page after it refuses, not before.
    EXPECT_EQ(record.Community(1), s.page == 1 ? "orchid" : "changed");
    s.fix();
  }
  window.OnOK();
  EXPECT_EQ(window.result(), QDialog::Accepted);
  ModuleConfig reread;
  EXPECT_EQ(ReadParameters(reread, parameterFile, 1, 3, ""), 1);
  EXPECT_EQ(reread.NtpUpdateCycle(), 1440);
  EXPECT_EQ(reread.Community(1), "changed");
}

TEST_F(WindowTest, DefaultShowsTheDefaultsAndTouchesNoFile) {
  Edit("communityEdit3")->setText("edited");
  std::string before = ReadFile(Path("project.qx1"));
  window.OnDefault();
  EXPECT_EQ(Edit("communityEdit3")->text(), "granite");
  EXPECT_EQ(Edit("updateCycleEdit")->text(), "10");
  EXPECT_EQ(ReadFile(Path("project.qx1")), before);
}

TEST_F(WindowTest, ImportReportsEachResultAndReloadsThePages) {
  ModuleConfig source;
  source.SetDefaults();
  source.SetNtpUpdateCycle(20);
  ASSERT_TRUE(WriteParameters(source, 0x100, parameterFile, 0, 0, Path("good.qx1")));
  std::string edited = ReadFile(Path("good.qx1"));
  edited.replace(edited.find("NTP=0,20,"), 9, "NTP=0,30,");
  WriteFile(Path("edited.qx1"), edited);
  WriteFile(Path("other.qx1"), "[SLOT00]\r\nMODULE_ID=0x1234\r\nNTP=0,50,0\r\n");

  struct Case {
    const char* file;
    std::vector<std::string> messages;
    const char* cycleShown;
  } cases[] = {
      {"good.qx1", {}, "20"},
      {"edited.qx1", {"Checksum error\nValues loaded"}, "30"},
      {"other.qx1", {"Not a KM31QX-2C file\nNothing read"}, "30"},  // the record stays as it was
      {nullptr, {}, "999"},  // cancelled: nothing read, nothing reloaded
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Edit("updateCycleEdit")->setText("999");  // an edit the reload discards
    ui.messages.clear();
    if (c.file) ui.files.push_back(Path(c.file));
    window.OnImportFile();
    EXPECT_EQ(ui.messages, c.messages);
    EXPECT_EQ(Edit("updateCycleEdit")->text(), c.cycleShown);
  }
}

TEST_F(WindowTest, ExportStoresThePagesAndAsksBeforeOverwriting) {
  Edit("communityEdit2")->setText("exported");
  ui.files.push_back(Path("out.qx1"));
  window.OnExportFile();
  ModuleConfig reread;
  EXPECT_EQ(ReadParameters(reread, parameterFile, 0, 0, Path("out.qx1")), 1);
  EXPECT_EQ(reread.Community(2), "exported");
  EXPECT_NE(window.result(), QDialog::Accepted);
  EXPECT_EQ(parameterFile.GetPathName(), Path("project.qx1"));

  Edit("communityEdit2")->setText("second");
  ui.files.push_back(Path("out.qx1"));
  ui.answers.push_back(MessageAnswer::kCancel);
  std::string before = ReadFile(Path("out.qx1"));
  window.OnExportFile();
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Overwrite?"});
  EXPECT_EQ(ui.icons, std::vector<MessageIcon>{MessageIcon::kQuestion});
  EXPECT_EQ(ReadFile(Path("out.qx1")), before);

  // Overwriting: the export file's own tests show that it replaces the whole file.
  ui.files.push_back(Path("out.qx1"));
  ShowActive(window);
  QTest::mouseClick(Child<QPushButton>(&window, "exportButton"), Qt::LeftButton);
  EXPECT_EQ(ReadParameters(reread, parameterFile, 0, 0, Path("out.qx1")), 1);
  EXPECT_EQ(reread.Community(2), "second");
}

// The trigger dialog writes the record at once, yet only OK saves it.
TEST_F(WindowTest, CancelAfterATriggerWasStoredLeavesTheParameterFile) {
  ShowActive(window);
  const std::string before = ReadFile(Path("project.qx1"));
  WhenModal([](QWidget* modal) {
    QTest::keyClicks(Child(modal, "triggerNameEdit"), "Alarm");
    Click(Child<QPushButton>(modal, "okButton"));
  });
  Child<CMailDlg>(&window, "mailPage")->TriggerPage()->EditTrigger(0);
  EXPECT_EQ(record.Trigger(1).TriggerName(), "Alarm");
  Click(Child<QPushButton>(&window, "cancelButton"));
  EXPECT_EQ(window.result(), QDialog::Rejected);
  EXPECT_EQ(ReadFile(Path("project.qx1")), before);
}

// Rack 1 slot 3 is slot number 4 in a transfer. Upload reloads the pages only
// after it succeeded; Download validates the pages and saves them first.
TEST_F(WindowTest, TransfersGoToThePostedPortAndReportTheirResult) {
  ASSERT_TRUE(PostSetCommPort(9000));
  QCoreApplication::sendPostedEvents(&window, SetCommPortEvent::kType);
  EXPECT_EQ(session.CommManagerPort, 9000);
  transfers.result = -3;
  Edit("updateCycleEdit")->setText("77");
  window.OnUpload();
  EXPECT_EQ(Edit("updateCycleEdit")->text(), "77");
  transfers.result = 1;
  window.OnUpload();
  EXPECT_EQ(Edit("updateCycleEdit")->text(), "10");
  Edit("updateCycleEdit")->setText("");
  window.OnDownload();  // refused by the NTP page: no transfer
  Edit("updateCycleEdit")->setText("5");
  transfers.result = -1;
  window.OnDownload();
  transfers.connection = -1;  // none can be had: nothing is said
  window.OnUpload();
  EXPECT_EQ(transfers.calls,
            (std::vector<std::string>{"open 9000", "upload 3 7 1 4", "close 3", "open 9000", "upload 3 7 1 4",
                                      "close 3", "open 9000", "download 3 7 1 4", "close 3", "open 9000",
                                      "close -1"}));
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"Upload failed 1-3", "Uploaded 1-3", "Cycle 1-1440",
                                                   "Download failed 1-3"}));
  ModuleConfig reread;
  ReadParameters(reread, parameterFile, 1, 3, "");
  EXPECT_EQ(reread.NtpUpdateCycle(), 5);
}

// A parameter file in a folder that does not exist cannot be saved, even by
// root: OK keeps the window and the edits; Download still goes to the module.
TEST_F(WindowTest, UnsavableFilesAreToldAndOkKeepsTheWindowOpen) {
  const std::string missing = Path("gone/project.qx1");
  const std::string saveFailed = "The project's parameter file could not be saved:\n" + missing +
                                 "\n\nYour changes are still in this window. Make the file writable and "
                                 "press OK again, or keep them with Export File.";
  parameterFile.SetPathName(missing.c_str());
  window.show();
  window.OnOK();
  EXPECT_EQ(ui.messages, std::vector<std::string>{saveFailed});
  EXPECT_TRUE(window.isVisible());
  EXPECT_NE(window.result(), QDialog::Accepted);

  ui.messages.clear();
  window.OnDownload();
  EXPECT_EQ(ui.messages, (std::vector<std::string>{saveFailed, "Downloaded 1-3"}));
  EXPECT_EQ(transfers.calls, (std::vector<std::string>{"open 8895", "download 3 7 1 4", "close 3"}));

  ui.messages.clear();
  ui.files.push_back(Path("gone/out.qx1"));
  window.OnExportFile();
  EXPECT_EQ(ui.messages, std::vector<std::string>{"The file could not be written:\n" + Path("gone/out.qx1")});
}

}  // namespace
}  // namespace qx::test
