#include "dataexch/NumberText.h"

#include <limits>

namespace qx {
namespace {

constexpr uint64_t kMax32 = std::numeric_limits<uint32_t>::max();

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

uint32_t ReadDigits(std::string_view text, unsigned base) {
  uint64_t value = 0;
  for (char c : text) {
    const int d = HexDigit(c);
    if (d < 0 || static_cast<unsigned>(d) >= base) break;
    value = value * base + static_cast<unsigned>(d);
    if (value > kMax32) return static_cast<uint32_t>(kMax32);
  }
  return static_cast<uint32_t>(value);
}

}  // namespace

uint32_t ReadDecimal(std::string_view text) {
  return ReadDigits(text, 10);
}

uint32_t ReadHex(std::string_view text) {
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  return ReadDigits(text, 16);
}

uint32_t ReadOctalDigits(std::string_view text) {
  uint32_t n = ReadDecimal(text);
  uint32_t value = 0;
  uint32_t weight = 1;
  // Ten decimal digits at most, so the sum stays below 9 * 8^10 / 7 < 2^31.
  for (; n > 0; n /= 10, weight *= 8) value += (n % 10) * weight;
  return value;
}

std::string_view CommaField(std::string_view value, std::size_t index) {
  for (; index > 0; --index) {
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos) return {};
    value.remove_prefix(comma + 1);
  }
  return value.substr(0, value.find(','));
}

std::string_view SkipBlanks(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t");
  return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

}  // namespace qx
