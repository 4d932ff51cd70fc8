#include "dataexch/ItemEditor.h"

#include "dataexch/RemoteAddress.h"

namespace qx {
namespace {

uint16_t Position(int selection) {
  return selection >= 0 && selection < CDeviceAddrTable::kNone ? static_cast<uint16_t>(selection)
                                                               : CDeviceAddrTable::kNone;
}

int Selection(uint16_t position) {
  return position == CDeviceAddrTable::kNone ? -1 : position;
}

void LoadBlock(const CDeviceAddrTable& table, ItemFields& fields, Direction dir, uint16_t deviceType,
               TransferBlockView<const uint8_t> block) {
  BlockFields& b = fields.Block(dir);
  b.LocalOffset = std::to_string(block.LocalOffset());
  b.Quantity = std::to_string(block.Quantity());
  b.Kind = Selection(table.KindIndex(dir, Position(fields.DeviceType), block.RemoteKind()));
  OnKindChanged(table, fields, dir);
  const RemoteAddressText text = FormatRemoteAddress(deviceType, block.RemoteKind(), block.RemoteAddress());
  if (text.number) b.Number = *text.number;
  if (text.bit) b.Bit = *text.bit;
}

std::string LocalAddressLabel(std::string_view word, int areaMax) {
  return std::string(word) + " (0 ~ " + std::to_string(areaMax) + ")";
}

}  // namespace

uint16_t SelectedDeviceTypeId(const CDeviceAddrTable& table, const ItemFields& fields) {
  return table.DeviceTypeId(Position(fields.DeviceType));
}

uint16_t SelectedKindId(const CDeviceAddrTable& table, const ItemFields& fields, Direction dir) {
  return table.KindId(dir, Position(fields.DeviceType), Position(fields.Block(dir).Kind));
}

uint16_t SelectedKindMaxQty(const CDeviceAddrTable& table, const ItemFields& fields, Direction dir) {
  return table.KindMaxQty(dir, Position(fields.DeviceType), Position(fields.Block(dir).Kind));
}

std::optional<ItemFields> LoadItemFields(const CDeviceAddrTable& table, const ModuleConfig& config,
                                         int itemNumber, const ItemLimits& limits, const AreaBases& bases,
                                         std::string_view localAddressWord) {
  if (itemNumber < 1 || itemNumber > layout::kMaxItems) return std::nullopt;
  const ItemView<const uint8_t> item = config.Item(itemNumber);
  ItemFields f;
  f.Read.LocalAddressLabel = LocalAddressLabel(localAddressWord, limits.ReadAreaMax);
  f.Write.LocalAddressLabel = LocalAddressLabel(localAddressWord, limits.WriteAreaMax);
  f.Read.AddrLabel = "D" + std::to_string(bases.ReadBaseRegister);
  f.Write.AddrLabel = "D" + std::to_string(bases.WriteBaseRegister);
  f.ItemLabel = std::to_string(itemNumber);
  f.Enabled = item.Enabled() == ItemView<const uint8_t>::kEnabledValue;
  f.SlaveAddress = std::to_string(item.SlaveAddress());
  f.UpdateCycle = std::to_string(item.UpdateCycle());
  f.Timeout = std::to_string(item.Timeout());
  f.IpAddress = item.IpAddress();
  f.SupportFc17 = item.SupportFc17() != 0;
  // A stored device type the list does not hold leaves it without a selection.
  f.DeviceType = -1;
  for (uint16_t t = 0; t < table.DeviceTypeCount(); ++t) {
    if (table.DeviceTypeId(t) == item.DeviceType()) {
      f.DeviceType = t;
      break;
    }
  }
  FillKindLists(table, f);
  LoadBlock(table, f, Direction::kRead, item.DeviceType(), item.ReadBlock());
  LoadBlock(table, f, Direction::kWrite, item.DeviceType(), item.WriteBlock());
  return f;
}

void FillKindLists(const CDeviceAddrTable& table, ItemFields& fields) {
  const uint16_t type = Position(fields.DeviceType);
  const DeviceTypeInfo* info = FindDeviceTypeInfo(table.DeviceTypeId(type));
  for (Direction dir : {Direction::kRead, Direction::kWrite}) {
    BlockFields& b = fields.Block(dir);
    b.KindNames.clear();
    for (uint16_t k = 0; k < table.KindCount(dir, type); ++k) {
      b.KindNames.emplace_back(table.KindName(dir, type, k));
    }
    b.Kind = b.KindNames.empty() ? -1 : 0;
    b.BitEnabled = info && info->BitFields;
  }
  OnKindChanged(table, fields, Direction::kRead);
  OnKindChanged(table, fields, Direction::kWrite);
}

// Without a selected kind the label shows an empty range and the fields keep
// their set-up.
void OnKindChanged(const CDeviceAddrTable& table, ItemFields& fields, Direction dir) {
  BlockFields& b = fields.Block(dir);
  const uint16_t type = Position(fields.DeviceType);
  const uint16_t kind = Position(b.Kind);
  b.RemoteLabel = MessageRef{"Msg14", {std::string(table.KindHint(dir, type, kind))}};
  const std::optional<KindInputRule> rule =
      InputRuleFor(table.DeviceTypeId(type), table.KindId(dir, type, kind));
  if (!rule) return;
  b.Mask.assign(static_cast<std::size_t>(rule->maskLength), '#');
  b.Chars = rule->chars;
  b.Number = rule->initialNumber;
  b.Bit = "0";
  b.BitEnabled = rule->bitEnabled;
}

uint32_t ParseRemoteAddress(const CDeviceAddrTable& table, const ItemFields& fields, Direction dir) {
  const BlockFields& b = fields.Block(dir);
  const bool selected = b.Kind >= 0 && static_cast<std::size_t>(b.Kind) < b.KindNames.size();
  const std::string_view name =
      selected ? std::string_view(b.KindNames[static_cast<std::size_t>(b.Kind)]) : "";
  return ParseRemoteAddress(SelectedDeviceTypeId(table, fields), name, b.Number, b.Bit);
}

}  // namespace qx
