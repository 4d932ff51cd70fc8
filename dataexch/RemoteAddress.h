// The notation of remote device addresses: how a stored address
// (TransferBlock RemoteKind + RemoteAddress) is shown in the data-exchange
// list and in the item editor's fields, how the editor's texts are read back
// into a stored address, and how the editor's number and bit fields are set
// up for each kind. Everything here is driven by the tables of
// DeviceAddrData.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dataexch/DeviceAddrData.h"

namespace qx {

struct RemoteAddressText {
  std::string display = "X";          // the list's Remote Address cell
  std::optional<std::string> number;  // the editor's number field
  std::optional<std::string> bit;     // the editor's bit field
};

// The texts of a stored address. An unknown device type or kind gives the
// display text "X" and neither field text.
RemoteAddressText FormatRemoteAddress(uint16_t deviceType, uint16_t kind, uint32_t address);

// The stored address of the entered texts, for the kind named by its list
// entry text. Names the device type does not know read as 0 (MODBUS TCP: as
// hexadecimal); an unknown device type gives 0.
uint32_t ParseRemoteAddress(uint16_t deviceType, std::string_view kindName, std::string_view number,
                            std::string_view bit);

// How the editor's number and bit fields are set up when a kind is chosen.
struct KindInputRule {
  int maskLength;  // digit positions of the number field
  CharSet chars;
  std::string_view initialNumber;  // "0", or "1" for "MODBUS 6 Digit"
  bool bitEnabled;
};

// The rule of a kind, or none for a kind that has no input rule (the fields
// are then left as they were).
std::optional<KindInputRule> InputRuleFor(uint16_t deviceType, uint16_t kind);

}  // namespace qx
