// The host's Upload and Download against a manager double that answers every
// request from one register image per slot number.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "TestProject.h"
#include "app/TransferEntry.h"
#include "comm/Frames.h"
#include "comm/XferKit.h"
#include "config/ParameterCodec.h"
#include "config/Reconciliation.h"
#include "platform/TextTable.h"
#include "tests/support/ScriptedUi.h"

namespace qx::test {
namespace {

// Answers each read with data bytes all equal to the slot number plus salt, keeps the NTP update
// cycle written to each slot number, and fails every request to failingSlotNumbers.
class FakeManager : public CXferKit {
 public:
  static constexpr int kConnection = 4;

  std::vector<int> slotOrder, openedPorts, closed;  // slotOrder: one entry per run of requests to a slot
  bool noConnectionFree = false;
  std::set<int> failingSlotNumbers;
  std::map<int, int> cycles;
  int salt = 0;

  int GetSocketConnNum() override { return noConnectionFree ? -1 : kConnection; }
  int OpenSocket(int, int, int, int port, int) override {
    openedPorts.push_back(port);
    return 0;
  }
  void CloseSocket(int connection) override { closed.push_back(connection); }

  int SendCommMan(int, int, int, int, const unsigned char* frame, int length) override {
    const int slot = frame[frames::kSlotOffset];
    if (slotOrder.empty() || slotOrder.back() != slot) slotOrder.push_back(slot);
    reply_.assign(frame, frame + frames::kReplyHeaderSize);
    status_ = failingSlotNumbers.count(slot) != 0 ? 0x101 : 0x100;
    if (status_ != 0x100) return length;
    const unsigned char* data = frame + frames::kRequestHeaderSize;
    if ((frame[1] << 8 | frame[2]) == frames::kOpRead) {
      reply_.resize(reply_.size() + 2 * std::size_t(frame[13] << 8 | frame[14]), uint8_t(slot + salt));
    } else if (frame[10] == 0 && frame[11] == 0 && frame[12] == 0) {  // 0x10000000: the NTP block
      cycles[slot] = data[2] << 8 | data[3];
    }
    return length;
  }

  int RecvCommMan(int, int* status, unsigned char* reply) override {
    std::copy(reply_.begin(), reply_.end(), reply);
    *status = status_;
    return static_cast<int>(reply_.size());
  }

 private:
  std::vector<uint8_t> reply_;
  int status_ = 0;
};

constexpr int kPort = 8895;
using Closed = std::vector<int>;

class TransferEntry : public ProjectFixture {
 protected:
  void SetUp() override {
    textFile_.SetPathName((folder_ + "/texts.ini").c_str());
    textFile_.WriteString("MsgStr", "Msg2", "no hardware configuration");
  }
  bool Upload(std::string_view position) { return UploadEntry(entry_, base_, position, kPort); }
  bool Download(std::string_view position) { return DownloadEntry(entry_, base_, position, kPort); }
  std::pair<int, int> StoredCycles() {  // of slots 2 and 7, read back from the saved file
    ModuleConfig two, seven;
    CProfileFile file;
    file.SetPathName(parameterPath_.c_str());
    ReadParameters(two, file, 1, 2, "");
    ReadParameters(seven, file, 1, 7, "");
    return {two.NtpUpdateCycle(), seven.NtpUpdateCycle()};
  }
  // Slots 2, 5 and 7 store records told apart by their NTP update cycles 2, 5 and 7.
  void ThreeModules() {
    WriteProject(HardwareConfig() + ModuleSlot(2, 12) + ModuleSlot(5, 15) + ModuleSlot(7, 17));
    Load();
    ASSERT_TRUE(CreateParameterFile(parameterPath_));
    ModuleConfig record;
    record.SetDefaults();
    for (int slot : {2, 5, 7}) {
      CreateModuleSection(context_, 1, slot, 10 + slot, 0x110);
      record.SetNtpUpdateCycle(static_cast<uint16_t>(slot));
      WriteParameters(record, 0, parameters_, 1, slot, "");
    }
  }

