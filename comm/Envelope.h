// Envelope: the framing between CXferKit and the communication manager
// (qxcommd stands in for it). Every message on the TCP stream is an 8-byte
// header and a body; all integers are big-endian:
//
//   header   magic 0x5158434D ("QXCM") | kind (1 request, 2 reply) | body length
//   request  driver id | target IPv4 address | target port | request frame
//   reply    status (0x0100 success) | reply frame (at most 1500 bytes)
//
// The library and the simulator both encode and decode through this file,
// so the two sides cannot drift apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qx::envelope {

constexpr uint32_t kMagic = 0x5158434D;
constexpr uint16_t kKindRequest = 1;
constexpr uint16_t kKindReply = 2;

constexpr std::size_t kHeaderSize = 4 + 2 + 2;  // magic, kind, body length
constexpr std::size_t kMaxBodySize = 1600;
constexpr std::size_t kMaxEnvelopeSize = kHeaderSize + kMaxBodySize;

constexpr std::size_t kRequestPrefixSize = 4 + 4 + 4;  // driver id, target ip, target port
constexpr std::size_t kMaxRequestFrameSize = kMaxBodySize - kRequestPrefixSize;

constexpr std::size_t kReplyPrefixSize = 2;  // status
constexpr std::size_t kMaxReplyFrameSize = 1500;
constexpr std::size_t kMaxReplyBodySize = kReplyPrefixSize + kMaxReplyFrameSize;
constexpr std::size_t kMaxReplyEnvelopeSize = kHeaderSize + kMaxReplyBodySize;

constexpr uint16_t kStatusSuccess = 0x0100;
constexpr uint16_t kStatusFailure = 0x0101;

static_assert(kHeaderSize == 8);
static_assert(kMaxRequestFrameSize == 1588);
static_assert(kMaxReplyBodySize == 1502 && kMaxReplyBodySize <= kMaxBodySize);

// What the bytes received so far (starting at an envelope boundary) hold.
enum class Scan {
  kNeedMore,  // not yet a whole envelope; `size` bytes are needed in all
  kComplete,  // the first `size` bytes are one whole envelope
  kBadMagic,
  kBadKind,
  kTooLong,   // body longer than the limit of its kind
  kTooShort,  // body too short to hold its prefix
};

struct ScanResult {
  Scan state;
  std::size_t size;  // bytes of the whole envelope once its header is in, else kHeaderSize
};

inline bool IsMalformed(Scan s) {
  return s != Scan::kNeedMore && s != Scan::kComplete;
}

// Judges the header as soon as it is complete, so a malformed envelope is
// recognised before its body is waited for.
ScanResult ScanEnvelope(std::span<const uint8_t> bytes, uint16_t expectedKind);

struct Request {
  uint32_t driverId;
  uint32_t targetIp;
  uint32_t targetPort;
  std::span<const uint8_t> frame;  // points into the envelope given to DecodeRequest
};

struct Reply {
  uint16_t status;
  std::span<const uint8_t> frame;  // points into the envelope given to DecodeReply
};

// REQUIRES: frame.size() <= kMaxRequestFrameSize.
std::vector<uint8_t> EncodeRequest(uint32_t driverId, uint32_t targetIp, uint32_t targetPort,
                                   std::span<const uint8_t> frame);
// REQUIRES: frame.size() <= kMaxReplyFrameSize.
std::vector<uint8_t> EncodeReply(uint16_t status, std::span<const uint8_t> frame);

// REQUIRES: ScanEnvelope(envelope, kind) gave kComplete with envelope.size().
Request DecodeRequest(std::span<const uint8_t> envelope);
Reply DecodeReply(std::span<const uint8_t> envelope);

}  // namespace qx::envelope
