// The real CXferKit and transfers against the simulated manager on loopback:
// round trips, every refusal status, every injected fault, restarts.
#include <gtest/gtest.h>

#include <filesystem>

#include "comm/Transfer.h"
#include "sim/ModuleService.h"
#include "tests/sim/SimHarness.h"

namespace qx {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kTimeoutMs = 60;

void Fill(ModuleConfig& m, int items, uint8_t salt) {
  for (std::size_t i = 0; i < ModuleConfig::kSize; ++i) m.Bytes()[i] = static_cast<uint8_t>(i * 13 + salt);
  m.SetItemCount(static_cast<uint16_t>(items));
}

class SimulatorTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("QX_RECV_TIMEOUT_MS", std::to_string(kTimeoutMs).c_str(), 1); }
  void TearDown() override { unsetenv("QX_RECV_TIMEOUT_MS"); }

  // One whole upload or download over a fresh connection.
  int Transfer(int port, bool upload, ModuleConfig& record, int slot = 3) {
    CXferKit link;
    SessionFields session;
    session.Interactive = false;
    TransferContext ctx{link, record, session};
    const int n = OpenTransferConnection(link, port);
    const int r = upload ? UploadModule(ctx, n, 1, 1, slot) : DownloadModule(ctx, n, 1, 1, slot);
    CloseTransferConnection(link, n);
    return r;
  }
  // Sends one raw frame; the reply frame, with the status in status.
  Bytes Raw(int port, const Bytes& frame) {
    CXferKit link;
    const int n = OpenTransferConnection(link, port);
    link.SendCommMan(n, 0, 0, 502, frame.data(), static_cast<int>(frame.size()));
    uint8_t reply[CXferKit::kReplyBufferSize];
    const int r = link.RecvCommMan(n, &status, reply);
    return Bytes(reply, reply + std::max(r, 0));
  }
  int status = 0;
};

TEST_F(SimulatorTest, DownloadThenUploadGivesTheSameRecord) {
  test::SimHarness sim;
  ModuleConfig sent, back, other;
  Fill(sent, 64, 1);
  ASSERT_EQ(Transfer(sim.port(), false, sent), 1);
  ASSERT_EQ(Transfer(sim.port(), true, back), 1);
  EXPECT_EQ(back, sent);
  ASSERT_EQ(Transfer(sim.port(), true, other, 8), 1);  // the other module keeps its defaults
  const sim::ModuleImage defaults = sim::DefaultImage();
  EXPECT_TRUE(std::equal(defaults.begin(), defaults.end(), other.Bytes()));
}

