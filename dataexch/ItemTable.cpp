#include "dataexch/ItemTable.h"

#include <algorithm>
#include <array>

namespace qx {
namespace {

using Item = ItemView<uint8_t>;

bool InUse(const ModuleConfig& config, int k) {
  return k >= 0 && k < ItemsInUse(config);
}

std::span<uint8_t> Bytes(ModuleConfig& config, int k) {
  return config.Block(ModuleConfig::ItemOffset(k + 1), layout::kItemSize);
}

TransferBlockView<const uint8_t> BlockOf(const ModuleConfig& config, int k, Direction dir) {
  const ItemView<const uint8_t> item = config.Item(k + 1);
  return dir == Direction::kRead ? item.ReadBlock() : item.WriteBlock();
}

}  // namespace

int ItemsInUse(const ModuleConfig& config) {
  return std::min<int>(config.ItemCount(), layout::kMaxItems);
}

bool AppendEmptyItem(ModuleConfig& config) {
  const int count = ItemsInUse(config);
  if (count >= layout::kMaxItems) return false;
  config.ResetItem(count + 1);
  config.SetItemCount(static_cast<uint16_t>(count + 1));
  return true;
}

bool DeleteItem(ModuleConfig& config, int k) {
  if (!InUse(config, k)) return false;
  const int count = ItemsInUse(config);
  for (int i = k; i + 1 < count; ++i) std::ranges::copy(Bytes(config, i + 1), Bytes(config, i).begin());
  config.ResetItem(count);
  config.SetItemCount(static_cast<uint16_t>(count - 1));
  return true;
}

bool SwapItems(ModuleConfig& config, int a, int b) {
  if (!InUse(config, a) || !InUse(config, b)) return false;
  std::ranges::swap_ranges(Bytes(config, a), Bytes(config, b));
  return true;
}

bool CopyItem(ModuleConfig& config, int k) {
  const int count = ItemsInUse(config);
  if (!InUse(config, k) || count >= layout::kMaxItems) return false;
  std::ranges::copy(Bytes(config, k), Bytes(config, count).begin());
  config.SetItemCount(static_cast<uint16_t>(count + 1));
  return true;
}

bool SetItemEnabled(ModuleConfig& config, int k, bool enabled) {
  if (!InUse(config, k)) return false;
  config.Item(k + 1).SetEnabled(enabled ? Item::kEnabledValue : 0);
  return true;
}

void SetAllItemsEnabled(ModuleConfig& config, bool enabled) {
  for (int k = 0; k < ItemsInUse(config); ++k) SetItemEnabled(config, k, enabled);
}

std::vector<int> OverlappingItems(const ModuleConfig& config, int k, Direction dir) {
  std::vector<int> others;
  if (!InUse(config, k)) return others;
  const auto mine = BlockOf(config, k, dir);
  if (mine.Quantity() == 0) return others;
  const uint32_t begin = mine.LocalOffset();
  const uint32_t end = begin + mine.Quantity();
  for (int i = 0; i < ItemsInUse(config); ++i) {
    if (i == k) continue;
    const auto other = BlockOf(config, i, dir);
    if (other.Quantity() == 0) continue;
    const uint32_t otherBegin = other.LocalOffset();
    if (otherBegin < end && begin < otherBegin + other.Quantity()) others.push_back(i);
  }
  return others;
}

std::optional<WireForm> BlockWireForm(const CDeviceAddrTable& table, uint16_t deviceType,
                                      TransferBlockView<const uint8_t> block, Direction dir) {
  const auto match = table.FindRange(deviceType, block.RemoteKind(), block.RemoteAddress(), 1);
  if (!match) return std::nullopt;
  WireForm wire;
  wire.command = dir == Direction::kRead ? match.Range->ReadCommand : match.Range->WriteCommand;
  wire.deviceAddress = match.DeviceAddress;
  const DeviceTypeInfo* info = FindDeviceTypeInfo(deviceType);
  wire.modbus = info && info->Family == AddrFamily::kModbus;
  wire.unitBits = match.Range->UnitBits;
  return wire;
}

}  // namespace qx
