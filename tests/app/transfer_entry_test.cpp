// The host's Upload and Download without a window, against a manager double:
// which modules are transferred in which order, what is saved, and what each
// failure gives the host.
#include <gtest/gtest.h>

#include "FakeManager.h"
#include "TestProject.h"
#include "app/TransferEntry.h"
#include "config/ParameterCodec.h"
#include "platform/TextTable.h"
#include "tests/support/ScriptedUi.h"

namespace qx {
namespace {

using test::HardwareConfig;
using test::ModuleSlot;

constexpr int kPort = 8895;

// A record told apart from others by its NTP update cycle.
ModuleConfig Marked(uint16_t cycle) {
  ModuleConfig record;
  record.SetDefaults();
  record.SetNtpUpdateCycle(cycle);
  return record;
}

class TransferEntry : public test::ProjectFixture {
 protected:
  void SetUp() override {
    ProjectFixture::SetUp();
    textFile_.SetPathName((folder_ + "/texts.ini").c_str());
    textFile_.WriteString("MsgStr", "Msg2", "no hardware configuration");
  }
  bool Upload(std::string_view position) { return UploadEntry(entry_, base_, position, kPort); }
  bool Download(std::string_view position) { return DownloadEntry(entry_, base_, position, kPort); }
  // The record stored in the parameter file for slot index `slot`.
  ModuleConfig StoredRecord(int slot) {
    ModuleConfig record;
    CProfileFile file;
    file.SetPathName(parameterPath_.c_str());
    ReadParameters(record, file, 1, slot, "");
    return record;
  }
  // Sections for slots 2, 5 and 7 holding records marked 2, 5 and 7.
  void ThreeModules() {
    WriteProject(HardwareConfig() + "[COM_MAN]\nTARGET_STATION=1\n" + ModuleSlot(2, 12) + ModuleSlot(5, 15) +
                 ModuleSlot(7, 17));
    Load();
    ASSERT_TRUE(CreateParameterFile(parameterPath_));
    for (int slot : {2, 5, 7}) {
      CreateModuleSection(context_, 1, slot, 10 + slot, 0x110);
      WriteParameters(Marked(static_cast<uint16_t>(slot)), 0, parameters_, 1, slot, "");
      // The items beyond ItemCount are not transferred: the modules start alike.
      link_.images[slot + 1] = Marked(0);
    }
  }

  CProfileFile textFile_;
  CTextTable texts_{textFile_};
  test::ScriptedUi ui_;
  test::FakeManager link_;
  TransferEntryContext entry_{context_, link_, ui_, texts_};
};

TEST_F(TransferEntry, UploadOfEveryModuleGoesInSlotOrderAndSavesEach) {
  WriteProject(HardwareConfig() + ModuleSlot(7, 17) + ModuleSlot(2, 12) + "[SLOT14]\nMODULE_ID=0x4410\n");
  link_.images[3] = Marked(33);
  link_.images[8] = Marked(88);
  EXPECT_TRUE(Upload("00"));
  EXPECT_EQ(link_.SlotOrder(), (std::vector<int>{3, 8}));
  EXPECT_EQ(link_.openedPorts, std::vector<int>{kPort});
  EXPECT_EQ(link_.closed, std::vector<int>{test::FakeManager::kConnection});
  // The parameter file did not exist: created, with the identity keys kept.
  EXPECT_EQ(StoredRecord(2), Marked(33));
  EXPECT_EQ(StoredRecord(7), Marked(88));
  EXPECT_EQ(Stored(7, "SYNCH_ID"), "17");
  EXPECT_FALSE(session_.Interactive);
}

TEST_F(TransferEntry, DownloadSendsEachModulesOwnSection) {
  ThreeModules();
  EXPECT_TRUE(Download("00"));
  EXPECT_EQ(link_.SlotOrder(), (std::vector<int>{3, 6, 8}));
  for (int slot : {2, 5, 7}) EXPECT_EQ(link_.images[slot + 1], Marked(static_cast<uint16_t>(slot))) << slot;
}

TEST_F(TransferEntry, OnePositionNamesOneModule) {
  ThreeModules();
  EXPECT_TRUE(Download("SLOT15"));
  EXPECT_EQ(link_.SlotOrder(), std::vector<int>{6});
  for (const auto& r : link_.requests) EXPECT_EQ(r.rack, 1);
}

TEST_F(TransferEntry, NothingToTransferStillCompletes) {
  ThreeModules();
  for (const char* position : {"13", "SLOT1", "1", "SLOT1234", ""}) {
    EXPECT_TRUE(Upload(position)) << position;
  }
  EXPECT_TRUE(link_.requests.empty());
  EXPECT_EQ(link_.closed.size(), 5u);  // each opened connection was closed
}

TEST_F(TransferEntry, MissingHardwareConfigurationFailsWithMessage) {
  WriteProject("[COM_MAN]\nTARGET_STATION=1\n");
  EXPECT_FALSE(Download("00"));
  EXPECT_EQ(ui_.messages, std::vector<std::string>{"no hardware configuration"});
  EXPECT_TRUE(link_.openedPorts.empty());
  EXPECT_FALSE(ParameterFileExists(context_));
}

TEST_F(TransferEntry, NoConnectionNumberCompletesWithoutTransfer) {
  ThreeModules();
  link_.noConnectionFree = true;
  EXPECT_TRUE(Upload("00"));
  EXPECT_TRUE(link_.requests.empty());
  EXPECT_TRUE(link_.closed.empty());
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(TransferEntry, EmptyRackOneCompletesWithoutTransfer) {
  WriteProject(HardwareConfig("") + ModuleSlot(2, 12));
  EXPECT_TRUE(Upload("00"));
  EXPECT_TRUE(link_.requests.empty());
  EXPECT_EQ(link_.closed, std::vector<int>{test::FakeManager::kConnection});
}

TEST_F(TransferEntry, UploadStopsAtTheFirstFailingModule) {
  ThreeModules();
  link_.images[3] = Marked(33);
  link_.failingSlotNumbers = {6};
  EXPECT_FALSE(Upload("00"));
  EXPECT_EQ(link_.SlotOrder(), (std::vector<int>{3, 6}));
  EXPECT_EQ(StoredRecord(2), Marked(33));
  EXPECT_EQ(StoredRecord(7), Marked(7));
  EXPECT_EQ(link_.closed.size(), 1u);
}

TEST_F(TransferEntry, DownloadStopsAtTheFirstFailingModule) {
  ThreeModules();
  link_.failingSlotNumbers = {6};
  EXPECT_FALSE(Download("00"));
  EXPECT_EQ(link_.SlotOrder(), (std::vector<int>{3, 6}));
  EXPECT_EQ(link_.images[3], Marked(2));
  EXPECT_EQ(link_.images[8], Marked(0));
}

}  // namespace
}  // namespace qx
