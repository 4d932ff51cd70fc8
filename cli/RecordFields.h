// RecordFields: the configuration record as a list of named fields, the one
// view of the record that qxconf's dump, diff and compare share. A field is
// named by its place in the record ("DataExchangeItem[2].ReadBlock.Quantity",
// "NtpSettings.NtpServerIp", "TriggerRecord[1].TriggerName") and carries its
// value twice: as a person reads it (IPs dotted, remote addresses in the
// device's notation, enumerations with their names, texts quoted) and as a
// JSON literal of the raw value.
//
// Only the data-exchange items in use (1..ItemCount) are listed: the items
// after ItemCount are not part of the configuration the module runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/ModuleConfig.h"

namespace qx::cli {

struct Field {
  std::string path;  // e.g. "DataExchangeItem[2].ReadBlock.Quantity"
  std::string text;  // as a person reads it
  std::string json;  // JSON literal of the raw value
  int item = 0;      // the data-exchange item the field belongs to, 0 for none
  bool reserved = false;  // a field no page edits
  bool isDefault = false;  // zero or empty (reserved fields are shown only when not)
  bool jsonOnly = false;   // a second form of another field, for machines only
  bool notInUse = false;   // an item listed beyond the record's ItemCount
};

// The record's fields in record order. items: how many data-exchange items
// to list; -1 lists those in use. Items beyond the record's ItemCount (when
// items asks for more) are listed with notInUse set and an empty text.
std::vector<Field> RecordFields(const ModuleConfig& record, int items = -1);

// The fields of data-exchange item i (1..64) alone.
std::vector<Field> ItemFieldList(const ModuleConfig& record, int i);

// The number of items in use, ItemCount bounded by the table's 64.
int ItemsInUse(const ModuleConfig& record);

// A text as a quoted C-style literal: "a\"b\x01".
std::string Quoted(std::string_view text);
// A text as a JSON string literal.
std::string JsonQuoted(std::string_view text);
// The name of a remote address kind of a device type ("D Register"), or "".
std::string KindName(uint16_t deviceType, uint16_t kind);
// The name of a device type ("MODBUS TCP"), or "".
std::string DeviceTypeName(uint16_t deviceType);

}  // namespace qx::cli
