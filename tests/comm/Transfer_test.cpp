// Upload and download as request sequences: which frames go out, in which
// order, how replies are judged, and what each failure returns.
#include "comm/Transfer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "platform/ProfileFile.h"
#include "tests/comm/RecordingLink.h"
#include "tests/support/ScriptedUi.h"

namespace qx {
namespace {

using test::Misbehave;
using Req = std::tuple<uint16_t, uint32_t, int>;  // operation, first register, count
constexpr uint16_t R = frames::kOpRead, W = frames::kOpWrite;

// Fills every item, NTP, SNMP and mail byte with a pattern; count items.
void Fill(ModuleConfig& m, int count, uint8_t salt) {
  for (std::size_t i = 0; i < ModuleConfig::kSize; ++i) m.Bytes()[i] = static_cast<uint8_t>(i * 7 + salt);
  m.SetItemCount(static_cast<uint16_t>(count));
}

std::vector<Req> ItemRequests(uint16_t op, int items) {
  std::vector<Req> out;
  for (int regs = 64 * items, at = 0; regs > 0; regs -= 490, at += 490) {
    out.emplace_back(op, 0x10001040 + at, std::min(regs, 490));
  }
  return out;
}

std::vector<Req> FullSequence(uint16_t op, int items) {
  std::vector<Req> out{{op, 0x10001000, 64}};
  for (const Req& r : ItemRequests(op, items)) out.push_back(r);
  out.insert(out.end(),
             {{op, 0x10000000, 16}, {op, 0x10000100, 144}, {op, 0x10004000, 490}, {op, 0x100041EA, 280}});
  return out;
}

class ProgressLog : public ProgressFactory {
 public:
  std::vector<std::string> calls;
  std::unique_ptr<ProgressWindow> Make() override { return std::make_unique<Window>(calls); }

 private:
  struct Window : ProgressWindow {
    explicit Window(std::vector<std::string>& c) : c_(c) {}
    ~Window() override { c_.push_back("destroyed"); }
    bool Create(const std::string& caption, bool smooth) override { return Add("Create " + caption, smooth); }
    void GoModal(const std::string& title, bool smooth) override { Add("GoModal " + title, smooth); }
    void SetRange(int l, int u, int s) override { Add("SetRange " + Nums(l, u, s)); }
    void StepIt() override { Add("StepIt"); }
    int SetPos(int p) override { return Add("SetPos " + std::to_string(p)), 0; }
    void SetStatus(const std::string& text) override { Add("SetStatus " + text); }
    bool Add(std::string s, bool smooth = false) { return c_.push_back(s + (smooth ? " smooth" : "")), true; }
    static std::string Nums(int a, int b, int c) {
      return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c);
    }
    std::vector<std::string>& c_;
  };
};

class TransferTest : public ::testing::Test {
 protected:
  TransferTest() { link.pumps = &ui.pumps; }
  std::vector<Req> Requests() const {
    std::vector<Req> out;
    for (const auto& s : link.sent) out.emplace_back(s.Op(), s.Address(), s.Count());
    return out;
  }
  int Upload() { return UploadModule(ctx, 4, 1, 1, 3); }
  int Download() { return DownloadModule(ctx, 4, 1, 1, 3); }

