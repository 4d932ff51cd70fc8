#include "config/Base64.h"

#include <array>
#include <cstdint>

namespace qx {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kInvalid = -1;

constexpr std::array<int, 256> BuildDecodeTable() {
  std::array<int, 256> table{};
  for (int& entry : table) entry = kInvalid;
  for (int value = 0; value < 64; ++value) table[static_cast<unsigned char>(kAlphabet[value])] = value;
  table[static_cast<unsigned char>('=')] = 0;
  return table;
}

constexpr std::array<int, 256> kDecodeTable = BuildDecodeTable();

}  // namespace

std::string Base64Encode(std::string_view text) {
  std::string out;
  out.reserve((text.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= text.size(); i += 3) {
    const uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(text[i])) << 16 |
                           static_cast<uint32_t>(static_cast<unsigned char>(text[i + 1])) << 8 |
                           static_cast<unsigned char>(text[i + 2]);
    for (int shift = 18; shift >= 0; shift -= 6) out += kAlphabet[(group >> shift) & 0x3F];
  }
  const std::size_t rest = text.size() - i;
  if (rest > 0) {
    uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(text[i])) << 16;
    if (rest == 2) group |= static_cast<uint32_t>(static_cast<unsigned char>(text[i + 1])) << 8;
    out += kAlphabet[(group >> 18) & 0x3F];
    out += kAlphabet[(group >> 12) & 0x3F];
    out += rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : '=';
    out += '=';
  }
  return out;
}

std::string Base64Decode(std::string_view text) {
  std::string out;
  uint32_t group = 0;
  int values = 0;
  for (char c : text) {
    if (c == '\0' || out.size() >= kBase64DecodeCap) break;
    const int value = kDecodeTable[static_cast<unsigned char>(c)];
    if (value == kInvalid) continue;
    group = group << 6 | static_cast<uint32_t>(value);
    if (++values == 4) {
      out += static_cast<char>(group >> 16 & 0xFF);
      out += static_cast<char>(group >> 8 & 0xFF);
      out += static_cast<char>(group & 0xFF);
      group = 0;
      values = 0;
    }
  }
  // A final group of fewer than four values is dropped; the text ends at the
  // first NUL decoded.
  return out.substr(0, out.find('\0'));
}

}  // namespace qx
