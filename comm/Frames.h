// Frames: the request frames of the register transfer and the one judge of
// their replies. Every register access the plug-in makes is built here.
//
// Request frame (all multi-byte fields big-endian):
//   station(1) operation(2) length(2) rack(1) slot number(1) 0x0007(2)
//   first register(4) register count(2) [write: 2 x count data bytes]
// The length field counts the bytes after it: 10 + data bytes.
//
// Reply frame, as the communication manager returns it: bytes 1-2 echo the
// request's operation; a read reply carries its data from byte 9. The other
// bytes (station, length, rack, slot, 0x0007) belong to the manager; qxcommd
// fills them as the request has them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace qx::frames {

constexpr uint16_t kOpRead = 0x4254;   // "BT"
constexpr uint16_t kOpWrite = 0x4253;  // "BS"
constexpr uint16_t kFixedWord = 0x0007;

constexpr std::size_t kOpOffset = 1;
constexpr std::size_t kLengthOffset = 1 + 2;
constexpr std::size_t kRackOffset = kLengthOffset + 2;
constexpr std::size_t kSlotOffset = kRackOffset + 1;
constexpr std::size_t kFixedOffset = kSlotOffset + 1;
constexpr std::size_t kAddressOffset = kFixedOffset + 2;
constexpr std::size_t kCountOffset = kAddressOffset + 4;
constexpr std::size_t kRequestHeaderSize = kCountOffset + 2;
// Bytes after the length field in a request without data.
constexpr std::size_t kLengthBase = kRequestHeaderSize - (kLengthOffset + 2);

constexpr std::size_t kReplyHeaderSize = kAddressOffset;  // a read reply's data begins here
constexpr std::size_t kReplyDataOffset = kReplyHeaderSize;

constexpr std::size_t kBufferSize = 1500;  // send and receive buffers
constexpr int kMaxChunkRegisters = 490;
constexpr int kMaxChunkBytes = 2 * kMaxChunkRegisters;

static_assert(kRequestHeaderSize == 15 && kLengthBase == 10 && kReplyDataOffset == 9);
static_assert(kRequestHeaderSize + kMaxChunkBytes == 995 && 995 <= kBufferSize);
static_assert(kReplyDataOffset + kMaxChunkBytes <= kBufferSize);

// Where a request goes. Each value is sent as its low 8 bits.
struct FrameTarget {
  int station;
  int rack;
  int slotNumber;  // zero-based slot index + 1
};

// Both builders write into a buffer of kBufferSize bytes and return the
// request's length.
// REQUIRES: 0 < registers <= kMaxChunkRegisters.
std::size_t BuildReadRequest(uint8_t* out, const FrameTarget& target, uint32_t address, int registers);
// REQUIRES: byteCount even, 0 < byteCount <= kMaxChunkBytes; data holds byteCount bytes, copied
// unchanged (the image is already in register byte order).
std::size_t BuildWriteRequest(uint8_t* out, const FrameTarget& target, uint32_t address, const uint8_t* data,
                              int byteCount);

// What a request frame says, as the communication manager (qxcommd) reads
// it. lengthField is the frame's own claim; data is every byte after the
// header, whatever the length field and the count say.
struct RequestFields {
  uint8_t station;
  uint16_t operation;
  uint16_t lengthField;
  uint8_t rack;
  uint8_t slotNumber;
  uint32_t address;
  uint16_t count;
  std::span<const uint8_t> data;  // points into the frame given to ParseRequest
};

// The fields of a frame of at least kRequestHeaderSize bytes; nullopt for a
// shorter one.
std::optional<RequestFields> ParseRequest(std::span<const uint8_t> frame);

// The judge of one exchange: received is the last receive result and reply
// the cleared-then-filled receive buffer. Fails on a negative result, a
// status other than 0x0100, or bytes 1-2 not echoing the request's
// operation. A read reply that reports bytes (received > 0) but too few to
// hold the asked registers also fails, so a cut-short reply never passes
// zeros off as data.
// REQUIRES: request is a frame built above; reply holds kBufferSize bytes.
bool JudgeReply(const uint8_t* request, int received, int status, const uint8_t* reply);

// Why JudgeReply refuses an exchange, checked in this order; kAccepted when
// it does not. kLinkLost: the receive gave -1 (connection closed or broken,
// a malformed envelope, or a status without a frame); kNoReply: nothing
// whole arrived in the receive calls.
enum class ReplyFault { kAccepted, kLinkLost, kNoReply, kStatus, kWrongOperation, kShortRead };
ReplyFault CheckReply(const uint8_t* request, int received, int status, const uint8_t* reply);

// One line for the failure trace: the request's registers and what was
// wrong with its reply, e.g. "read of 0x10001040+490: reply status 0x0101".
// REQUIRES: as CheckReply, fault not kAccepted.
std::string DescribeReplyFault(ReplyFault fault, const uint8_t* request, int received, int status,
                               const uint8_t* reply);

}  // namespace qx::frames
