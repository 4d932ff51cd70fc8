// Envelope bytes and the reply judge, stated byte for byte.
#include "comm/Envelope.h"

#include <gtest/gtest.h>

#include "comm/Frames.h"

namespace qx {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(EnvelopeTest, RequestAndReplyBytes) {
  const Bytes frame{0x01, 0x42, 0x54};
  EXPECT_EQ(envelope::EncodeRequest(0x01020304, 0xC0A80001, 502, frame),
            (Bytes{0x51, 0x58, 0x43, 0x4D, 0x00, 0x01, 0x00, 0x0F, 0x01, 0x02, 0x03, 0x04,
                   0xC0, 0xA8, 0x00, 0x01, 0x00, 0x00, 0x01, 0xF6, 0x01, 0x42, 0x54}));
  const Bytes reply = envelope::EncodeReply(0x0100, frame);
  EXPECT_EQ(reply, (Bytes{0x51, 0x58, 0x43, 0x4D, 0x00, 0x02, 0x00, 0x05, 0x01, 0x00, 0x01, 0x42, 0x54}));
  const envelope::Reply r = envelope::DecodeReply(reply);
  EXPECT_EQ(r.status, 0x0100);
  EXPECT_EQ(Bytes(r.frame.begin(), r.frame.end()), frame);
}

TEST(EnvelopeTest, ScanJudgesTheHeaderBeforeTheBody) {
  using envelope::Scan;
  struct Case {
    Bytes bytes;
    uint16_t kind;
    Scan state;
    std::size_t size;
  };
  const Case cases[] = {
      {{0x51, 0x58, 0x43}, 2, Scan::kNeedMore, 8},
      {{0x51, 0x58, 0x43, 0x4D, 0x00, 0x02, 0x00, 0x05, 0x01}, 2, Scan::kNeedMore, 13},
      {{0x51, 0x58, 0x43, 0x4D, 0x00, 0x02, 0x00, 0x02, 0x01, 0x00}, 2, Scan::kComplete, 10},
      {{0x51, 0x58, 0x43, 0x4E, 0x00, 0x02, 0x00, 0x02}, 2, Scan::kBadMagic, 0},
      {{0x51, 0x58, 0x43, 0x4D, 0x00, 0x01, 0x00, 0x02}, 2, Scan::kBadKind, 0},
      {{0x51, 0x58, 0x43, 0x4D, 0x00, 0x02, 0x05, 0xDF}, 2, Scan::kTooLong, 0},  // 1503 > 2 + 1500
      {{0x51, 0x58, 0x43, 0x4D, 0x00, 0x02, 0x05, 0xDE}, 2, Scan::kNeedMore, 1510},
      {{0x51, 0x58, 0x43, 0x4D, 0x00, 0x02, 0x00, 0x01}, 2, Scan::kTooShort, 0},
      {{0x51, 0x58, 0x43, 0x4D, 0x00, 0x01, 0x06, 0x41}, 1, Scan::kTooLong, 0},   // 1601
      {{0x51, 0x58, 0x43, 0x4D, 0x00, 0x01, 0x00, 0x0B}, 1, Scan::kTooShort, 0},  // 11 < 12
  };
  for (const Case& c : cases) {
    const envelope::ScanResult r = envelope::ScanEnvelope(c.bytes, c.kind);
    EXPECT_EQ(r.state, c.state);
    if (!envelope::IsMalformed(r.state)) {
      EXPECT_EQ(r.size, c.size);
    }
  }
}

TEST(FramesTest, JudgeNeedsSuccessEchoAndWholeReadData) {
  uint8_t read[frames::kBufferSize], write[frames::kBufferSize];
  const frames::FrameTarget t{1, 1, 3};
  frames::BuildReadRequest(read, t, 0x10000000, 16);
  const uint8_t data[4] = {1, 2, 3, 4};
  EXPECT_EQ(frames::BuildWriteRequest(write, t, 0x10000000, data, 4), 19u);
  EXPECT_EQ(Bytes(write, write + 19), (Bytes{0x01, 0x42, 0x53, 0x00, 0x0E, 0x01, 0x03, 0x00, 0x07, 0x10, 0x00,
                                             0x00, 0x00, 0x00, 0x02, 1, 2, 3, 4}));
  struct Case {
    const uint8_t* request;
    int received;
    int status;
    uint8_t op2;
    bool ok;
  };
  const Case cases[] = {
      {read, 41, 0x100, 0x54, true},  {read, 40, 0x100, 0x54, false},  // one data byte short
      {read, 0, 0x100, 0x54, true},                                    // nothing new, but the buffer decides
      {read, 41, 0x101, 0x54, false}, {read, 41, 0x100, 0x53, false},  // "BS" answering a read
      {read, -1, 0x100, 0x54, false}, {write, 9, 0x100, 0x53, true},  {write, 3, 0x100, 0x54, false},
  };
  for (const Case& c : cases) {
    uint8_t reply[frames::kBufferSize] = {0x01, 0x42, c.op2};
    EXPECT_EQ(frames::JudgeReply(c.request, c.received, c.status, reply), c.ok)
        << c.received << " " << c.status;
  }
  const uint8_t cleared[frames::kBufferSize] = {};
  EXPECT_FALSE(frames::JudgeReply(write, 0, 0x100, cleared));
}

}  // namespace
}  // namespace qx
