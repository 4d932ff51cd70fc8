// The address catalogue: the kind lists the editor shows, the range records
// an address is checked against, and the catalogue's capacities.
#include "dataexch/DeviceAddrTable.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace qx {
namespace {

// A list as "id:name|id:name...".
std::string List(const CDeviceAddrTable& t, Direction dir, uint16_t type) {
  std::string text;
  for (uint16_t k = 0; k < t.KindCount(dir, type); ++k) {
    text +=
        (k ? "|" : "") + std::to_string(t.KindId(dir, type, k)) + ":" + std::string(t.KindName(dir, type, k));
  }
  return text;
}

TEST(DeviceAddrTable, DeviceTypesAndKindListsInCatalogueOrder) {
  const CDeviceAddrTable t;
  const std::string cWrite =
      "2:Y Coil|3:Y Register|4:M Coil|5:SM Coil|6:SR Register|7:D Coil|8:D Register|9:S Coil|10:T Coil|"
      "11:T Register|12:C Coil|13:C Register|16:E Register";
  // clang-format off
  const std::tuple<const char*, std::string, std::string> expected[] = {
      {"MODBUS TCP", "0:MODBUS Coil Hex|1:MODBUS Input Coil Hex|2:MODBUS Register Hex|3:MODBUS Input Register Hex|4:MODBUS 6 Digit",
                     "0:MODBUS Coil Hex|2:MODBUS Register Hex|4:MODBUS 6 Digit"},
      {"CPU Model A", "5:X|6:Y|7:M|8:D", "6:Y|7:M|8:D"},
      {"CPU Model B", "5:X|6:Y|7:M|8:D", "6:Y|7:M|8:D"},
      {"CPU Model C", "0:X Coil|1:X Register|" + cWrite, cWrite}};
  // clang-format on
  ASSERT_EQ(t.DeviceTypeCount(), 4);
  for (uint16_t p = 0; p < 4; ++p) {
    EXPECT_EQ(std::tuple(t.DeviceTypeId(p), t.DeviceTypeName(p), List(t, Direction::kRead, p),
                         List(t, Direction::kWrite, p)),
              std::tuple(p, std::get<0>(expected[p]), std::get<1>(expected[p]), std::get<2>(expected[p])));
  }
}

TEST(DeviceAddrTable, HintsQuantitiesAndPositions) {
  const CDeviceAddrTable t;
  EXPECT_EQ(t.ReadKindHint(0, 4), "#000001 ~ #65536, #: <0,1,3,4>");
  EXPECT_EQ(t.WriteKindHint(0, 2), "#000001 ~ #65536, #: <0,4>");
  EXPECT_EQ(t.ReadKindHint(1, 3), "D0 ~ D9999");
  EXPECT_EQ(t.ReadKindHint(2, 3), "D0 ~ D11999");
  EXPECT_EQ(std::tuple(t.ReadKindMaxQty(0, 0), t.ReadKindMaxQty(3, 14), t.WriteKindMaxQty(3, 0)),
            std::tuple(100, 32, 400));
  // Input coils cannot be written; HC kinds are in no list.
  EXPECT_EQ(std::tuple(t.ReadKindIndex(3, 16), t.WriteKindIndex(0, 1), t.ReadKindIndex(3, 14)),
            std::tuple(14, 65535, 65535));
  // Positions that name nothing.
  EXPECT_EQ(std::tuple(t.DeviceTypeId(4), t.ReadKindCount(9), t.ReadKindId(0, 5), t.ReadKindMaxQty(7, 0)),
            std::tuple(65535, 0, 65535, 0));
  EXPECT_EQ(t.WriteKindName(0, 3), "");
}

// Independent of the production table: type, kind, first, count, device
// address, read and write command.
// clang-format off
struct RangeRow { uint16_t type, kind; uint32_t first, count, device; uint16_t read, write; };
const RangeRow kExpected[] = {
    {0, 0, 0, 65536, 0, 1, 15},            {0, 1, 0, 65536, 0, 2, 0},              {0, 2, 0, 65536, 0, 3, 16},
    {0, 3, 0, 65536, 0, 4, 0},             {0, 4, 1, 65536, 0, 1, 15},             {0, 4, 100001, 65536, 0, 2, 0},
    {0, 4, 400001, 65536, 0, 3, 16},       {0, 4, 300001, 65536, 0, 4, 0},         {1, 5, 0, 256, 1024, 2, 0},
    {1, 6, 0, 256, 1280, 1, 15},           {1, 7, 0, 1536, 2048, 1, 15},           {1, 7, 1536, 2560, 45056, 1, 15},
    {1, 8, 0, 4096, 4096, 3, 16},          {1, 8, 4096, 5904, 36864, 3, 16},       {2, 5, 0, 256, 1024, 2, 0},
    {2, 6, 0, 256, 1280, 1, 15},           {2, 7, 0, 1536, 2048, 1, 15},           {2, 7, 1536, 2560, 45056, 1, 15},
    {2, 8, 0, 4096, 4096, 3, 16},          {2, 8, 4096, 7904, 36864, 3, 16},       {3, 0, 0, 8192, 24576, 16897, 16899},
    {3, 1, 0, 512, 32768, 16898, 16900},   {3, 2, 0, 8192, 40960, 16897, 16899},   {3, 3, 0, 512, 40960, 16898, 16900},
    {3, 4, 0, 8192, 0, 16897, 16899},      {3, 5, 0, 2048, 16384, 16897, 16899},   {3, 6, 0, 2048, 49152, 16898, 16900},
    {3, 7, 0, 1048576, 268435456, 16897, 16899},                                   {3, 8, 0, 32768, 0, 16898, 16900},
    {3, 8, 32768, 32768, 536903680, 16898, 16900},                                 {3, 9, 0, 2048, 20480, 16897, 16899},
    {3, 10, 0, 2048, 57344, 16897, 16899}, {3, 11, 0, 2048, 57344, 16898, 16900},  {3, 12, 0, 2048, 61440, 16897, 16899},
    {3, 13, 0, 2048, 61440, 16898, 16900}, {3, 14, 0, 64, 64512, 16897, 16899},    {3, 15, 0, 64, 64512, 16898, 16900},
    {3, 16, 0, 32, 65024, 16898, 16900},
};
// clang-format on
static_assert(std::size(kExpected) == 38);

const RangeRow* Following(const RangeRow& r) {
  for (const RangeRow& n : kExpected) {
    if (n.type == r.type && n.kind == r.kind && n.first == r.first + r.count) return &n;
  }
  return nullptr;
}

TEST(DeviceAddrTable, EveryRangeBoundary) {
  const CDeviceAddrTable t;
  for (const RangeRow& r : kExpected) {
    SCOPED_TRACE(testing::Message() << "type " << r.type << " kind " << r.kind << " first " << r.first);
    const auto first = t.FindRange(r.type, r.kind, r.first, 1000);
    ASSERT_TRUE(first);
    EXPECT_EQ(
        std::tuple(first.DeviceAddress, first.Length, first.Range->ReadCommand, first.Range->WriteCommand),
        std::tuple(r.device, std::min<uint32_t>(1000, r.count), r.read, r.write));
    const auto last = t.FindRange(r.type, r.kind, r.first + r.count - 1, 1000);
    ASSERT_TRUE(last);
    EXPECT_EQ(std::tuple(last.Range, last.DeviceAddress, last.Length),
              std::tuple(first.Range, r.device + r.count - 1, 1u));
    const auto past = t.FindRange(r.type, r.kind, r.first + r.count, 5);
    const RangeRow* next = Following(r);
    ASSERT_EQ(bool(past), next != nullptr);
    if (next) {
      EXPECT_EQ(past.DeviceAddress, next->device);
    }
  }
}

TEST(DeviceAddrTable, FindRangeMisses) {
  const CDeviceAddrTable t;
  EXPECT_FALSE(t.FindRange(0, 4, 0, 1));       // 6-digit references start at 000001
  EXPECT_FALSE(t.FindRange(0, 4, 200001, 1));  // no table 2
  EXPECT_FALSE(t.FindRange(1, 8, 11999, 1));   // Model A stops at D9999 ...
  EXPECT_TRUE(t.FindRange(2, 8, 11999, 1));    // ... Model B at D11999
  EXPECT_FALSE(t.FindRange(4, 0, 0, 1));
  EXPECT_EQ(std::tuple(t.FindRange(3, 17, 0, 5).Range, t.FindRange(3, 17, 0, 5).Length),
            std::tuple(nullptr, 0u));
  EXPECT_EQ(t.FindRange(3, 8, 40000, 1).DeviceAddress, 0x20008000u + (40000 - 32768));
}

TEST(DeviceAddrTable, CapacitiesRefuseTheEntryPastTheLimit) {
  CDeviceAddrTable t;
  for (int i = 38; i < 64; ++i) EXPECT_TRUE(t.AddRange({7, 0, uint32_t(i), 1, 0, 3, 16, 0, 16}));
  EXPECT_FALSE(t.AddRange({7, 0, 99, 1, 0, 3, 16, 0, 16}));
  EXPECT_TRUE(t.FindRange(7, 0, 63, 1));
  for (int i = 4; i < 10; ++i) EXPECT_TRUE(t.AddDeviceType(uint16_t(i == 9 ? 3 : i), "extra"));
  EXPECT_FALSE(t.AddDeviceType(10, "eleventh"));
  // Model C's read list holds 15; five more fill it, the next goes to the
  // second device type with id 3 (position 9).
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(t.AddReadKind(3, 20, Notation::kDecimal, 1, "n", "h"));
  EXPECT_EQ(t.ReadKindCount(3), 20);
  EXPECT_TRUE(t.AddReadKind(3, 21, Notation::kHex, 7, "late", "hint"));
  EXPECT_EQ(std::tuple(t.ReadKindName(9, 0), t.ReadKindMaxQty(9, 0)), std::tuple("late", 7));
  EXPECT_FALSE(t.AddWriteKind(42, 0, Notation::kOctal, 1, "n", "h"));
}

}  // namespace
}  // namespace qx