TEST_F(SimulatorTest, RefusedRequestsGetTheirStatus) {
  test::SimHarness sim;
  const Bytes read{0x01, 0x42, 0x54, 0x00, 0x0A, 0x01, 0x03, 0x00, 0x07, 0x10, 0x00, 0x00, 0x00, 0x00, 0x10};
  auto with = [&](std::size_t at, uint8_t value) {
    Bytes f = read;
    f[at] = value;
    return f;
  };
  Bytes write = read;
  write[2] = 0x53;
  write[4] = 0x0A + 4;
  write[14] = 2;
  write.insert(write.end(), {0xAB, 0xCD, 0xEF, 0x01});
  Bytes shortWrite = write;
  shortWrite.pop_back();
  shortWrite[4] -= 1;
  struct Case {
    const char* name;
    Bytes frame;
    uint16_t status;
  };
  const Case cases[] = {
      {"read", read, 0x0100},
      {"write", write, 0x0100},
      {"other station", with(0, 2), sim::status::kNoModule},
      {"other rack", with(5, 2), sim::status::kNoModule},
      {"empty slot", with(6, 4), sim::status::kNoModule},
      {"unknown operation", with(2, 0x55), sim::status::kUnknownOperation},
      {"length field off", with(4, 0x0B), sim::status::kBadLength},
      {"frame under 15 bytes", Bytes(read.begin(), read.begin() + 14), sim::status::kBadLength},
      {"odd write data", shortWrite, sim::status::kBadLength},
      {"count 0", with(14, 0), sim::status::kBadCount},
      {"count 491",
       [&] {
         Bytes f = with(13, 0x01);
         f[14] = 0xEB;
         return f;
       }(),
       sim::status::kBadCount},
      {"past the NTP block", with(12, 0x01), sim::status::kOutsideMap},
      {"header and items at once",
       [&] {
         Bytes f = with(11, 0x10);
         f[12] = 0x30;
         f[14] = 0x20;
         return f;
       }(),
       sim::status::kOutsideMap},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes reply = Raw(sim.port(), c.frame);
    EXPECT_EQ(status, c.status);
    const bool data = c.status == 0x0100 && c.frame[2] == 0x54;
    ASSERT_EQ(reply.size(), data ? 41u : 9u);
    // station, echoed operation, 10 + data bytes, rack, slot, 0x0007
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 9),
              (Bytes{c.frame[0], c.frame[1], c.frame[2], 0x00, uint8_t(data ? 42 : 10), c.frame[5],
                     c.frame[6], 0x00, 0x07}));
  }
  EXPECT_EQ(Raw(sim.port(), read)[9], 0xAB);  // the write landed at the start of the NTP block
}

// A module without items: requests 1 header, 2 NTP, 3 SNMP, 4 and 5 mail.
TEST_F(SimulatorTest, InjectedFaultsGiveTheTransferCodes) {
  const std::string late = std::to_string(kTimeoutMs * 3 / 2), tooLate = std::to_string(kTimeoutMs * 3);
  struct Case {
    std::string fault;
    bool upload;
    int code;
  };
  const Case cases[] = {
      {"1:drop", true, -1},           {"2:drop", false, -2},         {"2:delay:" + tooLate, true, -2},
      {"1:delay:" + late, true, 1},   {"4:delay:" + late, false, 1}, {"3:status", true, -3},
      {"2:status:0x0200", false, -2}, {"1:echo", false, -1},         {"5:echo", true, -3},
      {"4:truncate", true, -3},       {"1:truncate:136", true, -1},  {"3:truncate:3", false, 1},
      {"2:malformed", true, -2},      {"3:malformed", false, -3},    {"1:close", true, -1},
      {"5:close", false, -3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    sim::FaultPlan plan;
    const auto fault = sim::ParseFaultOption(c.fault);
    ASSERT_TRUE(fault);
    plan.Add(fault->first, fault->second);
    test::SimHarness sim(std::move(plan));
    ModuleConfig record;
    EXPECT_EQ(Transfer(sim.port(), c.upload, record), c.code);
  }
}

TEST_F(SimulatorTest, ImagesPersistAcrossARestart) {
  const auto folder = std::filesystem::path(testing::TempDir()) / "qx_sim_state";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  ModuleConfig sent, back;
  Fill(sent, 3, 4);
  {
    test::SimHarness sim({}, folder.string());
    ASSERT_EQ(Transfer(sim.port(), false, sent), 1);
  }
  EXPECT_EQ(std::filesystem::file_size(folder / "station1_rack1_slot3.img"), 10180u);
  EXPECT_FALSE(std::filesystem::exists(folder / "station1_rack1_slot8.img"));  // never written
  test::SimHarness sim({}, folder.string());
  ASSERT_EQ(Transfer(sim.port(), true, back), 1);
  for (int i = 4; i <= 64; ++i) sent.ResetItem(i);  // only items 1-3 went out; the module's others are empty
  EXPECT_EQ(back, sent);
  std::filesystem::remove_all(folder);  // a write that cannot be saved is refused (0x0106)
  EXPECT_EQ(Transfer(sim.port(), false, sent), -1);
}

}  // namespace
}  // namespace qx
