// Upload and download as request sequences against an in-memory manager:
// which frames go out in which order, how replies are judged, what each
// failure returns and what the progress window is told.
#include "comm/Transfer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "comm/Frames.h"
#include "comm/RegisterMap.h"
#include "platform/ProfileFile.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestSupport.h"

namespace qx {
namespace {

using Bytes = std::vector<uint8_t>;
using Req = std::tuple<uint16_t, uint32_t, int>;  // operation, first register, count
constexpr uint16_t R = frames::kOpRead, W = frames::kOpWrite;
enum class M { kNone, kFailStatus, kWrongEcho, kSilent, kBroken, kShortRead };  // how a reply misbehaves

std::string Call(std::string name, std::initializer_list<int> args) {
  for (int a : args) name += " " + std::to_string(a);
  return name;
}

struct LogWindow : ProgressWindow {
  explicit LogWindow(std::vector<std::string>& log) : log_(log) {}
  ~LogWindow() override { log_.push_back("destroyed"); }
  bool Create(const std::string& s, bool smooth) override {
    Add("Create " + s, smooth);
    return true;
  }
  void GoModal(const std::string& s, bool smooth) override { Add("GoModal " + s, smooth); }
  void SetRange(int l, int u, int s) override { Add(Call("SetRange", {l, u, s})); }
  void StepIt() override { Add("StepIt"); }
  int SetPos(int p) override {
    Add(Call("SetPos", {p}));
    return 0;
  }
  void SetStatus(const std::string& s) override { Add("SetStatus " + s); }
  void Add(const std::string& s, bool smooth = false) { log_.push_back(s + (smooth ? " smooth" : "")); }
  std::vector<std::string>& log_;
};

// Records every call (the progress window's too), answers from its own
// module image (applying writes to it) and misbehaves on the request (from 0)
// named in fault. Per request: its frame, what it names, the UI's pump count
// when it went out and the receive calls made for it.
struct RecordingLink : CXferKit, ProgressFactory {
  ModuleConfig module;
  test::ScriptedUi ui;
  std::vector<Bytes> sent;
  std::vector<Req> requests;
  std::vector<int> pumpsBefore, receiveCalls;
  std::vector<std::string> calls;
  std::string target;  // connection, driver, IP and port of the last request
  std::pair<std::size_t, M> fault;
  int freeNumber = 3;

  void SetModbusMode(int mode) override { calls.push_back(Call("SetModbusMode", {mode})); }
  int GetSocketConnNum() override {
    calls.push_back("GetSocketConnNum");
    return freeNumber;
  }
  int OpenSocket(int n, int type, int ip, int port, int flags) override {
    calls.push_back(Call("OpenSocket", {n, type, ip, port, flags}));
    return 0;
  }
  void CloseSocket(int n) override { calls.push_back(Call("CloseSocket", {n})); }
  std::unique_ptr<ProgressWindow> Make() override { return std::make_unique<LogWindow>(calls); }
  int SendCommMan(int n, int driver, int ip, int port, const unsigned char* f, int length) override {
    const auto [op, address, count] = requests.emplace_back(
        f[1] << 8 | f[2], uint32_t(f[9]) << 24 | f[10] << 16 | f[11] << 8 | f[12], f[13] << 8 | f[14]);
    EXPECT_EQ(length, 15 + (op == W ? 2 * count : 0));  // a write carries exactly its data
    target = Call("to", {n, driver, ip, port});
    sent.emplace_back(f, f + length);
    pumpsBefore.push_back(ui.pumps);
    receiveCalls.push_back(0);
    return length;
  }
  int RecvCommMan(int, int* status, unsigned char* reply) override {
    const M m = fault.first == sent.size() - 1 ? fault.second : M::kNone;
    ++receiveCalls.back();
    if (m == M::kBroken) return -1;
    if (m == M::kSilent) return 0;
    const auto [op, address, count] = requests.back();
    const RegisterBlock* b = FindRegisterBlock(address, uint32_t(count));
    if (b == nullptr) return -1;  // shows up as a wrong code or sequence
    uint8_t* image = module.Bytes() + b->OffsetOf(address);
    const std::size_t data = op == R ? 2 * std::size_t(count) : 0;
    if (op == W) std::memcpy(image, sent.back().data() + 15, 2 * std::size_t(count));
    std::memcpy(reply, sent.back().data(), 9);
    std::memcpy(reply + 9, image, data);
    *status = m == M::kFailStatus ? 0x0101 : 0x0100;
    if (m == M::kWrongEcho) reply[2] ^= 0x07;
    return int(9 + data) - (m == M::kShortRead);
  }
};

void Fill(ModuleConfig& m, int count, uint8_t salt) {
  for (std::size_t i = 0; i < ModuleConfig::kSize; ++i) m.Bytes()[i] = static_cast<uint8_t>(i * 7 + salt);
  m.SetItemCount(static_cast<uint16_t>(count));
}

std::vector<Req> FullSequence(uint16_t op, int items) {
  std::vector<Req> out{{op, 0x10001000, 64}};
  for (int regs = 64 * items, at = 0; regs > 0; regs -= 490, at += 490)
    out.emplace_back(op, 0x10001040 + at, std::min(regs, 490));
  out.insert(out.end(),
             {{op, 0x10000000, 16}, {op, 0x10000100, 144}, {op, 0x10004000, 490}, {op, 0x100041EA, 280}});
  return out;
}

class TransferTest : public ::testing::Test {
 protected:
  int Run(bool upload) {
    link.sent.clear();
    link.requests.clear();
    link.pumpsBefore.clear();
    link.receiveCalls.clear();
    return upload ? UploadModule(ctx, 4, 1, 1, 3) : DownloadModule(ctx, 4, 1, 1, 3);
  }

