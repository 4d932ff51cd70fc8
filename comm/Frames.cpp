#include "comm/Frames.h"

#include <cassert>
#include <cstring>

#include "comm/Envelope.h"
#include "platform/ByteOrder.h"

namespace qx::frames {
namespace {

void PutHeader(uint8_t* out, const FrameTarget& t, uint16_t op, uint32_t address, int registers,
               int dataBytes) {
  out[0] = static_cast<uint8_t>(t.station);
  PutBe16(out + kOpOffset, op);
  PutBe16(out + kLengthOffset, static_cast<uint16_t>(kLengthBase + static_cast<std::size_t>(dataBytes)));
  out[kRackOffset] = static_cast<uint8_t>(t.rack);
  out[kSlotOffset] = static_cast<uint8_t>(t.slotNumber);
  PutBe16(out + kFixedOffset, kFixedWord);
  PutBe32(out + kAddressOffset, address);
  PutBe16(out + kCountOffset, static_cast<uint16_t>(registers));
}

}  // namespace

std::size_t BuildReadRequest(uint8_t* out, const FrameTarget& target, uint32_t address, int registers) {
  assert(registers > 0 && registers <= kMaxChunkRegisters);
  PutHeader(out, target, kOpRead, address, registers, 0);
  return kRequestHeaderSize;
}

std::size_t BuildWriteRequest(uint8_t* out, const FrameTarget& target, uint32_t address, const uint8_t* data,
                              int byteCount) {
  assert(byteCount > 0 && byteCount <= kMaxChunkBytes && byteCount % 2 == 0);
  PutHeader(out, target, kOpWrite, address, byteCount / 2, byteCount);
  std::memcpy(out + kRequestHeaderSize, data, static_cast<std::size_t>(byteCount));
  return kRequestHeaderSize + static_cast<std::size_t>(byteCount);
}

std::optional<RequestFields> ParseRequest(std::span<const uint8_t> frame) {
  if (frame.size() < kRequestHeaderSize) return std::nullopt;
  const uint8_t* f = frame.data();
  return RequestFields{f[0],
                       GetBe16(f + kOpOffset),
                       GetBe16(f + kLengthOffset),
                       f[kRackOffset],
                       f[kSlotOffset],
                       GetBe32(f + kAddressOffset),
                       GetBe16(f + kCountOffset),
                       frame.subspan(kRequestHeaderSize)};
}

bool JudgeReply(const uint8_t* request, int received, int status, const uint8_t* reply) {
  if (received < 0) return false;
  if (status != envelope::kStatusSuccess) return false;
  if (reply[1] != request[1] || reply[2] != request[2]) return false;
  if (received > 0 && GetBe16(request + kOpOffset) == kOpRead) {
    const std::size_t needed = kReplyDataOffset + 2 * std::size_t{GetBe16(request + kCountOffset)};
    if (static_cast<std::size_t>(received) < needed) return false;
  }
  return true;
}

}  // namespace qx::frames
