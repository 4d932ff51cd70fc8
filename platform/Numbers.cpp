#include "platform/Numbers.h"

#include <cstddef>

#include "platform/Text.h"

namespace qx {
namespace {


}  // namespace

uint32_t ReadUnsigned32(std::string_view text, int base) {
  if (base != 2 && base != 8 && base != 16) base = 10;
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // "0x" counts as a prefix only when a hexadecimal digit follows it;
  // otherwise the 0 is the number and the x ends it.
  if (base == 16 && i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
      DigitIn(text[i + 2], 16) >= 0) {
    i += 2;
  }
  uint64_t value = 0;
  bool saturated = false;
  for (int d; i < text.size() && (d = DigitIn(text[i], base)) >= 0; ++i) {
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFu) {
      saturated = true;
      value = 0xFFFFFFFFu;  // the remaining digits are still taken, as strtoul does
    }
  }
  if (saturated) return 0xFFFFFFFFu;
  const auto v = static_cast<uint32_t>(value);
  return negative ? 0u - v : v;
}

std::optional<uint32_t> ParseWholeNumber(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    const int d = DigitIn(c, base);
    if (d < 0) return std::nullopt;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

}  // namespace qx
