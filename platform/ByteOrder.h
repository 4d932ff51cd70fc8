// ByteOrder: big-endian 16- and 32-bit fields in byte buffers, the one pair
// of helpers behind the register image (config/RegisterCodec.h), the
// manager's envelope and the request frames. 32-bit fields here are plain
// big-endian; the register image keeps the low register of a 32-bit field
// first, which RegisterCodec.h builds from the 16-bit pair.
#pragma once

#include <cstdint>

namespace qx {

inline uint16_t GetBe16(const uint8_t* p) {
  return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

inline void PutBe16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}

inline uint32_t GetBe32(const uint8_t* p) {
  return (static_cast<uint32_t>(GetBe16(p)) << 16) | GetBe16(p + 2);
}

inline void PutBe32(uint8_t* p, uint32_t v) {
  PutBe16(p, static_cast<uint16_t>(v >> 16));
  PutBe16(p + 2, static_cast<uint16_t>(v));
}

}  // namespace qx
