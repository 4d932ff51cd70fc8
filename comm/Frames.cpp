#include "comm/Frames.h"

#include <cassert>
#include <cstdio>
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

namespace {

std::size_t NeededReadReply(const uint8_t* request) {
  return kReplyDataOffset + 2 * std::size_t{GetBe16(request + kCountOffset)};
}

}  // namespace

ReplyFault CheckReply(const uint8_t* request, int received, int status, const uint8_t* reply) {
  if (received < 0) return ReplyFault::kLinkLost;
  // Nothing received leaves the buffer cleared: it can never echo the operation.
  if (received == 0) return ReplyFault::kNoReply;
  if (status != envelope::kStatusSuccess) return ReplyFault::kStatus;
  if (reply[1] != request[1] || reply[2] != request[2]) return ReplyFault::kWrongOperation;
  if (GetBe16(request + kOpOffset) == kOpRead && static_cast<std::size_t>(received) < NeededReadReply(request)) {
    return ReplyFault::kShortRead;
  }
  return ReplyFault::kAccepted;
}

bool JudgeReply(const uint8_t* request, int received, int status, const uint8_t* reply) {
  return CheckReply(request, received, status, reply) == ReplyFault::kAccepted;
}

std::string DescribeReplyFault(ReplyFault fault, const uint8_t* request, int received, int status,
                               const uint8_t* reply) {
  const uint16_t op = GetBe16(request + kOpOffset);
  const uint32_t address = (uint32_t{GetBe16(request + kAddressOffset)} << 16) | GetBe16(request + kAddressOffset + 2);
  char text[160];
  int n = std::snprintf(text, sizeof text, "%s of 0x%08X+%u: ", op == kOpRead ? "read" : "write",
                        static_cast<unsigned>(address), unsigned{GetBe16(request + kCountOffset)});
  const std::size_t room = sizeof text - static_cast<std::size_t>(n);
  switch (fault) {
    case ReplyFault::kAccepted:
      std::snprintf(text + n, room, "accepted");
      break;
    case ReplyFault::kLinkLost:
      std::snprintf(text + n, room, "no frame: connection closed or broken, reply malformed, or status 0x%04X alone",
                    static_cast<unsigned>(status) & 0xFFFFu);
      break;
    case ReplyFault::kNoReply:
      std::snprintf(text + n, room, "no reply in time");
      break;
    case ReplyFault::kStatus:
      std::snprintf(text + n, room, "reply status 0x%04X", static_cast<unsigned>(status) & 0xFFFFu);
      break;
    case ReplyFault::kWrongOperation:
      std::snprintf(text + n, room, "reply echoes operation 0x%04X, not 0x%04X", unsigned{GetBe16(reply + kOpOffset)},
                    unsigned{op});
      break;
    case ReplyFault::kShortRead:
      std::snprintf(text + n, room, "read reply of %d bytes, %zu needed", received, NeededReadReply(request));
      break;
  }
  return text;
}

}  // namespace qx::frames
