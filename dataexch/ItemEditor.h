// The item editor's state as plain data, and the rules that fill it: loading
// an item of the record into field texts and list selections, filling the
// kind lists when the device type changes, and setting up a block's number
// and bit fields when its kind changes. A dialog shows ItemFields, writes the
// user's entries back into it and hands it to ValidateItem (ItemValidation.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ModuleConfig.h"
#include "dataexch/DeviceAddrTable.h"
#include "dataexch/ItemLimits.h"
#include "platform/TextTable.h"

namespace qx {

// A MsgStr message by key with its printf arguments; the dialog looks the
// text up (CTextTable::Message + SafeFormat).
struct MessageRef {
  std::string key;
  std::vector<TextArg> args;
  bool operator==(const MessageRef&) const = default;
};

inline constexpr std::string_view kInitialMask = "##:##:##:##:##:##";

// One transfer block's fields.
struct BlockFields {
  std::string LocalOffset;             // digits, at most 5
  std::string Quantity;                // digits, at most 5
  std::string Number;                  // the masked number field
  std::string Bit = "0";               // digits, at most 2
  std::vector<std::string> KindNames;  // entries of the kind list
  int Kind = -1;                       // selected entry, -1 for none
  // Set-up of the number and bit fields.
  std::string Mask = std::string(kInitialMask);
  CharSet Chars = CharSet::kHex;
  bool BitEnabled = true;
  // Labels.
  std::string AddrLabel;          // "D<base register>"
  std::string LocalAddressLabel;  // "<word> (0 ~ <area maximum>)"
  MessageRef RemoteLabel;         // "Msg14" with the kind's range hint
};

struct ItemFields {
  std::string ItemLabel;  // the item number
  bool Enabled = false;
  std::string SlaveAddress;  // digits, at most 3
  std::string UpdateCycle;   // digits, at most 5
  std::string Timeout;       // digits, at most 5
  uint32_t IpAddress = 0;    // a.b.c.d as a<<24 | b<<16 | c<<8 | d
  bool SupportFc17 = false;
  int DeviceType = -1;  // selected entry of the device type list, -1 for none
  BlockFields Read;
  BlockFields Write;

  BlockFields& Block(Direction dir) { return dir == Direction::kRead ? Read : Write; }
  const BlockFields& Block(Direction dir) const { return dir == Direction::kRead ? Read : Write; }
};

// The fields of item `itemNumber` (1..64); none for another number.
// localAddressWord is the UIStr text "TAB_DE_Local_Addr".
std::optional<ItemFields> LoadItemFields(const CDeviceAddrTable& table, const ModuleConfig& config,
                                         int itemNumber, const ItemLimits& limits, const AreaBases& bases,
                                         std::string_view localAddressWord = "Local Address");

// The device type changed: both kind lists are refilled from the catalogue
// with their first entries selected, then both blocks take their kind's rules.
void FillKindLists(const CDeviceAddrTable& table, ItemFields& fields);

// The block's kind changed: its Remote Address label and, for a kind with an
// input rule, its mask, characters, number text, bit text and bit field.
void OnKindChanged(const CDeviceAddrTable& table, ItemFields& fields, Direction dir);
inline void OnReadKindChanged(const CDeviceAddrTable& t, ItemFields& f) {
  OnKindChanged(t, f, Direction::kRead);
}
inline void OnWriteKindChanged(const CDeviceAddrTable& t, ItemFields& f) {
  OnKindChanged(t, f, Direction::kWrite);
}

// The stored address of the block's entered texts, by the selected device
// type and the selected kind entry's text.
uint32_t ParseRemoteAddress(const CDeviceAddrTable& table, const ItemFields& fields, Direction dir);

// Device type id, kind id and maximum quantity of the current selections
// (kNone, kNone and 0 when nothing is selected).
uint16_t SelectedDeviceTypeId(const CDeviceAddrTable& table, const ItemFields& fields);
uint16_t SelectedKindId(const CDeviceAddrTable& table, const ItemFields& fields, Direction dir);
uint16_t SelectedKindMaxQty(const CDeviceAddrTable& table, const ItemFields& fields, Direction dir);

}  // namespace qx