  test::RecordingLink link;
  ModuleConfig record;
  SessionFields session;
  test::ScriptedUi ui;
  TransferContext ctx{link, record, session, &ui};
};

TEST_F(TransferTest, UploadOfFullTableReadsFourteenFramesInBlockOrder) {
  Fill(link.module, 64, 1);
  EXPECT_EQ(Upload(), 1);
  EXPECT_EQ(Requests(), FullSequence(R, 64));
  EXPECT_EQ(record, link.module);
  // One pump before each chunk of the items (9) and mail (2) blocks only.
  EXPECT_EQ(ui.pumps, 11);
  EXPECT_EQ(link.sent[1].pumpsBefore, 1);
  EXPECT_EQ(link.sent[10].pumpsBefore, 9);
}

TEST_F(TransferTest, DownloadOfFullTableWritesFourteenFramesOfTheRecord) {
  Fill(record, 64, 2);
  EXPECT_EQ(Download(), 1);
  EXPECT_EQ(Requests(), FullSequence(W, 64));
  EXPECT_EQ(link.module, record);
  std::vector<std::size_t> sizes;
  for (const auto& s : link.sent) sizes.push_back(s.frame.size());
  EXPECT_EQ(sizes,
            (std::vector<std::size_t>{143, 995, 995, 995, 995, 995, 995, 995, 995, 367, 47, 303, 995, 575}));
}

TEST_F(TransferTest, ItemCountDecidesTheItemsBlock) {
  struct Case {
    int count;
    int expectItems;
  };
  for (Case c : {Case{0, 0}, Case{1, 1}, Case{8, 8}, Case{70, 64}, Case{1000, 64}}) {
    SCOPED_TRACE(c.count);
    for (bool upload : {true, false}) {
      link.sent.clear();
      Fill(link.module, c.count, 3);
      Fill(record, c.count, 4);
      const ModuleConfig before = record;
      ASSERT_EQ(upload ? Upload() : Download(), 1);
      EXPECT_EQ(Requests(), FullSequence(upload ? R : W, c.expectItems));
      if (upload) {
        // The table is the module's, clamped to 64 items; later items are empty.
        EXPECT_EQ(record.ItemCount(), c.expectItems);
        ModuleConfig empty;
        empty.ResetItem(1);
        for (int i = c.expectItems + 1; i <= 64; ++i)
          EXPECT_TRUE(std::equal(record.Item(i).data(), record.Item(i).data() + 128, empty.Item(1).data()));
      } else {
        EXPECT_EQ(record, before);  // only read
        EXPECT_EQ(link.module.ItemCount(), c.expectItems);
      }
    }
  }
}

TEST_F(TransferTest, FrameHeaderCarriesSessionAndPosition) {
  session = {.TargetStation = 300, .DriverId = 7, .TargetIp = 0xC0A80102, .TargetPort = 5020};
  record.SetItemCount(1);
  ASSERT_EQ(DownloadModule(ctx, 4, 300, 258, 8), 1);
  const test::SentRequest& first = link.sent[0];
  EXPECT_EQ(std::tie(first.connection, first.driverId, first.targetIp, first.targetPort),
            std::make_tuple(4, 7, static_cast<int>(0xC0A80102), 5020));
  const std::vector<uint8_t> header(first.frame.begin(), first.frame.begin() + 15);
  EXPECT_EQ(header, (std::vector<uint8_t>{0x2C, 0x42, 0x53, 0x00, 0x8A, 0x02, 0x08, 0x00, 0x07, 0x10, 0x00,
                                          0x10, 0x00, 0x00, 0x40}));
  EXPECT_EQ(std::vector<uint8_t>(link.sent[3].frame.begin(), link.sent[3].frame.begin() + 15),
            (std::vector<uint8_t>{0x2C, 0x42, 0x53, 0x01, 0x2A, 0x02, 0x08, 0x00, 0x07, 0x10, 0x00, 0x01,
                                  0x00, 0x00, 0x90}));
  EXPECT_EQ(link.sent[1].frame.size(), 143u);  // one item: 64 registers
  link.sent.clear();
  UploadModule(ctx, 4, 1, 1, 3);
  EXPECT_EQ(link.sent[0].frame, (std::vector<uint8_t>{0x01, 0x42, 0x54, 0x00, 0x0A, 0x01, 0x03, 0x00, 0x07,
                                                      0x10, 0x00, 0x10, 0x00, 0x00, 0x40}));
}

// Full table: request 0 header, 1-9 items, 10 NTP, 11 SNMP, 12-13 mail.
TEST_F(TransferTest, FailedExchangeEndsTransferWithItsBlockCode) {
  struct Case {
    int at;
    Misbehave how;
    int code;
  };
  const Case cases[] = {
      {0, Misbehave::kFailStatus, -1},  {0, Misbehave::kBroken, -1},     {1, Misbehave::kWrongEcho, -3},
      {9, Misbehave::kSilent, -3},      {10, Misbehave::kWrongEcho, -2}, {10, Misbehave::kSilent, -2},
      {11, Misbehave::kFailStatus, -3}, {12, Misbehave::kShortRead, -3}, {13, Misbehave::kBroken, -3}};
  for (const Case& c : cases) {
    for (bool upload : {true, false}) {
      SCOPED_TRACE(testing::Message() << c.at << (upload ? " upload" : " download"));
      link.sent.clear();
      link.faults = {{c.at, c.how}};
      Fill(link.module, 64, 5);
      Fill(record, 64, 6);
      const ModuleConfig before = record;
      if (c.how == Misbehave::kShortRead && !upload) continue;  // writes carry no data back
      EXPECT_EQ(upload ? Upload() : Download(), c.code);
      EXPECT_EQ(link.sent.size(), static_cast<std::size_t>(c.at + 1));  // never sent twice, nothing after
      if (upload && c.at == 10) {  // header and items arrived; NTP onwards untouched
        EXPECT_TRUE(std::equal(record.Bytes(), record.Bytes() + 0x2080, link.module.Bytes()));
        EXPECT_TRUE(std::equal(record.Bytes() + 0x2080, record.Bytes() + ModuleConfig::kSize,
                               before.Bytes() + 0x2080));
      }
      if (upload && c.at == 13) {  // a half-read mail block changes nothing
        EXPECT_TRUE(std::equal(record.Bytes() + 0x21C0, record.Bytes() + ModuleConfig::kSize,
                               before.Bytes() + 0x21C0));
      }
    }
  }
}

TEST_F(TransferTest, ReceiveIsRepeatedExceptForNtpAndSnmp) {
  session.ReceiveAttempts = 5;
  link.faults = {{0, Misbehave::kSilent}};
  EXPECT_EQ(Upload(), -1);
  EXPECT_EQ(link.sent[0].receiveCalls, 5);

  link.faults.clear();
  link.sent.clear();
  link.answerOnCall = 3;  // every reply comes on the third receive call
  EXPECT_EQ(Upload(), -2);
  ASSERT_EQ(link.sent.size(), 2u);  // header read after 3 calls, NTP gets one call
  EXPECT_EQ(link.sent[0].receiveCalls, 3);
  EXPECT_EQ(link.sent[1].receiveCalls, 1);

  link.answerOnCall = 1;
  link.faults = {{2, Misbehave::kSilent}};
  link.sent.clear();
  EXPECT_EQ(Download(), -3);
  EXPECT_EQ(link.sent.back().receiveCalls, 1);
}

TEST_F(TransferTest, RegisterBlocksAreChunkedAt490Registers) {
  struct Case {
    int bytes;
    std::vector<Req> requests;
  };
  const Case cases[] = {{980, {{R, 0x10001040, 490}}},
                        {1960, {{R, 0x10001040, 490}, {R, 0x1000122A, 490}}},
                        {1540, {{R, 0x10001040, 490}, {R, 0x1000122A, 280}}},
                        {128, {{R, 0x10001040, 64}}}};
  std::vector<uint8_t> data(2000);
  for (const Case& c : cases) {
    link.sent.clear();
    EXPECT_TRUE(ReadRegisterBlock(ctx, 0, 1, 1, 3, 0x10001040, c.bytes, data.data()));
    EXPECT_EQ(Requests(), c.requests);
  }
  link.sent.clear();
  EXPECT_FALSE(WriteRegisterBlock(ctx, 0, 1, 1, 3, 0x10001040, 0, data.data()));
  EXPECT_FALSE(ReadRegisterBlock(ctx, 0, 1, 1, 3, 0x10001040, 3, data.data()));
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(TransferTest, ConnectionIsOpenedAsTheManagerExpects) {
  EXPECT_EQ(OpenTransferConnection(link, 8895), 3);
  CloseTransferConnection(link, 3);
  EXPECT_EQ(link.calls, (std::vector<std::string>{"SetModbusMode(2)", "GetSocketConnNum",
                                                  "OpenSocket(3,1,0x7F000001,8895,0)", "CloseSocket(3)"}));
  link.freeNumber = -1;
  link.calls.clear();
  EXPECT_EQ(OpenTransferConnection(link, 8895), -1);
  EXPECT_EQ(link.calls.size(), 2u);
}

TEST_F(TransferTest, ProgressWindowFollowsTheStagesOnlyInteractively) {
  const std::string path = testing::TempDir() + "/qx_progress_texts.ini";
  std::ofstream(path)
      << "[MsgStr]\r\nMsg11=Busy\r\nMsg17=Items\r\nMsg18=NTP 100%%\r\nMsg19=SNMP\r\nMsg20=Mail\r\n";
  CProfileFile file;
  file.SetPathName(path.c_str());
  CTextTable texts(file);
  ProgressLog progress;
  ctx.texts = &texts;
  ctx.progress = &progress;
  session.Interactive = true;
  EXPECT_EQ(Upload(), 1);
  EXPECT_EQ(progress.calls,
            (std::vector<std::string>{"Create Busy", "GoModal Progress", "SetRange 0,4,1", "SetStatus Items",
                                      "StepIt", "SetStatus NTP 100%", "StepIt", "SetStatus SNMP", "StepIt",
                                      "SetStatus Mail", "StepIt", "SetPos 4", "destroyed"}));
  progress.calls.clear();
  link.sent.clear();
  link.faults = {{1, Misbehave::kFailStatus}};
  Fill(link.module, 1, 0);
  EXPECT_EQ(Upload(), -3);
  EXPECT_EQ(progress.calls.back(), "destroyed");
  EXPECT_EQ(progress.calls.size(), 6u);  // no further stage, no SetPos

  progress.calls.clear();
  session.Interactive = false;
  EXPECT_EQ(Download(), 1);
  EXPECT_TRUE(progress.calls.empty());
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace qx
