// The show-dialog flow of the application object: refusals, the language
// binding, the files prepared for the window, the window hand-over and limits.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestProject.h"
#include "app/ConfiguratorWindow.h"
#include "app/ModuleConfigApp.h"
#include "config/ParameterCodec.h"
#include "tests/support/ScriptedUi.h"

namespace qx::test {
namespace {

class RecordingOpener : public ConfiguratorWindowOpener {
 public:
  bool Open(CModuleConfigApp& app) override {
    slots.push_back(app.Session().Slot);
    return shows;
  }
  std::vector<int> slots;
  bool shows = true;
};

class ShowDialog : public ProjectFixture {
 protected:
  void SetUp() override {
    // Every variable the flow reads is set here: nothing leaks in from the shell.
    setenv("QX_COMMON_APPDATA", (folder_ + "/appdata").c_str(), 1);
    setenv("QX_HEADLESS", "1", 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    WriteFile(languages_ + "KM31QX-2CUI.ini", "[MsgStr]\nMsg1=cannot create\nMsg2=no hardware\n");
    WriteFile(languages_ + "KM31QX-2CUI_CHT.ini", "[MsgStr]\nMsg2=CHT no hardware\n");
    app_.InitInstance();
    app_.SetUiServices(&ui_);
    app_.SetWindowOpener(&opener_);
  }
  bool Prepare(const char* position, uint32_t language = 0x0409) {
    return app_.PrepareDialogSession(base_, position, language, 0x110);
  }

  std::string languages_ =
      folder_ + "/appdata/Orvane Industrial Automation/SYSBUILD/Data/QXCONFIG/KM31QX-2C/";
  ScriptedUi ui_;
  RecordingOpener opener_;
  CModuleConfigApp app_;
};

TEST_F(ShowDialog, EachRefusalShowsItsMessageAndCreatesNoParameterFile) {
  WriteProject(HardwareConfig() + ModuleSlot(3, 7));
  for (const char* position : {"112", "012", "23", "1-1", "SLOT1", "1"})
    EXPECT_FALSE(Prepare(position)) << position;
  EXPECT_TRUE(app_.TextTableFile().GetPathName().empty());  // refused before the language step

  WriteProject("[COM_MAN]\nTARGET_STATION=1\n");
  EXPECT_FALSE(Prepare("SLOT13", 0x0404));  // without its translation the language keeps English texts
  WriteFile(languages_ + "KM31QX-2C_CHT.qm", "qm");
  EXPECT_FALSE(Prepare("13", 0x0404));
  EXPECT_FALSE(std::filesystem::exists(base_ + ".qx1"));

  WriteProject(HardwareConfig() + ModuleSlot(3, 7));
  std::filesystem::create_symlink(folder_ + "/no/such/folder", base_ + ".qx1");
  EXPECT_FALSE(Prepare("13"));
  std::vector<std::string> expected(6, "Rack & Slot number error");
  expected.insert(expected.end(), {"no hardware", "CHT no hardware", "cannot create"});
  EXPECT_EQ(ui_.messages, expected);
}

TEST_F(ShowDialog, LanguageBindsTextsOnlyWithTheirTranslationAndDataFolderFallsBack) {
  WriteProject(HardwareConfig() + ModuleSlot(3, 7));
  const std::string cht = languages_ + "KM31QX-2C_CHT.qm";
  WriteFile(cht, "qm");
  // Language, text table suffix, translation. Simplified Chinese has no translation here: the binding stays.
  const std::tuple<uint32_t, std::string, std::string> steps[] = {
      {0x0404, "_CHT", cht}, {0x0804, "_CHT", cht}, {0x0409, "", ""}};
  for (const auto& [language, table, translation] : steps) {
    ASSERT_TRUE(Prepare("13", language)) << language;
    EXPECT_EQ(app_.TextTableFile().GetPathName(), languages_ + "KM31QX-2CUI" + table + ".ini") << language;
    EXPECT_EQ(app_.TranslationPath(), translation) << language;
  }
  EXPECT_EQ(app_.LanguageResources(), cht);  // stays loaded
  setenv("QX_COMMON_APPDATA", "", 1);
  // Outside an install tree: the share folder of the prefix the build was made for.
  EXPECT_EQ(DataDirectory(), QX_INSTALL_SHARE "/Orvane Industrial Automation/SYSBUILD/Data/QXCONFIG/");
}

// The prepared session always goes to the window layer, which alone knows
// whether a window can be shown (a host with a QApplication of its own gets
// one without DISPLAY, and QX_HEADLESS is the window layer's to read). When
// no window opens, one line on standard error says whether the module's
// section is ready in the parameter file, or could not be written and why.
TEST_F(ShowDialog, NewSectionGoesToTheWindowOrOneLineTellsWhetherItWasWritten) {
  EXPECT_EQ(app_.Record(), record_);  // at its defaults before any session
  WriteProject(HardwareConfig() + ModuleSlot(3, 7, "205") + ModuleSlot(8, 9));
  auto show = [this] {
    testing::internal::CaptureStderr();
    app_.ShowDialog(base_, "13", 0, 0x0409, 0x110);
    return testing::internal::GetCapturedStderr();
  };
  EXPECT_EQ(show(), "");  // QX_HEADLESS=1 and no DISPLAY here
  EXPECT_EQ(opener_.slots, std::vector<int>{3});
  const std::string file = base_ + ".qx1", text = ReadFile(file);
  // The firmware version of the call, not the project's, marks the new section.
  EXPECT_NE(text.find("[SLOT13]\r\nMODULE_ID=0x5881\r\nSYNCH_ID=7\r\nFWVER=110\r\nDE=0,0,0,4f70\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("[SLOT18]\r\n[SLOT19]"), std::string::npos);  // other modules wait for reconciliation
  EXPECT_TRUE(ui_.messages.empty());

  ModuleConfig stored = app_.Record();  // a second session loads what is stored
  stored.SetNtpUpdateCycle(77);
  WriteParameters(stored, 0, app_.ParameterFile(), 1, 3, "");
  app_.Record().SetDefaults();
  opener_.shows = false;
  EXPECT_EQ(show(), "KM31QX-2C: no configurator window can be opened here; SLOT13 of " + base_ +
                        " is ready in " + file + "\n");
  EXPECT_EQ(app_.Record(), stored);

  WriteFile(file, "[SLOT13]\r\n");  // the section still to be written...
  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  EXPECT_EQ(show(), "KM31QX-2C: no configurator window can be opened here; SLOT13 of " + base_ +
                        " could not be written to " + file + ": the file is read-only\n");
  EXPECT_EQ(ReadFile(file), "[SLOT13]\r\n");
}

}  // namespace
}  // namespace qx::test
