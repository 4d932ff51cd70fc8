#include "dataexch/RemoteAddress.h"

#include <algorithm>
#include <cstdio>

#include "dataexch/NumberText.h"
#include "platform/Numbers.h"

namespace qx {
namespace {

const KindNotation* NotationOf(uint16_t deviceType, uint16_t kind) {
  const DeviceTypeInfo* type = FindDeviceTypeInfo(deviceType);
  return type ? FindKindNotation(type->Family, kind) : nullptr;
}

std::string Printf(const char* format, uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(value));
  return buffer;
}

}  // namespace

// Addresses are shown unsigned: a stored value above 2^31 - 1 (only reachable
// through a damaged file) reads back as itself rather than as a negative
// number.
RemoteAddressText FormatRemoteAddress(uint16_t deviceType, uint16_t kind, uint32_t address) {
  RemoteAddressText text;
  const KindNotation* n = NotationOf(deviceType, kind);
  if (!n) return text;
  std::string number;
  std::string bit = "0";
  switch (n->Style) {
    case AddrStyle::kHex:
      number = Printf("%X", address);
      break;
    case AddrStyle::kDecimal:
      number = Printf("%u", address);
      break;
    case AddrStyle::kOctal:
      number = Printf("%o", address);
      break;
    case AddrStyle::kWordBit:
      number = Printf("%u", address / 16);
      bit = Printf("%u", address % 16);
      break;
  }
  text.display = n->Prefix + number;
  if (n->Style == AddrStyle::kWordBit) text.display += "." + bit;
  text.number = std::move(number);
  text.bit = std::move(bit);
  return text;
}

uint32_t ParseRemoteAddress(uint16_t deviceType, std::string_view kindName, std::string_view number,
                            std::string_view bit) {
  const DeviceTypeInfo* type = FindDeviceTypeInfo(deviceType);
  if (!type) return 0;
  const KindNotation* n = nullptr;
  for (uint16_t kind = 0; kind < type->NamedKinds && !n; ++kind) {
    const KindNotation* candidate = FindKindNotation(type->Family, kind);
    if (candidate && kindName == candidate->Name) n = candidate;
  }
  if (!n) return type->OtherNamesHex ? ReadLeadingDigits32(number, 16) : 0;
  switch (n->Style) {
    case AddrStyle::kHex:
      return ReadLeadingDigits32(number, 16);
    case AddrStyle::kDecimal:
      return ReadLeadingDigits32(number);
    case AddrStyle::kOctal:
      return ReadOctalDigits(number);
    case AddrStyle::kWordBit: {
      const uint64_t value = uint64_t{ReadLeadingDigits32(number)} * 16 + ReadLeadingDigits32(bit);
      return static_cast<uint32_t>(std::min<uint64_t>(value, UINT32_MAX));
    }
  }
  return 0;
}

std::optional<KindInputRule> InputRuleFor(uint16_t deviceType, uint16_t kind) {
  const KindNotation* n = NotationOf(deviceType, kind);
  if (!n || n->Positions == 0) return std::nullopt;
  return KindInputRule{n->Positions, n->Chars, n->InitialNumber, n->Style == AddrStyle::kWordBit};
}

}  // namespace qx
