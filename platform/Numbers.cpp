#include "platform/Numbers.h"

#include <algorithm>
#include <cstddef>

#include "platform/Text.h"

namespace qx {
namespace {

// The text after leading C white space and an optional sign; *negative
// tells which sign it was.
std::string_view SkipSpaceAndSign(std::string_view text, bool* negative) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  *negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) *negative = text[i++] == '-';
  return text.substr(i);
}

// The leading digits' value; *saturated when it went above 0xFFFFFFFF (the
// value is then 0xFFFFFFFF: strtoul takes the remaining digits, the value
// stays).
uint32_t LeadingDigits(std::string_view text, int base, bool* saturated) {
  if (base != 2 && base != 8 && base != 16) base = 10;
  // "0x" counts as a prefix only when a hexadecimal digit follows it;
  // otherwise the 0 is the number and the x ends it.
  if (base == 16 && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
      DigitIn(text[2], 16) >= 0) {
    text.remove_prefix(2);
  }
  uint64_t value = 0;
  for (char c : text) {
    const int d = DigitIn(c, base);
    if (d < 0) break;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFu) {
      *saturated = true;
      return 0xFFFFFFFFu;
    }
  }
  *saturated = false;
  return static_cast<uint32_t>(value);
}

}  // namespace

uint32_t ReadLeadingDigits32(std::string_view text, int base) {
  bool saturated = false;
  return LeadingDigits(text, base, &saturated);
}

uint32_t ReadUnsigned32(std::string_view text, int base) {
  bool negative = false;
  bool saturated = false;
  const uint32_t v = LeadingDigits(SkipSpaceAndSign(text, &negative), base, &saturated);
  if (saturated) return v;  // whatever the sign
  return negative ? 0u - v : v;
}

int32_t ReadClampedSigned32(std::string_view text) {
  bool negative = false;
  const int64_t magnitude = ReadLeadingDigits32(SkipSpaceAndSign(text, &negative), 10);
  const int64_t value = negative ? -magnitude : magnitude;
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
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

std::optional<int64_t> ParseWholeSignedNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const std::optional<uint32_t> magnitude = ParseWholeNumber(text);
  if (!magnitude) return std::nullopt;
  if (!negative) return int64_t{*magnitude};
  if (*magnitude > uint32_t{1} << 31) return std::nullopt;
  return -int64_t{*magnitude};
}

}  // namespace qx
