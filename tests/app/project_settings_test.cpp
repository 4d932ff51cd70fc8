// The project file as the plug-in reads it, and keeping the parameter file's
// slot sections in step with it without losing stored parameters.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <tuple>

#include "TestProject.h"
#include "config/ParameterCodec.h"
#include "config/Reconciliation.h"
#include "config/SlotPosition.h"
#include "tests/config/ParamTestSupport.h"

namespace qx::test {
namespace {

TEST(ProjectTexts, PositionsByLengthAndNumbersAsAtoi) {
  // 2 or 3 characters, or 6 or 7 with an unchecked prefix; other lengths leave rack and slot as they were.
  const std::tuple<const char*, bool, int, int> cases[] = {
      {"13", true, 1, 3},   {"SLOT13", true, 1, 3}, {"111", true, 1, 11}, {"SLOT111", true, 1, 11},
      {"012", true, 0, 12}, {"1x", true, 1, 0},     {"1-1", true, 1, -1}, {"ABCD13", true, 1, 3},
      {"1", false, 7, 7},   {"SLOT1", false, 7, 7}, {"", false, 7, 7},    {"SLOT1234", false, 7, 7}};
  for (const auto& [text, accepted, rack, slot] : cases) {
    int32_t r = 7, s = 7;
    EXPECT_EQ((std::tuple{ParseSlotPosition(text, r, s), r, s}), std::tuple(accepted, rack, slot)) << text;
  }
}

TEST_F(ProjectFixture, TargetSettingsWithMissingSectionsAndKeys) {
  using Fields = std::tuple<int, int, uint32_t, int>;  // station, driver, IP, port
  const Fields kBefore{11, 12, 13, 14};
  const std::string com = "[HW_CFG]\n[COM_MAN]\n";
  const std::tuple<bool, Fields, std::optional<std::string>> cases[] = {
      {false, kBefore, std::nullopt},  // no project file: nothing read
      {false, kBefore, "[COM_MAN]\nTARGET_STATION=5\n"},
      {true, {0, 0, 0xFFFFFFFF, 502}, "[hw_cfg]\n"},  // section names ignore case; "" is no address
      {true, {3, 2, 0x0102, 80}, com + "TARGET_STATION=3\nDRIVER_ID=2\nTARGET_IP=0.0.1.2\nTARGET_PORT=80\n"},
      // Numbers read through GetInt and the shared reader (their rules: the profile-file and reader tests).
      {true, {12, 0, 0xFFFFFFFF, 502}, com + "TARGET_STATION=12a\nDRIVER_ID=x\nTARGET_IP=x\nTARGET_PORT=\n"},
  };
  for (const auto& [loaded, fields, project] : cases) {
    SCOPED_TRACE(project.value_or("(no file)"));
    if (project) WriteProject(*project);
    auto session =
        std::tie(session_.TargetStation, session_.DriverId, session_.TargetIp, session_.TargetPort);
    session = kBefore;
    EXPECT_EQ(LoadTargetSettings(context_, base_), loaded);
    EXPECT_EQ(session, fields);
    EXPECT_EQ(parameterPath_, base_ + ".qx1");  // even without the file
  }
}

// Slot, SYNCH_ID (null: no key) and the "DE" value that tells sections apart.
using Section = std::tuple<int, const char*, const char*>;

class Reconcile : public ProjectFixture {
 protected:
  void StoreSections(std::initializer_list<Section> sections) {
    ASSERT_TRUE(CreateParameterFile(parameterPath_));
    for (const auto& [slot, synch, marker] : sections) {
      const std::string s = "SLOT1" + std::to_string(slot);
      parameters_.WriteString(s.c_str(), "MODULE_ID", "0x5881");
      if (synch != nullptr) parameters_.WriteString(s.c_str(), "SYNCH_ID", synch);
      parameters_.WriteString(s.c_str(), "DE", marker);
    }
  }
  // "slot=SYNCH_ID:DE" of every slot section holding keys.
  std::string Layout() {
    std::string layout;
    for (int slot = 0; slot < 12; ++slot) {
      std::vector<std::string> keys;
      parameters_.GetKeyNames(("SLOT1" + std::to_string(slot)).c_str(), keys);
      if (keys.empty()) continue;
      layout += " " + std::to_string(slot) + "=" + Stored(slot, "SYNCH_ID") + ":" + Stored(slot, "DE");
    }
    return layout.empty() ? layout : layout.substr(1);
  }
};

TEST_F(Reconcile, KeepsStoredParametersWithTheirModules) {
  const std::string hw = HardwareConfig();
  const struct {
    std::string project;
    std::initializer_list<Section> stored;
    const char* layout;
    const char* text = "";  // a piece of the file
  } cases[] = {
      // Moved by SYNCH_ID; the emptied section keeps its header.
      {hw + ModuleSlot(5, 7), {{3, "7", "A"}}, "5=7:A", "[SLOT13]\r\n[SLOT14]\r\n"},
      {hw + ModuleSlot(4, 9, "1a"),
       {},
       "4=9:0,0,0,4f70",
       "[SLOT14]\r\nMODULE_ID=0x5881\r\nSYNCH_ID=9\r\nFWVER=1A\r\nDE=0,0,0,4f70\r\n"},
      // Slots without this type are emptied; the type is compared as exact text.
      {hw + "[SLOT16]\nMODULE_ID=0x4410\nSYNCH_ID=5\n[SLOT14]\nMODULE_ID=0X5881\nSYNCH_ID=9\n",
       {{6, "5", "A"}, {8, "6", "B"}, {4, "9", "C"}},
       ""},
      // SYNCH_ID 0 takes the first section with parameters, never an empty one.
      {hw + "[SLOT15]\nMODULE_ID=0x5881\n", {{2, nullptr, "legacy"}}, "5=:legacy"},
      {hw + ModuleSlot(2, 1) + ModuleSlot(7, 2), {{2, "2", "B"}, {7, "1", "A"}}, "2=1:A 7=2:B"},
      {hw + ModuleSlot(2, 3), {{0, "3", "Y"}, {2, "3", "X"}}, "2=3:X"},  // its own before a duplicate
      // A SYNCH_ID above 32 bits reads as 0xFFFFFFFF (written "%d": -1), never as 7 wrapped round.
      {hw + "[SLOT15]\nMODULE_ID=0x5881\nSYNCH_ID=4294967303\n", {{3, "7", "A"}}, "5=-1:0,0,0,4f70"},
      // Without rack 1 the SYNCH_IDs cannot be trusted: only missing sections are made.
      {HardwareConfig("") + ModuleSlot(2, 1) + ModuleSlot(7, 2) + ModuleSlot(9, 4),
       {{2, "99", "kept"}, {3, "3", "unlisted"}, {9, "4", "own"}},
       "2=99:kept 3=3:unlisted 7=2:0,0,0,4f70 9=4:own"},
      {HardwareConfig("KR-B8", "1") + ModuleSlot(9, 4), {}, ""},  // rack type 1 has 8 slots
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.project);
    WriteProject(c.project);
    Load();
    StoreSections(c.stored);
    ReconcileParameterFile(context_);
    EXPECT_EQ(Layout(), c.layout);
    const std::string text = ReadFile(parameterPath_);
    EXPECT_NE(text.find(c.text), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '['), 12);  // SLOT10..SLOT111, nothing else
    ReconcileParameterFile(context_);
    EXPECT_EQ(ReadFile(parameterPath_), text);  // a second run changes nothing
  }
}

TEST_F(Reconcile, TwelveModulesAreSavedOnce) {
  std::string project = HardwareConfig();
  for (int i = 0; i < 12; ++i) project += ModuleSlot(i, 100 + i);
  WriteProject(project);
  Load();
  StoreSections({{0, "111", "moves"}});
  const int saves = CountSaves(folder_, [this] { ReconcileParameterFile(context_); });
  EXPECT_EQ(std::tuple(saves, Stored(11, "DE"), Stored(0, "SYNCH_ID")), std::tuple(1, "moves", "100"));
}

}  // namespace
}  // namespace qx::test
