// The real CXferKit and transfers against the simulated manager on loopback:
// a round trip across a restart, every refusal status, every injected fault,
// and --latency, whose reply held back on one connection holds up no other.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "comm/Frames.h"
#include "comm/Transfer.h"
#include "sim/ModuleService.h"
#include "tests/sim/SimHarness.h"
#include "tests/support/TestSupport.h"

namespace qx {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kTimeoutMs = 60;

class SimulatorTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("QX_RECV_TIMEOUT_MS", std::to_string(kTimeoutMs).c_str(), 1); }
  void TearDown() override { unsetenv("QX_RECV_TIMEOUT_MS"); }

  // One whole upload or download over a fresh connection.
  int Transfer(int port, bool upload, ModuleConfig& record, int slot = 3) {
    CXferKit link;
    SessionFields session;
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

// A copy of frame with the bytes at the given offsets replaced and extra appended.
Bytes Patch(Bytes frame, std::initializer_list<std::pair<std::size_t, uint8_t>> changes, Bytes extra = {}) {
  for (auto [at, value] : changes) frame[at] = value;
  frame.insert(frame.end(), extra.begin(), extra.end());
  return frame;
}

TEST_F(SimulatorTest, RefusedRequestsGetTheirStatus) {
  test::SimHarness sim;
  const Bytes read{0x01, 0x42, 0x54, 0x00, 0x0A, 0x01, 0x03, 0x00, 0x07, 0x10, 0x00, 0x00, 0x00, 0x00, 0x10};
  const Bytes write = Patch(read, {{2, 0x53}, {4, 14}, {14, 2}}, {0xAB, 0xCD, 0xEF, 0x01});
  namespace st = sim::status;
  const std::tuple<const char*, Bytes, uint16_t> cases[] = {
      {"read", read, 0x0100},
      {"write", write, 0x0100},
      {"other station", Patch(read, {{0, 2}}), st::kNoModule},
      {"other rack", Patch(read, {{5, 2}}), st::kNoModule},
      {"empty slot", Patch(read, {{6, 4}}), st::kNoModule},
      {"unknown operation", Patch(read, {{2, 0x55}}), st::kUnknownOperation},
      {"length field off", Patch(read, {{4, 0x0B}}), st::kBadLength},
      {"frame under 15 bytes", Bytes(read.begin(), read.begin() + 14), st::kBadLength},
      {"odd write data", Patch(Bytes(write.begin(), write.end() - 1), {{4, 13}}), st::kBadLength},
      {"read carrying data", Patch(read, {{4, 12}}, {0, 0}), st::kBadLength},
      {"count 0", Patch(read, {{14, 0}}), st::kBadCount},
      {"count 491", Patch(read, {{13, 0x01}, {14, 0xEB}}), st::kBadCount},
      {"past the NTP block", Patch(read, {{12, 0x01}}), st::kOutsideMap},
      {"header and items at once", Patch(read, {{11, 0x10}, {12, 0x30}, {14, 0x20}}), st::kOutsideMap}};
  for (const auto& [name, frame, code] : cases) {
    SCOPED_TRACE(name);
    const Bytes reply = Raw(sim.port(), frame);
    EXPECT_EQ(status, code);
    const bool data = code == 0x0100 && frame[2] == 0x54;
    ASSERT_EQ(reply.size(), data ? 41u : 9u);
    // station, echoed operation, 10 + data bytes, rack, slot, 0x0007
    EXPECT_EQ(
        Bytes(reply.begin(), reply.begin() + 9),
        (Bytes{frame[0], frame[1], frame[2], 0x00, uint8_t(data ? 42 : 10), frame[5], frame[6], 0x00, 0x07}));
  }
  EXPECT_EQ(Raw(sim.port(), read)[9], 0xAB);  // the write landed at the start of the NTP block
}

// A module without items: requests 1 header, 2 NTP, 3 SNMP, 4 and 5 mail. An upload that
// completes brings the module's image, whatever the manager did on the way.
TEST_F(SimulatorTest, InjectedFaultsGiveTheTransferCodes) {
  const std::string late = std::to_string(kTimeoutMs * 3 / 2), tooLate = std::to_string(kTimeoutMs * 3);
  // One row per fault kind; the codes each exchange's failure gives are the transfer's own (transfer_test).
  const std::tuple<std::string, bool, int> cases[] = {
      // clang-format off
      {"2:drop", false, -2},          {"2:delay:" + tooLate, true, -2}, {"1:delay:" + late, true, 1},
      {"3:status", true, -3},         {"5:echo", true, -3},             {"2:malformed", true, -2},
      {"1:truncate:136", true, -1},   {"3:truncate:3", false, 1},       {"4:truncate", true, -3},
      {"5:close", false, -3},
      // A reply sent twice answers its own request only (the next request gets its own reply); a
      // status without a frame fails that exchange; a trickled reply is put together again.
      {"1:dup", true, 1},             {"3:empty", false, -3},           {"1:trickle:2", true, 1}};
  // clang-format on
  for (const auto& [text, upload, code] : cases) {
    SCOPED_TRACE(text);
    const auto fault = sim::ParseFaultOption(text);
    ASSERT_TRUE(fault);
    sim::FaultPlan plan;
    plan.Add(fault->first, fault->second);
    test::SimHarness sim(std::move(plan));
    ModuleConfig record;
    EXPECT_EQ(Transfer(sim.port(), upload, record), code);
    // No items in use: the header and blocks 3 to 5 are the module's.
    const uint8_t* image = sim.plant().Find({1, 1, 3})->data();
    if (upload && code == 1) {
      EXPECT_TRUE(std::equal(image, image + 0x80, record.Bytes()) &&
                  std::equal(image + 0x2080, image + ModuleConfig::kSize, record.Bytes() + 0x2080));
    }
  }
}

TEST_F(SimulatorTest, DownloadedImageComesBackAfterARestart) {
  const test::TempFolder state;
  const std::filesystem::path& folder = state.path();
  ModuleConfig sent, back, other;
  other.SetDefaults();  // its table stays: the module has no items in use
  for (std::size_t i = 0; i < ModuleConfig::kSize; ++i) sent.Bytes()[i] = static_cast<uint8_t>(i * 13 + 4);
  sent.SetItemCount(64);
  {
    test::SimHarness sim({}, folder.string());
    ASSERT_EQ(Transfer(sim.port(), false, sent), 1);
    ASSERT_EQ(Transfer(sim.port(), true, other, 8), 1);  // the other module keeps its defaults
  }
  const sim::ModuleImage defaults = sim::DefaultImage();
  EXPECT_TRUE(std::equal(defaults.begin(), defaults.end(), other.Bytes()));
  EXPECT_EQ(std::filesystem::file_size(folder / "station1_rack1_slot3.img"), 10180u);
  EXPECT_FALSE(std::filesystem::exists(folder / "station1_rack1_slot8.img"));  // never written
  test::SimHarness sim({}, folder.string());
  ASSERT_EQ(Transfer(sim.port(), true, back), 1);
  EXPECT_EQ(back, sent);
  std::filesystem::remove_all(folder);  // a write that cannot be saved is refused (0x0106)
  EXPECT_EQ(Transfer(sim.port(), false, sent), -1);
}

TEST(LatencyTest, SlowReplyOnOneConnectionDoesNotHoldUpAnother) {
  using Clock = std::chrono::steady_clock;
  using std::chrono::milliseconds;
  sim::FaultPlan faults;
  faults.Add(1, sim::Fault{sim::FaultKind::kDelay, 5000});  // the first request's reply: 5 s late
  test::SimHarness sim(std::move(faults), "", {{1, 1, 3}}, milliseconds(50));
  CXferKit kit;
  const int slow = kit.GetSocketConnNum();
  const int fast = kit.GetSocketConnNum();
  ASSERT_EQ(kit.OpenSocket(slow, 1, 0x7F000001, sim.port(), 0), 0);
  ASSERT_EQ(kit.OpenSocket(fast, 1, 0x7F000001, sim.port(), 0), 0);
  uint8_t request[frames::kBufferSize] = {};
  const auto length = static_cast<int>(frames::BuildReadRequest(request, {1, 1, 3}, 0x10000000, 16));
  ASSERT_GT(kit.SendCommMan(slow, 0, 0, 502, request, length), 0);
  // The slow connection's request must be the first the server counts.
  for (const auto until = Clock::now() + std::chrono::seconds(10);
       sim.requests() < 1 && Clock::now() < until;) {
    std::this_thread::yield();
  }
  const auto sent = Clock::now();
  ASSERT_GT(kit.SendCommMan(fast, 0, 0, 502, request, length), 0);
  uint8_t reply[CXferKit::kReplyBufferSize];
  int status = 0;
  const int received = kit.RecvCommMan(fast, &status, reply);
  const auto took = Clock::now() - sent;
  EXPECT_EQ(std::pair(received > 0, status), std::pair(true, 0x100));
  EXPECT_GE(took, milliseconds(50));    // the latency applies
  EXPECT_LT(took, milliseconds(2500));  // but not the other connection's delay
}

}  // namespace
}  // namespace qx
