// The table operations on the record, the overlap of items' local registers
// and the wire form of a block's address.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "dataexch/ItemTable.h"

namespace qx {
namespace {

// Items 1..count with slave address n; read blocks at the given offsets and
// quantities.
ModuleConfig Table(const std::vector<std::pair<int, int>>& reads) {
  ModuleConfig config;
  config.SetDefaults();
  int n = 0;
  for (const auto& [offset, quantity] : reads) {
    ++n;
    config.Item(n).SetSlaveAddress(static_cast<uint16_t>(n));
    config.Item(n).ReadBlock().SetLocalOffset(static_cast<uint16_t>(offset));
    config.Item(n).ReadBlock().SetQuantity(static_cast<uint16_t>(quantity));
  }
  config.SetItemCount(static_cast<uint16_t>(n));
  return config;
}

std::vector<int> Slaves(const ModuleConfig& config) {
  std::vector<int> slaves;
  for (int n = 1; n <= ItemsInUse(config); ++n) slaves.push_back(config.Item(n).SlaveAddress());
  return slaves;
}

// Positions outside the items in use change nothing; a full table takes no
// more; a count from a file above 64 reads as 64.
TEST(ItemTable, OperationsKeepTheItemsContiguousAndRefuseOutsideThem) {
  ModuleConfig config = Table({{0, 1}, {0, 1}, {0, 1}});
  const ModuleConfig before = config;
  EXPECT_FALSE(DeleteItem(config, 3));
  EXPECT_FALSE(DeleteItem(config, -1));
  EXPECT_FALSE(SwapItems(config, 2, 3));
  EXPECT_FALSE(CopyItem(config, 5));
  EXPECT_FALSE(SetItemEnabled(config, 3, true));
  EXPECT_TRUE(config == before);

  ASSERT_TRUE(DeleteItem(config, 1));
  EXPECT_EQ(Slaves(config), (std::vector<int>{1, 3}));
  EXPECT_EQ(std::tuple(config.Item(3).SlaveAddress(), config.Item(3).UpdateCycle()), std::tuple(0, 10));
  ASSERT_TRUE(CopyItem(config, 0));
  ASSERT_TRUE(SwapItems(config, 0, 1));
  EXPECT_EQ(Slaves(config), (std::vector<int>{3, 1, 1}));

  config.SetItemCount(64);
  EXPECT_FALSE(AppendEmptyItem(config));
  EXPECT_FALSE(CopyItem(config, 0));
  config.SetItemCount(1000);
  EXPECT_EQ(ItemsInUse(config), 64);
  EXPECT_TRUE(DeleteItem(config, 63));
  EXPECT_EQ(config.ItemCount(), 63);
}

TEST(ItemTable, OverlapsShareLocalRegistersInOneDirection) {
  // Item 1: 0..9, item 2: 10..14 (touching), item 3: 5..5, item 4: quantity 0 at 3.
  const ModuleConfig config = Table({{0, 10}, {10, 5}, {5, 1}, {3, 0}});
  EXPECT_EQ(OverlappingItems(config, 0, Direction::kRead), (std::vector<int>{2}));
  EXPECT_EQ(OverlappingItems(config, 1, Direction::kRead), (std::vector<int>{}));
  EXPECT_EQ(OverlappingItems(config, 2, Direction::kRead), (std::vector<int>{0}));
  EXPECT_EQ(OverlappingItems(config, 3, Direction::kRead), (std::vector<int>{}));
  EXPECT_EQ(OverlappingItems(config, 0, Direction::kWrite), (std::vector<int>{}));  // all write blocks empty
}

TEST(ItemTable, WireFormOfABlock) {
  const CDeviceAddrTable table;
  ModuleConfig config;
  auto block = config.Item(1).ReadBlock();
  // type, kind, address, direction; whether it has a wire form, its command, device address, MODBUS or not
  const std::tuple<uint16_t, uint16_t, uint32_t, Direction, bool, uint16_t, uint32_t, bool> cases[] = {
      {0, 4, 400017, Direction::kRead, true, 3, 16, true},
      {0, 4, 400017, Direction::kWrite, true, 0x10, 16, true},
      {0, 4, 300001, Direction::kWrite, true, 0, 0, true},  // readable only
      {1, 6, 8, Direction::kWrite, true, 0xF, 0x508, true},
      {3, 8, 40000, Direction::kRead, true, 0x4202, 0x20009C40, false},
      {1, 8, 10000, Direction::kRead, false, 0, 0, true},
      {7, 0, 0, Direction::kRead, false, 0, 0, true},
  };
  for (const auto& [type, kind, address, dir, found, command, device, modbus] : cases) {
    block.SetRemoteKind(kind);
    block.SetRemoteAddress(address);
    const auto wire = BlockWireForm(table, type, std::as_const(config).Item(1).ReadBlock(), dir);
    ASSERT_EQ(wire.has_value(), found) << type << "/" << kind << " " << address;
    if (wire) {
      EXPECT_EQ(std::tuple(wire->command, wire->deviceAddress, wire->modbus),
                std::tuple(command, device, modbus));
    }
  }
}

}  // namespace
}  // namespace qx
