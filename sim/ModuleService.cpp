#include "sim/ModuleService.h"

#include <algorithm>
#include <string>

#include "comm/Frames.h"
#include "comm/RegisterMap.h"
#include "platform/ByteOrder.h"

namespace qx::sim {
namespace {

// The reply header, echoing whatever of the request's header is present.
std::vector<uint8_t> ReplyHeader(std::span<const uint8_t> request, std::size_t dataBytes) {
  std::vector<uint8_t> frame(frames::kReplyHeaderSize + dataBytes, 0);
  auto echo = [&](std::size_t at) {
    if (at < request.size()) frame[at] = request[at];
  };
  echo(0);
  echo(frames::kOpOffset);
  echo(frames::kOpOffset + 1);
  echo(frames::kRackOffset);
  echo(frames::kSlotOffset);
  PutBe16(frame.data() + frames::kLengthOffset, static_cast<uint16_t>(frames::kLengthBase + dataBytes));
  PutBe16(frame.data() + frames::kFixedOffset, frames::kFixedWord);
  return frame;
}

Answer Refuse(std::span<const uint8_t> request, uint16_t code) {
  return {code, ReplyHeader(request, 0)};
}

}  // namespace

Answer Serve(Plant& plant, std::span<const uint8_t> request, bool execute) {
  const std::optional<frames::RequestFields> r = frames::ParseRequest(request);
  if (!r) return Refuse(request, status::kBadLength);
  const ModuleAddress where{r->station, r->rack, r->slotNumber};
  const ModuleImage* image = plant.Find(where);
  if (image == nullptr) return Refuse(request, status::kNoModule);

  const uint16_t op = r->operation;
  if (op != frames::kOpRead && op != frames::kOpWrite) return Refuse(request, status::kUnknownOperation);
  const std::size_t afterLength = request.size() - (frames::kLengthOffset + 2);
  if (r->lengthField != afterLength) return Refuse(request, status::kBadLength);

  const uint32_t count = r->count;
  if (count == 0 || count > frames::kMaxChunkRegisters) return Refuse(request, status::kBadCount);
  if (r->data.size() != (op == frames::kOpWrite ? 2 * count : 0)) return Refuse(request, status::kBadLength);

  const uint32_t first = r->address;
  const RegisterBlock* block = FindRegisterBlock(first, count);
  if (block == nullptr) return Refuse(request, status::kOutsideMap);
  const std::size_t offset = block->OffsetOf(first);

  if (op == frames::kOpRead) {
    Answer a{status::kSuccess, ReplyHeader(request, 2 * count)};
    std::copy_n(image->begin() + static_cast<std::ptrdiff_t>(offset), 2 * count,
                a.frame.begin() + static_cast<std::ptrdiff_t>(frames::kReplyDataOffset));
    return a;
  }
  if (execute) {
    std::string error;
    if (!plant.Write(where, offset, r->data, error)) {
      Answer refused = Refuse(request, status::kNotSaved);
      refused.error = error;
      return refused;
    }
  }
  return {status::kSuccess, ReplyHeader(request, 0)};
}

}  // namespace qx::sim