  RecordingLink link;
  ModuleConfig record;
  SessionFields session;
  TransferContext ctx{link, record, session, &link.ui};
};

// Upload: the header comes as the module has it; items 1..count are read and copied (the whole
// table for 65 to 71); a count of 0, or of 72 and more, reads no items. Items after those read keep
// what the record held. Download: the record's count, at most 64, goes out with that many items.
TEST_F(TransferTest, ItemCountDecidesTheItemsBlock) {
  const std::tuple<int, int, int> cases[] = {{0, 0, 0},    {1, 1, 1},    {8, 8, 8},
                                             {63, 63, 63}, {64, 64, 64}, {70, 64, 64},
                                             {71, 64, 64}, {72, 0, 64},  {1000, 0, 64}};
  for (auto [count, uploaded, downloaded] : cases) {
    SCOPED_TRACE(count);
    Fill(link.module, count, 3);
    Fill(record, 5, 9);
    ModuleConfig want = link.module;
    const std::size_t itemsEnd = 0x80 + 128 * std::size_t(uploaded);
    std::copy(record.Bytes() + itemsEnd, record.Bytes() + 0x2080, want.Bytes() + itemsEnd);
    ASSERT_EQ(Run(true), 1);
    EXPECT_EQ(link.requests, FullSequence(R, uploaded));
    EXPECT_EQ(record, want);
    Fill(record, count, 4);
    want = record;
    ASSERT_EQ(Run(false), 1);
    EXPECT_EQ(link.requests, FullSequence(W, downloaded));
    EXPECT_EQ(std::tuple(record == want, link.module.ItemCount()),
              std::tuple(true, downloaded));  // only read
  }
}

TEST_F(TransferTest, FramesCarrySessionAndPosition) {
  session = {.TargetStation = 300, .DriverId = 7, .TargetIp = 0xC0A80102, .TargetPort = 5020};
  Fill(record, 64, 2);
  ASSERT_EQ(DownloadModule(ctx, 4, 300, 258, 8), 1);  // station, rack and slot go out modulo 256
  EXPECT_EQ(link.target, "to 4 7 -1062731518 5020");
  EXPECT_EQ(
      Bytes(link.sent[0].begin(), link.sent[0].begin() + 15),
      (Bytes{0x2C, 0x42, 0x53, 0x00, 0x8A, 0x02, 0x08, 0x00, 0x07, 0x10, 0x00, 0x10, 0x00, 0x00, 0x40}));
  // One pump before each chunk of the items (9) and mail (2) blocks only.
  EXPECT_EQ(std::tuple(link.ui.pumps, link.pumpsBefore[1], link.pumpsBefore[10]), std::tuple(11, 1, 9));
  Run(true);
  EXPECT_EQ(link.sent[0], (Bytes{0x01, 0x42, 0x54, 0x00, 0x0A, 0x01, 0x03, 0x00, 0x07, 0x10, 0x00, 0x10, 0x00,
                                 0x00, 0x40}));
}

// Full table: request 0 header, 1-9 items, 10 NTP, 11 SNMP, 12-13 mail. Up to 5 receive calls
// per request, 1 for NTP and SNMP. An upload keeps the image bytes of the blocks read whole before
// the failure. The failure trace names the block, the exchange and what was wrong with the reply
// (checked in the direction the text names).
TEST_F(TransferTest, FailedExchangeEndsTransferWithItsBlockCodeAndReason) {
  session.ReceiveAttempts = 5;
  const std::string broken = "no frame: connection closed or broken, reply malformed, or status 0x0100 alone";
  // clang-format off
  const std::tuple<std::size_t, M, int, int, std::size_t, std::string> cases[] = {
      {0, M::kFailStatus, -1, 1, 0, "block 1 (header): write of 0x10001000+64: reply status 0x0101"},
      {0, M::kSilent, -1, 5, 0, "block 1 (header): read of 0x10001000+64: no reply in time (5 x 2000 ms)"},
      {9, M::kSilent, -3, 5, 0x80, "block 2 (items): read of 0x10001F90+176: no reply in time (5 x 2000 ms)"},
      {10, M::kWrongEcho, -2, 1, 0x2080,
       "block 3 (NTP): write of 0x10000000+16: reply echoes operation 0x4254, not 0x4253"},
      {11, M::kBroken, -3, 1, 0x20A0, "block 4 (SNMP): read of 0x10000100+144: " + broken},
      {12, M::kShortRead, -3, 1, 0x21C0,
       "block 5 (mail): read of 0x10004000+490: read reply of 988 bytes, 989 needed"},
      {0, M::kBroken, -1, 5, 0, ""},        {1, M::kWrongEcho, -3, 1, 0x80, ""},
      {10, M::kSilent, -2, 1, 0x2080, ""},  {11, M::kSilent, -3, 1, 0x20A0, ""},
      {11, M::kFailStatus, -3, 1, 0x20A0, ""}, {13, M::kBroken, -3, 5, 0x21C0, ""}};
  // clang-format on
  for (const auto& [at, how, code, calls, kept, reason] : cases) {
    for (bool upload : {true, false}) {
      if (how == M::kShortRead && !upload) continue;  // writes carry no data back
      SCOPED_TRACE(testing::Message() << at << (upload ? " upload" : " download"));
      link.fault = {at, how};
      Fill(link.module, 64, 5);
      Fill(record, 64, 6);
      ModuleConfig want = record;
      if (upload) std::copy_n(link.module.Bytes(), kept, want.Bytes());
      EXPECT_EQ(Run(upload), code);
      // Never sent twice, nothing after.
      EXPECT_EQ(std::tuple(link.sent.size(), link.receiveCalls.back()), std::tuple(at + 1, calls));
      EXPECT_EQ(record, want);
      if (!reason.empty() && upload == (reason.find(": read of") != std::string::npos)) {
        EXPECT_EQ(ctx.failure, reason);
      }
    }
  }
  link.fault = {99, M::kNone};
  EXPECT_EQ(Run(true), 1);
  EXPECT_EQ(ctx.failure, "");  // a later transfer that succeeds clears it
  EXPECT_EQ(FailureTrace("Upload", 1, 1, 3, "x"), "Upload SLOT12 (station 1, rack 1, slot number 3): x");
}

TEST_F(TransferTest, ConnectionIsOpenedAsTheManagerExpects) {
  uint8_t data[4] = {};  // an empty or odd block is refused unsent
  EXPECT_FALSE(WriteRegisterBlock(ctx, 0, 1, 1, 3, 0x10001040, 0, data) ||
               ReadRegisterBlock(ctx, 0, 1, 1, 3, 0x10001040, 3, data));
  EXPECT_EQ(OpenTransferConnection(link, 8895), 3);
  CloseTransferConnection(link, 3);
  EXPECT_EQ(link.calls, (std::vector<std::string>{"SetModbusMode 2", "GetSocketConnNum",
                                                  "OpenSocket 3 1 2130706433 8895 0", "CloseSocket 3"}));
  link.freeNumber = -1;
  EXPECT_EQ(OpenTransferConnection(link, 8895), -1);
  EXPECT_EQ(std::tuple(link.calls.size(), link.sent.size()), std::tuple(6u, 0u));  // nothing opened
}

TEST_F(TransferTest, ProgressWindowFollowsTheStagesOnlyInteractively) {
  const test::TempFolder folder;
  const std::string path = folder.Path("texts.ini");
  test::WriteFile(path, "[MsgStr]\nMsg11=Busy\nMsg17=Items\nMsg18=NTP 100%%\nMsg19=SNMP\nMsg20=Mail\n");
  CProfileFile file;
  file.SetPathName(path.c_str());
  CTextTable texts(file);
  ctx.texts = &texts;
  ctx.progress = &link;
  session.Interactive = false;
  EXPECT_EQ(Run(false), 1);
  EXPECT_TRUE(link.calls.empty());
  session.Interactive = true;
  EXPECT_EQ(Run(true), 1);
  EXPECT_EQ(link.calls,
            (std::vector<std::string>{"Create Busy", "GoModal Progress", "SetRange 0 4 1", "SetStatus Items",
                                      "StepIt", "SetStatus NTP 100%", "StepIt", "SetStatus SNMP", "StepIt",
                                      "SetStatus Mail", "StepIt", "SetPos 4", "destroyed"}));
  link.calls.clear();
  link.fault = {1, M::kFailStatus};
  Fill(link.module, 1, 0);
  EXPECT_EQ(Run(true), -3);  // no further stage, no SetPos
  EXPECT_EQ(std::tuple(link.calls.size(), link.calls.back()), std::tuple(6u, "destroyed"));
}

}  // namespace
}  // namespace qx
