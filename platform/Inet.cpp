#include "platform/Inet.h"

#include <array>
#include <bit>
#include <cstddef>
#include <optional>

#include "platform/Text.h"

namespace qx {
namespace {

bool IsDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}

// One part as strtoul with radix 0 reads it from a digit: "0x" followed by a
// hex digit is hexadecimal, a leading 0 octal, anything else decimal. A value
// above 32 bits is refused (nullopt). pos ends after the digits read.
std::optional<uint32_t> ReadPart(std::string_view text, std::size_t& pos) {
  int radix = 10;
  if (text[pos] == '0') {
    radix = 8;
    const bool hexPrefix = pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X');
    if (hexPrefix && pos + 2 < text.size() && DigitIn(text[pos + 2], 16) >= 0) {
      radix = 16;
      pos += 2;
    }
  }
  uint64_t value = 0;
  for (int d; pos < text.size() && (d = DigitIn(text[pos], radix)) >= 0;) {
    value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFu) return std::nullopt;
    ++pos;
  }
  return static_cast<uint32_t>(value);
}

}  // namespace

uint32_t InetAddrHostOrder(std::string_view text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);

  // The largest value the last part may take when it is part 1, 2, 3 or 4.
  constexpr std::array<uint32_t, 4> kLastPartMax = {0xFFFFFFFFu, 0xFFFFFFu, 0xFFFFu, 0xFFu};
  std::array<uint32_t, 3> leading{};
  std::size_t count = 0;  // leading parts stored
  std::size_t pos = 0;
  uint32_t last = 0;
  for (;;) {
    if (pos >= text.size() || !IsDecimalDigit(text[pos])) return kInetNone;
    std::optional<uint32_t> part = ReadPart(text, pos);
    if (!part) return kInetNone;
    if (pos < text.size() && text[pos] == '.') {
      if (count == leading.size() || *part > 0xFF) return kInetNone;
      leading[count++] = *part;
      ++pos;
      continue;
    }
    last = *part;
    break;
  }
  if (pos < text.size() && !IsCSpace(text[pos])) return kInetNone;
  if (last > kLastPartMax[count]) return kInetNone;

  uint32_t value = last;
  for (std::size_t i = 0; i < count; ++i) value |= leading[i] << (24 - 8 * i);
  return value;
}

uint32_t InetAddr(std::string_view text) {
  return HostToNet32(InetAddrHostOrder(text));
}

uint32_t HostToNet32(uint32_t value) {
  if constexpr (std::endian::native == std::endian::big) return value;
  return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}

uint32_t NetToHost32(uint32_t value) {
  return HostToNet32(value);
}

uint16_t HostToNet16(uint16_t value) {
  if constexpr (std::endian::native == std::endian::big) return value;
  return static_cast<uint16_t>((value >> 8) | (value << 8));
}

uint16_t NetToHost16(uint16_t value) {
  return HostToNet16(value);
}

std::string DottedQuad(uint32_t hostOrder) {
  return std::to_string(hostOrder >> 24) + "." + std::to_string((hostOrder >> 16) & 0xFF) + "." +
         std::to_string((hostOrder >> 8) & 0xFF) + "." + std::to_string(hostOrder & 0xFF);
}

}  // namespace qx
