// Register encoding of the module's image: the one place where image bytes
// become host values and back.
//
// A 16-bit field is one register, big-endian. A 32-bit field is two
// big-endian registers with the LOW 16 bits in the FIRST register, so the
// IPv4 address a.b.c.d (value a<<24 | b<<16 | c<<8 | d) is stored as the
// bytes c, d, a, b. Signed 32-bit fields use the same layout in two's
// complement.
#pragma once

#include <cstdint>

#include "platform/ByteOrder.h"

namespace qx {

inline uint16_t DecodeU16(const uint8_t* p) {
  return GetBe16(p);
}

inline void EncodeU16(uint8_t* p, uint16_t v) {
  PutBe16(p, v);
}

inline uint32_t DecodeU32(const uint8_t* p) {
  return static_cast<uint32_t>(DecodeU16(p)) |
         (static_cast<uint32_t>(DecodeU16(p + 2)) << 16);
}

inline void EncodeU32(uint8_t* p, uint32_t v) {
  EncodeU16(p, static_cast<uint16_t>(v));
  EncodeU16(p + 2, static_cast<uint16_t>(v >> 16));
}

inline int32_t DecodeS32(const uint8_t* p) {
  return static_cast<int32_t>(DecodeU32(p));
}

inline void EncodeS32(uint8_t* p, int32_t v) {
  EncodeU32(p, static_cast<uint32_t>(v));
}

}  // namespace qx
