// The show-dialog flow of the application object: what each refusal shows
// and leaves behind, the language binding, the files prepared for the
// window, the window hand-over, and the host's data-exchange limits.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestProject.h"
#include "app/ConfiguratorWindow.h"
#include "app/ModuleConfigApp.h"
#include "config/ParameterCodec.h"
#include "tests/support/ScriptedUi.h"

namespace qx {
namespace {

using test::HardwareConfig;
using test::ModuleSlot;
using test::ReadText;
using test::WriteText;

// Sets environment variables for one test and restores them afterwards.
class ScopedEnvironment {
 public:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    Put(name, value ? std::optional<std::string>(value) : std::nullopt);
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Put(it->first.c_str(), it->second);
  }

 private:
  static void Put(const char* name, const std::optional<std::string>& value) {
    value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

class RecordingOpener : public ConfiguratorWindowOpener {
 public:
  bool Open(CModuleConfigApp& app) override {
    ++opened;
    slot = app.Session().Slot;
    return shows;
  }
  int opened = 0;
  int slot = -1;
  bool shows = true;
};

class ShowDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = test::MakeScratchFolder();
    base_ = folder_ + "/line1";
    languages_ = folder_ + "/appdata/Orvane Industrial Automation/SYSBUILD/Data/QXCONFIG/KM31QX-2C/";
    env_.Set("QX_COMMON_APPDATA", (folder_ + "/appdata").c_str());
    env_.Set("QX_HEADLESS", "1");
    WriteText(languages_ + "KM31QX-2CUI.ini", "[MsgStr]\nMsg1=cannot create\nMsg2=no hardware\n");
    WriteText(languages_ + "KM31QX-2CUI_CHT.ini", "[MsgStr]\nMsg2=CHT no hardware\n");
    app_.InitInstance();
    app_.SetUiServices(&ui_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  bool Prepare(const char* position, uint32_t language = 0x0409) {
    return app_.PrepareDialogSession(base_, position, language, 0x110);
  }
  void WriteProject(const std::string& text) { WriteText(base_ + ".ini", text); }
  void InstallTranslation(const char* suffix) { WriteText(languages_ + "KM31QX-2C" + suffix + ".qm", "qm"); }

  std::string folder_;
  std::string base_;
  std::string languages_;
  ScopedEnvironment env_;
  test::ScriptedUi ui_;
  CModuleConfigApp app_;
};

TEST(ModuleConfigApp, StartsWithInitialSessionAndDefaultRecord) {
  CModuleConfigApp app;
  EXPECT_EQ(app.Record(), ModuleConfig());
  app.InitInstance();
  const SessionFields& s = app.Session();
  EXPECT_EQ((std::vector<int>{s.TargetStation, s.Rack, s.Slot, s.DriverId, s.CommManagerPort, s.TargetPort,
                              s.ReceiveAttempts}),
            (std::vector<int>{0, 0, 0, 0, -1, 502, 5}));
  EXPECT_TRUE(s.Interactive);
  ModuleConfig defaults;
  defaults.SetDefaults();
  EXPECT_EQ(app.Record(), defaults);
  EXPECT_FALSE(app.ReadLenMax() || app.WriteLenMax());
}

TEST_F(ShowDialog, RefusesPositionsOutsideRackOne) {
  WriteProject(HardwareConfig() + ModuleSlot(3, 7));
  for (const char* position : {"112", "012", "23", "1-1", "SLOT1", "1"}) {
    ui_.messages.clear();
    EXPECT_FALSE(Prepare(position)) << position;
    EXPECT_EQ(ui_.messages, std::vector<std::string>{"Rack & Slot number error"}) << position;
  }
  EXPECT_FALSE(std::filesystem::exists(base_ + ".qx1"));
  EXPECT_EQ(app_.ProjectBasePath(), base_);
  EXPECT_EQ(app_.Session().FirmwareVersion, 0x110u);
  EXPECT_TRUE(app_.TextTableFile().GetPathName().empty());  // the language step was not reached
}

TEST_F(ShowDialog, ProjectWithoutHardwareConfigurationShowsMsg2) {
  WriteProject("[COM_MAN]\nTARGET_STATION=1\n");
  EXPECT_FALSE(Prepare("SLOT13", 0x0404));
  InstallTranslation("_CHT");
  EXPECT_FALSE(Prepare("13", 0x0404));
  EXPECT_EQ(ui_.messages, (std::vector<std::string>{"no hardware", "CHT no hardware"}));
  EXPECT_EQ(app_.Session().Rack, 1);
  EXPECT_EQ(app_.Session().Slot, 3);
  EXPECT_FALSE(std::filesystem::exists(base_ + ".qx1"));
}

TEST_F(ShowDialog, ParameterFileThatCannotBeCreatedShowsMsg1) {
  WriteProject(HardwareConfig() + ModuleSlot(3, 7));
  std::filesystem::create_symlink(folder_ + "/no/such/folder", base_ + ".qx1");
  EXPECT_FALSE(Prepare("13"));
  EXPECT_EQ(ui_.messages, std::vector<std::string>{"cannot create"});
  EXPECT_EQ(app_.ProjectFilePath(), base_ + ".ini");
}

TEST_F(ShowDialog, LanguageBindsTheTextTableWhenItsTranslationIsPresent) {
  WriteProject(HardwareConfig() + ModuleSlot(3, 7));
  InstallTranslation("_CHT");
  ASSERT_TRUE(Prepare("13", 0x0404));
  EXPECT_EQ(app_.TextTableFile().GetPathName(), languages_ + "KM31QX-2CUI_CHT.ini");
  EXPECT_EQ(app_.TranslationPath(), languages_ + "KM31QX-2C_CHT.qm");

  ASSERT_TRUE(Prepare("13", 0x0804));  // no simplified translation: nothing changes
  EXPECT_EQ(app_.TextTableFile().GetPathName(), languages_ + "KM31QX-2CUI_CHT.ini");
  EXPECT_EQ(app_.TranslationPath(), languages_ + "KM31QX-2C_CHT.qm");

  ASSERT_TRUE(Prepare("13", 0x0409));
  EXPECT_EQ(app_.TextTableFile().GetPathName(), languages_ + "KM31QX-2CUI.ini");
  EXPECT_EQ(app_.TranslationPath(), "");
  EXPECT_EQ(app_.LanguageResources(), languages_ + "KM31QX-2C_CHT.qm");  // stays loaded
  EXPECT_EQ(app_.ModuleDirectory(),
            folder_ + "/appdata/Orvane Industrial Automation/SYSBUILD/Data/QXCONFIG/Module/");
}

TEST_F(ShowDialog, NewProjectGetsItsParameterFileAndTheModulesSection) {
  WriteProject(HardwareConfig() + ModuleSlot(3, 7, "205") + ModuleSlot(8, 9));
  ASSERT_TRUE(Prepare("13"));
  const std::string text = ReadText(base_ + ".qx1");
  // The firmware version of the call, not the project's, marks the new section.
  EXPECT_EQ(text.rfind("// QX Configurator\r\n", 0), 0u);
  EXPECT_NE(text.find("[SLOT13]\r\nMODULE_ID=0x5881\r\nSYNCH_ID=7\r\nFWVER=110\r\nDE=0,0,0,4f70\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("[SLOT18]\r\n[SLOT19]"), std::string::npos);  // other modules wait for reconciliation
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ShowDialog, LoadsTheStoredParametersOfTheModule) {
  WriteProject(HardwareConfig() + ModuleSlot(3, 7));
  ASSERT_TRUE(Prepare("13"));
  ModuleConfig stored = app_.Record();
  stored.SetNtpUpdateCycle(77);
  WriteParameters(stored, 0, app_.ParameterFile(), 1, 3, "");
  app_.Record().SetDefaults();
  ASSERT_TRUE(Prepare("SLOT13"));
  EXPECT_EQ(app_.Record(), stored);
}

TEST_F(ShowDialog, HeadlessFlowSaysSoInOneLine) {
  WriteProject(HardwareConfig() + ModuleSlot(3, 7));
  RecordingOpener opener;
  app_.SetWindowOpener(&opener);
  testing::internal::CaptureStderr();
  app_.ShowDialog(base_, "13", 0, 0x0409, 0x110);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "KM31QX-2C: no configurator window can be opened here; SLOT13 of " + base_ + " is ready in " +
                base_ + ".qx1\n");
  EXPECT_EQ(opener.opened, 0);
}

TEST_F(ShowDialog, WindowOpensWhenADisplayIsThere) {
  WriteProject(HardwareConfig() + ModuleSlot(3, 7));
  env_.Set("QX_HEADLESS", nullptr);
  env_.Set("DISPLAY", ":7");
  RecordingOpener opener;
  app_.SetWindowOpener(&opener);
  testing::internal::CaptureStderr();
  app_.ShowDialog(base_, "13", 0, 0x0409, 0x110);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(opener.opened, 1);
  EXPECT_EQ(opener.slot, 3);

  opener.shows = false;  // the window layer found no display after all
  testing::internal::CaptureStderr();
  app_.ShowDialog(base_, "13", 0, 0x0409, 0x110);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("no configurator window"), std::string::npos);
}

TEST_F(ShowDialog, HeadlessModeFollowsTheEnvironment) {
  env_.Set("QX_HEADLESS", nullptr);
  env_.Set("DISPLAY", nullptr);
  env_.Set("WAYLAND_DISPLAY", "");
  EXPECT_TRUE(HeadlessMode());
  env_.Set("WAYLAND_DISPLAY", "wayland-0");
  EXPECT_FALSE(HeadlessMode());
  env_.Set("QX_HEADLESS", "1");
  EXPECT_TRUE(HeadlessMode());
}

TEST(ModuleConfigApp, LimitsSetReplacesAndClearDiscards) {
  CModuleConfigApp app;
  app.SetDataExchangeLenMax(100, 200);
  EXPECT_EQ(app.ReadLenMax(), 100);
  EXPECT_EQ(app.WriteLenMax(), 200);
  app.SetDataExchangeLenMax(5, 6);
  EXPECT_EQ(app.ReadLenMax(), 5);
  EXPECT_EQ(app.WriteLenMax(), 6);
  app.ClearDataExchangeLenMax();
  EXPECT_FALSE(app.ReadLenMax().has_value());
  EXPECT_FALSE(app.WriteLenMax().has_value());
  EXPECT_FALSE(app.WindowContext().readLenMax.has_value());
}

}  // namespace
}  // namespace qx
