// The project file as the plug-in reads it: positions, rack types, target
// settings, the module type text and the data folder.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "TestProject.h"
#include "config/ParameterCodec.h"

namespace qx {
namespace {

using test::HardwareConfig;
using test::ProjectFixture;

struct PositionCase {
  const char* text;
  bool accepted;
  int rack;
  int slot;
};

TEST(ParseSlotPosition, ReadsRackAndSlotByTheTextsLength) {
  constexpr int kBefore = 7;
  const PositionCase cases[] = {
      {"13", true, 1, 3},
      {"SLOT13", true, 1, 3},
      {"111", true, 1, 11},
      {"SLOT111", true, 1, 11},
      {"112", true, 1, 12},
      {"012", true, 0, 12},
      {"00", true, 0, 0},
      {"1x", true, 1, 0},
      {"x3", true, 0, 3},
      {"1-1", true, 1, -1},
      {"ABCD13", true, 1, 3},  // the prefix is not checked
      {"1", false, kBefore, kBefore},
      {"SLOT", false, kBefore, kBefore},
      {"SLOT1", false, kBefore, kBefore},
      {"", false, kBefore, kBefore},
      {"SLOT1234", false, kBefore, kBefore},
  };
  for (const PositionCase& c : cases) {
    int32_t rack = kBefore;
    int32_t slot = kBefore;
    EXPECT_EQ(ParseSlotPosition(c.text, rack, slot), c.accepted) << c.text;
    EXPECT_EQ(rack, c.rack) << c.text;
    EXPECT_EQ(slot, c.slot) << c.text;
  }
}

TEST(SlotCountOfRackType, GivesTheSlotsOfEachRackType) {
  const int expected[][2] = {{0, 12}, {1, 8}, {2, 6}, {3, 4}, {4, 0}, {-1, 0}, {INT_MAX, 0}};
  for (const auto& e : expected) EXPECT_EQ(SlotCountOfRackType(e[0]), e[1]) << e[0];
}

TEST(AtoiValue, ReadsAsAtoiAndClampsOverflow) {
  const std::pair<const char*, int> cases[] = {
      {"12", 12},
      {" 7x", 7},
      {"-3", -3},
      {"+4", 4},
      {"", 0},
      {"x1", 0},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(AtoiValue(text), value) << text;
}

TEST(ModuleIdText, IsTheUpperCaseHexOfTheTypeCode) {
  EXPECT_EQ(ModuleIdText(), "0x5881");
  EXPECT_EQ(ModuleIdText(), kModuleIdText);
}

TEST(DataDirectory, LiesUnderTheCommonApplicationDataFolder) {
  const char* saved = std::getenv("QX_COMMON_APPDATA");
  const std::string restore = saved ? saved : "";
  setenv("QX_COMMON_APPDATA", "/srv/qx/", 1);
  EXPECT_EQ(DataDirectory(), "/srv/qx/Orvane Industrial Automation/SYSBUILD/Data/QXCONFIG/");
  setenv("QX_COMMON_APPDATA", "", 1);
  EXPECT_EQ(DataDirectory(),
            std::string(QX_INSTALL_SHARE) + "/Orvane Industrial Automation/SYSBUILD/Data/QXCONFIG/");
  if (saved) {
    setenv("QX_COMMON_APPDATA", restore.c_str(), 1);
  } else {
    unsetenv("QX_COMMON_APPDATA");
  }
}

class TargetSettings : public ProjectFixture {
 protected:
  void SetUp() override {
    ProjectFixture::SetUp();
    session_.TargetStation = 11;
    session_.DriverId = 12;
    session_.TargetIp = 13;
    session_.TargetPort = 14;
  }
  void ExpectUnchanged() {
    EXPECT_EQ(session_.TargetStation, 11);
    EXPECT_EQ(session_.DriverId, 12);
    EXPECT_EQ(session_.TargetIp, 13u);
    EXPECT_EQ(session_.TargetPort, 14);
  }
};

TEST_F(TargetSettings, DerivesBothFileNamesFromTheBasePath) {
  LoadTargetSettings(context_, folder_ + "/line3");
  EXPECT_EQ(projectPath_, folder_ + "/line3.ini");
  EXPECT_EQ(parameterPath_, folder_ + "/line3.qx1");
  EXPECT_EQ(project_.GetPathName(), folder_ + "/line3.ini");
}

TEST_F(TargetSettings, MissingFileOrHardwareSectionReadsNothing) {
  EXPECT_FALSE(LoadTargetSettings(context_, base_));
  ExpectUnchanged();
  WriteProject("[COM_MAN]\nTARGET_STATION=5\n");
  EXPECT_FALSE(LoadTargetSettings(context_, base_));
  ExpectUnchanged();
}

TEST_F(TargetSettings, DefaultsWithoutCommunicationSection) {
  WriteProject("[hw_cfg]\n");  // section names ignore case
  ASSERT_TRUE(LoadTargetSettings(context_, base_));
  EXPECT_EQ(session_.TargetStation, 0);
  EXPECT_EQ(session_.DriverId, 0);
  EXPECT_EQ(session_.TargetIp, 0xFFFFFFFFu);  // an empty address is refused
  EXPECT_EQ(session_.TargetPort, 502);
}

TEST_F(TargetSettings, ReadsEveryKey) {
  WriteProject(HardwareConfig() +
               "[COM_MAN]\nTARGET_STATION=3\nDRIVER_ID=2\nTARGET_IP=192.168.10.20\nTARGET_PORT=1502\n");
  ASSERT_TRUE(LoadTargetSettings(context_, base_));
  EXPECT_EQ(session_.TargetStation, 3);
  EXPECT_EQ(session_.DriverId, 2);
  EXPECT_EQ(session_.TargetIp, 0xC0A80A14u);
  EXPECT_EQ(session_.TargetPort, 1502);
}

TEST_F(TargetSettings, MalformedNumbersGiveWhatTheReadersGive) {
  WriteProject(HardwareConfig() +
               "[COM_MAN]\nTARGET_STATION=12abc\nDRIVER_ID=x\nTARGET_IP=10.1\nTARGET_PORT=\n");
  ASSERT_TRUE(LoadTargetSettings(context_, base_));
  EXPECT_EQ(session_.TargetStation, 12);
  EXPECT_EQ(session_.DriverId, 0);
  EXPECT_EQ(session_.TargetIp, 0x0A000001u);
  EXPECT_EQ(session_.TargetPort, 502);
}

TEST_F(ProjectFixture, ProjectLookUpsOfOneSlot) {
  WriteProject(HardwareConfig() + test::ModuleSlot(3, 7, "1a") + "[SLOT14]\nMODULE_ID=0X5881\n" +
               "[SLOT15]\nMODULE_ID=0x05881\n");
  Load();
  EXPECT_TRUE(ProjectSlotHoldsModule(context_, 1, 3));
  EXPECT_FALSE(ProjectSlotHoldsModule(context_, 1, 4));  // compared exactly
  EXPECT_FALSE(ProjectSlotHoldsModule(context_, 1, 5));
  EXPECT_FALSE(ProjectSlotHoldsModule(context_, 1, 6));
  EXPECT_EQ(ProjectSynchId(context_, 1, 3), 7);
  EXPECT_EQ(ProjectFirmwareVersion(context_, 1, 3), 26u);
  EXPECT_EQ(ProjectSynchId(context_, 1, 4), 0);
  EXPECT_EQ(RackId1(context_), "KR-B12");
}

}  // namespace
}  // namespace qx
