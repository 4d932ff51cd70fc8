// ModuleService: what a simulated module (with the manager routing to it)
// does with one request frame: judge it, execute it on the plant, and build
// the reply frame and status.
//
// Reply frame: byte 0 station, bytes 1-2 the request's operation, bytes
// 3-4 10 + data bytes, byte 5 rack, byte 6 slot number, bytes 7-8 0x0007,
// then for a read the register data. A refused request gets the same
// header (with whatever of it the request held) and no data.
//
// Statuses, judged in this order:
//   0x0100 success
//   0x0103 frame shorter than a request header (15 bytes)
//   0x0101 no module at the frame's station, rack and slot
//   0x0102 operation neither read 0x4254 nor write 0x4253
//   0x0103 length field not equal to the bytes after it
//   0x0104 register count 0 or above 490
//   0x0103 a read carrying data, or a write whose data is not 2 x count bytes
//   0x0105 registers not all inside one block of the register map
//   0x0106 the written image could not be saved in the state folder
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sim/Plant.h"

namespace qx::sim {

namespace status {
constexpr uint16_t kSuccess = 0x0100;
constexpr uint16_t kNoModule = 0x0101;
constexpr uint16_t kUnknownOperation = 0x0102;
constexpr uint16_t kBadLength = 0x0103;
constexpr uint16_t kBadCount = 0x0104;
constexpr uint16_t kOutsideMap = 0x0105;
constexpr uint16_t kNotSaved = 0x0106;
}  // namespace status

struct Answer {
  uint16_t status = status::kSuccess;
  std::vector<uint8_t> frame;
  std::string error;  // why a write could not be saved, for the operator
};

// With execute false a write is judged and answered but not applied.
Answer Serve(Plant& plant, std::span<const uint8_t> request, bool execute = true);

}  // namespace qx::sim
