// ValidateItem: the item editor's OK. It checks the entered fields in a fixed
// order and writes each value into the item as soon as it has passed, so a
// later failure leaves the earlier values stored (also when the user then
// cancels). It stops at the first bad value and tells the dialog which
// message to show and which field to select and focus.
#pragma once

#include "config/ModuleConfig.h"
#include "dataexch/DeviceAddrTable.h"
#include "dataexch/ItemEditor.h"
#include "dataexch/ItemLimits.h"

namespace qx {

enum class ItemField {
  kNone,
  kSlaveAddress,
  kUpdateCycle,
  kTimeout,
  kReadLocalOffset,
  kReadQuantity,
  kReadNumber,
  kReadBit,
  kWriteLocalOffset,
  kWriteQuantity,
  kWriteNumber,
  kWriteBit,
};

struct ValidationResult {
  bool ok = true;
  MessageRef message;  // empty key on success or for a bad item number
  ItemField focus = ItemField::kNone;
};

// Validates `fields` and stores them into item `itemNumber` (1..64) of
// `config`. A bad item number stores nothing and fails without a message.
// The one correction: a local offset above its area maximum with quantity 0
// ("Msg35") puts the area maximum into that local-offset text of `fields`.
ValidationResult ValidateItem(const CDeviceAddrTable& table, ItemFields& fields, const ItemLimits& limits,
                              ModuleConfig& config, int itemNumber);

}  // namespace qx