  CProfileFile textFile_;
  CTextTable texts_{textFile_};
  ScriptedUi ui_;
  FakeManager link_;
  TransferEntryContext entry_{context_, link_, ui_, texts_};
};

TEST_F(TransferEntry, UploadOfEveryModuleGoesInSlotOrderAndSavesEach) {
  WriteProject(HardwareConfig() + ModuleSlot(7, 17) + ModuleSlot(2, 12) + "[SLOT14]\nMODULE_ID=0x4410\n");
  EXPECT_TRUE(Upload("00"));
  // Slot 4 holds another type. The parameter file did not exist: created, with the identity keys kept.
  EXPECT_EQ(std::tuple(link_.slotOrder, link_.openedPorts, Stored(7, "SYNCH_ID"), session_.Interactive),
            std::tuple(std::vector<int>{3, 8}, std::vector<int>{kPort}, "17", false));
  EXPECT_EQ(StoredCycles(), std::pair(0x0303, 0x0808));
  // The first failing module ends the operation; those before it stay saved.
  link_.failingSlotNumbers = {8};
  link_.salt = 1;
  EXPECT_FALSE(Upload("00"));
  EXPECT_EQ(link_.slotOrder, (std::vector<int>{3, 8, 3, 8}));
  EXPECT_EQ(StoredCycles(), std::pair(0x0404, 0x0808));
  EXPECT_EQ(link_.closed, Closed(2, FakeManager::kConnection));  // each run closes its connection
  // A parameter file that cannot be saved (a folder stands at its path) fails at the first module.
  std::filesystem::remove(parameterPath_);
  ASSERT_TRUE(std::filesystem::create_directory(parameterPath_));
  EXPECT_FALSE(Upload("00"));
  EXPECT_EQ(std::pair(link_.slotOrder.size(), link_.closed.size()),
            std::pair(std::size_t{5}, std::size_t{3}));
}

TEST_F(TransferEntry, DownloadSendsEachModulesOwnSectionUpToTheFirstFailure) {
  ThreeModules();
  link_.failingSlotNumbers = {6};
  EXPECT_FALSE(Download("00"));
  EXPECT_EQ(std::pair(link_.slotOrder, link_.cycles),
            std::pair(std::vector<int>{3, 6}, std::map<int, int>{{3, 2}}));
  link_.failingSlotNumbers.clear();
  EXPECT_TRUE(Download("00"));
  EXPECT_EQ(link_.cycles, (std::map<int, int>{{3, 2}, {6, 5}, {8, 7}}));
  EXPECT_TRUE(Download("SLOT15"));
  EXPECT_EQ(link_.slotOrder, (std::vector<int>{3, 6, 3, 6, 8, 6}));
}

TEST_F(TransferEntry, WhatTheHostIsToldWithoutATransfer) {
  WriteProject("[COM_MAN]\nTARGET_STATION=1\n");
  EXPECT_FALSE(Download("00"));
  EXPECT_EQ(std::tuple(ui_.messages, link_.openedPorts.size(), ParameterFileExists(context_)),
            std::tuple(std::vector<std::string>{"no hardware configuration"}, 0u, false));
  // Completed: positions naming no module, no connection number, no rack 1.
  ThreeModules();
  for (const char* position : {"13", "SLOT1", "1", "SLOT1234", ""}) EXPECT_TRUE(Upload(position)) << position;
  link_.noConnectionFree = true;
  EXPECT_TRUE(Upload("00"));
  link_.noConnectionFree = false;
  WriteProject(HardwareConfig("") + ModuleSlot(2, 12));
  EXPECT_TRUE(Upload("00"));
  // Each opened connection is closed; nothing more is shown.
  EXPECT_EQ(std::tuple(link_.closed, link_.slotOrder.size(), ui_.messages.size()),
            std::tuple(Closed(6, FakeManager::kConnection), 0u, 1u));
}

}  // namespace
}  // namespace qx::test
