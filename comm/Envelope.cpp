#include "comm/Envelope.h"

#include <algorithm>
#include <cassert>

#include "platform/ByteOrder.h"

namespace qx::envelope {
namespace {

std::vector<uint8_t> Encode(uint16_t kind, std::size_t prefixSize, std::span<const uint8_t> frame) {
  const std::size_t body = prefixSize + frame.size();
  assert(body <= kMaxBodySize);
  std::vector<uint8_t> out(kHeaderSize + body);
  PutBe32(out.data(), kMagic);
  PutBe16(out.data() + 4, kind);
  PutBe16(out.data() + 6, static_cast<uint16_t>(body));
  if (!frame.empty()) {
    std::copy(frame.begin(), frame.end(),
              out.begin() + static_cast<std::ptrdiff_t>(kHeaderSize + prefixSize));
  }
  return out;
}

}  // namespace

ScanResult ScanEnvelope(std::span<const uint8_t> bytes, uint16_t expectedKind) {
  if (bytes.size() < kHeaderSize) return {Scan::kNeedMore, kHeaderSize};
  const uint8_t* p = bytes.data();
  if (GetBe32(p) != kMagic) return {Scan::kBadMagic, 0};
  if (GetBe16(p + 4) != expectedKind) return {Scan::kBadKind, 0};
  const std::size_t body = GetBe16(p + 6);
  const bool request = expectedKind == kKindRequest;
  const std::size_t minBody = request ? kRequestPrefixSize : kReplyPrefixSize;
  const std::size_t maxBody = request ? kMaxBodySize : kMaxReplyBodySize;
  if (body > maxBody) return {Scan::kTooLong, 0};
  if (body < minBody) return {Scan::kTooShort, 0};
  const std::size_t size = kHeaderSize + body;
  return {bytes.size() >= size ? Scan::kComplete : Scan::kNeedMore, size};
}

std::vector<uint8_t> EncodeRequest(uint32_t driverId, uint32_t targetIp, uint32_t targetPort,
                                   std::span<const uint8_t> frame) {
  assert(frame.size() <= kMaxRequestFrameSize);
  std::vector<uint8_t> out = Encode(kKindRequest, kRequestPrefixSize, frame);
  PutBe32(out.data() + kHeaderSize, driverId);
  PutBe32(out.data() + kHeaderSize + 4, targetIp);
  PutBe32(out.data() + kHeaderSize + 8, targetPort);
  return out;
}

std::vector<uint8_t> EncodeReply(uint16_t status, std::span<const uint8_t> frame) {
  assert(frame.size() <= kMaxReplyFrameSize);
  std::vector<uint8_t> out = Encode(kKindReply, kReplyPrefixSize, frame);
  PutBe16(out.data() + kHeaderSize, status);
  return out;
}

Request DecodeRequest(std::span<const uint8_t> envelope) {
  const uint8_t* body = envelope.data() + kHeaderSize;
  return {GetBe32(body), GetBe32(body + 4), GetBe32(body + 8),
          envelope.subspan(kHeaderSize + kRequestPrefixSize)};
}

Reply DecodeReply(std::span<const uint8_t> envelope) {
  return {GetBe16(envelope.data() + kHeaderSize), envelope.subspan(kHeaderSize + kReplyPrefixSize)};
}

}  // namespace qx::envelope
