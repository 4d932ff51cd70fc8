// The data-exchange table as the page edits it: the items in use, kept
// contiguous from slot 0, and the operations on them (append, delete, swap,
// copy, switch on and off), straight on the record. Also two helps for the
// person reading the list: where an item's blocks overlap another item's in
// the module's read or write area, and the wire form of a block's address.
//
// Item positions k are counted from 0 (slot k holds item k + 1). A position
// outside the items in use makes an operation do nothing and return false.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "config/ModuleConfig.h"
#include "dataexch/DeviceAddrTable.h"

namespace qx {

// ItemCount as the page uses it: an out-of-range count from a file or an
// upload is read as at most 64.
int ItemsInUse(const ModuleConfig& config);

// Writes the empty item into the first free slot and counts it; false when
// 64 items are in use.
bool AppendEmptyItem(ModuleConfig& config);
// Moves the items after k one slot forward and empties the vacated slot.
bool DeleteItem(ModuleConfig& config, int k);
// Swaps the whole 128 bytes of items a and b.
bool SwapItems(ModuleConfig& config, int a, int b);
// Appends a byte copy of item k; false also when 64 items are in use.
bool CopyItem(ModuleConfig& config, int k);
// Enabled := 2 or 0 of item k, or of every item in use.
bool SetItemEnabled(ModuleConfig& config, int k, bool enabled);
void SetAllItemsEnabled(ModuleConfig& config, bool enabled);

// The other items whose block in the same direction shares local registers
// with item k's block: offsets [LocalOffset, LocalOffset + Quantity), as the
// editor checks them against the area. Blocks of quantity 0 share nothing.
std::vector<int> OverlappingItems(const ModuleConfig& config, int k, Direction dir);

// What an item's block puts on the wire: the range record its address falls
// in, the command of the direction (a Modbus function code for device types
// 0 to 2, the CPU's request code for type 3) and the device address of its
// first unit (0-based Modbus address, or the CPU's device address). None for
// an address in no range of its kind.
struct WireForm {
  uint16_t command = 0;
  uint32_t deviceAddress = 0;
  bool modbus = true;  // device types 0 to 2
  uint16_t unitBits = 16;
};
std::optional<WireForm> BlockWireForm(const CDeviceAddrTable& table, uint16_t deviceType,
                                      TransferBlockView<const uint8_t> block, Direction dir);

}  // namespace qx
