#include "dataexch/ItemValidation.h"

#include <algorithm>
#include <optional>

#include "platform/Numbers.h"

namespace qx {
namespace {

using Item = ItemView<uint8_t>;
using Block = TransferBlockView<uint8_t>;
using Rejection = std::optional<ValidationResult>;

constexpr uint32_t kMaxSlaveAddress = 255;
constexpr uint32_t kMinUpdateCycle = 1;
constexpr uint32_t kMinTimeout = 10;
constexpr uint32_t kMaxMilliseconds = 60000;
constexpr uint32_t kMaxBit = 15;
constexpr uint16_t kFixedValue = 100;
// LocalOffset is a 16-bit field: a larger limit could not be stored.
constexpr int kMaxLocalOffset = 65535;

ValidationResult Reject(std::string key, ItemField focus, std::vector<TextArg> args = {}) {
  return ValidationResult{false, MessageRef{std::move(key), std::move(args)}, focus};
}

ItemField FieldOf(Direction dir, ItemField read, ItemField write) {
  return dir == Direction::kRead ? read : write;
}

Block BlockOf(Item item, Direction dir) {
  return dir == Direction::kRead ? item.ReadBlock() : item.WriteBlock();
}

// A block's local offset against the module's area and the length limit.
Rejection CheckLocalOffset(ItemFields& fields, const ItemLimits& limits, Direction dir, Block block) {
  BlockFields& b = fields.Block(dir);
  const int areaMax = dir == Direction::kRead ? limits.ReadAreaMax : limits.WriteAreaMax;
  const int limit = dir == Direction::kRead ? limits.ReadLimit : limits.WriteLimit;
  const ItemField field = FieldOf(dir, ItemField::kReadLocalOffset, ItemField::kWriteLocalOffset);
  const int64_t offset = ReadLeadingDigits32(b.LocalOffset);
  const int64_t quantity = ReadLeadingDigits32(b.Quantity);
  if (offset > areaMax && quantity == 0) {
    b.LocalOffset = std::to_string(areaMax);
    return Reject("Msg35", field, {areaMax});
  }
  if (quantity != 0 && offset + quantity > areaMax) return Reject("Msg36", field, {areaMax});
  const int effectiveLimit = std::min(limit, kMaxLocalOffset);
  if (offset > effectiveLimit) return Reject("Msg7", field, {effectiveLimit});
  block.SetLocalOffset(static_cast<uint16_t>(offset));
  return std::nullopt;
}

// A write block needs a range it can write: the read-only records (write
// command 0, e.g. MODBUS input coils and input registers reached through the
// 6-digit notation) count as no range for it.
CDeviceAddrTable::RangeMatch Usable(CDeviceAddrTable::RangeMatch match, Direction dir) {
  if (match && dir == Direction::kWrite && match.Range->WriteCommand == 0) return {};
  return match;
}

// A block's bit, then its address and quantity against the catalogue,
// stored as command, segments, kind, address and quantity.
Rejection CheckRemote(const CDeviceAddrTable& table, const ItemFields& fields, Direction dir, Block block) {
  const BlockFields& b = fields.Block(dir);
  if (ReadLeadingDigits32(b.Bit) > kMaxBit) {
    return Reject("Msg10", FieldOf(dir, ItemField::kReadBit, ItemField::kWriteBit));
  }
  const uint16_t typeId = SelectedDeviceTypeId(table, fields);
  const uint16_t kindId = SelectedKindId(table, fields, dir);
  const uint16_t maxQuantity = SelectedKindMaxQty(table, fields, dir);
  const uint32_t address = ParseRemoteAddress(table, fields, dir);
  const uint32_t quantity = ReadLeadingDigits32(b.Quantity);

  // Without a selected kind (a stored kind the list lacks) the kind id is
  // kNone, no range matches, and the user is sent to the number field.
  const auto first = Usable(table.FindRange(typeId, kindId, address, quantity), dir);
  if (!first) return Reject("Msg15", FieldOf(dir, ItemField::kReadNumber, ItemField::kWriteNumber));
  const ItemField quantityField = FieldOf(dir, ItemField::kReadQuantity, ItemField::kWriteQuantity);
  if (quantity > maxQuantity) return Reject("Msg12", quantityField, {maxQuantity});
  block.SetCommand(dir == Direction::kRead ? first.Range->ReadCommand : first.Range->WriteCommand);
  block.SetSegment1Address(first.DeviceAddress);
  block.SetSegment1Length(static_cast<uint16_t>(first.Length));
  if (first.Length < quantity) {
    const uint64_t next = uint64_t{address} + first.Length;
    CDeviceAddrTable::RangeMatch second;
    if (next <= UINT32_MAX) {
      second =
          Usable(table.FindRange(typeId, kindId, static_cast<uint32_t>(next), quantity - first.Length), dir);
    }
    if (second) {
      block.SetSegment2Address(second.DeviceAddress);
      block.SetSegment2Length(static_cast<uint16_t>(second.Length));
    }
    if (first.Length + second.Length < quantity) return Reject("Msg16", quantityField);
  } else {
    block.SetSegment2Address(0);
    block.SetSegment2Length(0);
  }
  block.SetRemoteKind(kindId);
  block.SetRemoteAddress(address);
  block.SetQuantity(static_cast<uint16_t>(quantity));
  return std::nullopt;
}

// The item's own fields, before either block.
Rejection CheckDevice(const CDeviceAddrTable& table, const ItemFields& fields, Item item) {
  item.SetEnabled(fields.Enabled ? Item::kEnabledValue : 0);
  const uint32_t slave = ReadLeadingDigits32(fields.SlaveAddress);
  if (slave > kMaxSlaveAddress) return Reject("Msg4", ItemField::kSlaveAddress);
  item.SetSlaveAddress(static_cast<uint16_t>(slave));
  item.SetIpAddress(fields.IpAddress);
  const uint32_t cycle = ReadLeadingDigits32(fields.UpdateCycle);
  if (cycle < kMinUpdateCycle || cycle > kMaxMilliseconds) return Reject("Msg5", ItemField::kUpdateCycle);
  item.SetUpdateCycle(static_cast<uint16_t>(cycle));
  const uint32_t timeout = ReadLeadingDigits32(fields.Timeout);
  if (timeout < kMinTimeout || timeout > kMaxMilliseconds) return Reject("Msg6", ItemField::kTimeout);
  item.SetTimeout(static_cast<uint16_t>(timeout));
  item.SetSupportFc17(fields.SupportFc17 ? 1 : 0);
  // With no device type selected (a stored type the list lacks) the stored
  // one stays; the blocks then find no range and the user must choose one.
  const uint16_t typeId = SelectedDeviceTypeId(table, fields);
  if (typeId != CDeviceAddrTable::kNone) item.SetDeviceType(typeId);
  item.SetFixedValue(kFixedValue);
  return std::nullopt;
}

}  // namespace

ValidationResult ValidateItem(const CDeviceAddrTable& table, ItemFields& fields, const ItemLimits& limits,
                              ModuleConfig& config, int itemNumber) {
  if (itemNumber < 1 || itemNumber > layout::kMaxItems) return ValidationResult{false, {}, ItemField::kNone};
  const Item item = config.Item(itemNumber);
  Rejection r = CheckDevice(table, fields, item);
  for (Direction dir : {Direction::kRead, Direction::kWrite}) {
    if (!r) r = CheckLocalOffset(fields, limits, dir, BlockOf(item, dir));
  }
  for (Direction dir : {Direction::kRead, Direction::kWrite}) {
    if (!r) r = CheckRemote(table, fields, dir, BlockOf(item, dir));
  }
  return r ? *r : ValidationResult{};
}

}  // namespace qx
