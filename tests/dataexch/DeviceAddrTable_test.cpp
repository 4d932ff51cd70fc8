// The address catalogue and its notation: the kind lists the editor shows,
// the range records an address is checked against, the catalogue's
// capacities, and how stored addresses are shown, read back and entered.
#include "dataexch/DeviceAddrTable.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "dataexch/RemoteAddress.h"

namespace qx {
namespace {

// A device type as "id name: read list / write list", each list "id:name|...".
std::string Describe(const CDeviceAddrTable& t, uint16_t type) {
  std::string text = std::to_string(t.DeviceTypeId(type)) + " " + std::string(t.DeviceTypeName(type));
  for (Direction dir : {Direction::kRead, Direction::kWrite}) {
    text += dir == Direction::kRead ? ":" : " /";
    for (uint16_t k = 0; k < t.KindCount(dir, type); ++k)
      text += (k ? "|" : " ") + std::to_string(t.KindId(dir, type, k)) + ":" +
              std::string(t.KindName(dir, type, k));
  }
  return text;
}

TEST(DeviceAddrTable, DeviceTypesKindListsAndHints) {
  const CDeviceAddrTable t;
  const std::string cWrite =
      "2:Y Coil|3:Y Register|4:M Coil|5:SM Coil|6:SR Register|7:D Coil|8:D Register|9:S Coil|10:T Coil|"
      "11:T Register|12:C Coil|13:C Register|16:E Register";
  const std::string expected[] = {
      "0 MODBUS TCP: 0:MODBUS Coil Hex|1:MODBUS Input Coil Hex|2:MODBUS Register Hex|"
      "3:MODBUS Input Register Hex|4:MODBUS 6 Digit / 0:MODBUS Coil Hex|2:MODBUS Register Hex|"
      "4:MODBUS 6 Digit",
      "1 CPU Model A: 5:X|6:Y|7:M|8:D / 6:Y|7:M|8:D", "2 CPU Model B: 5:X|6:Y|7:M|8:D / 6:Y|7:M|8:D",
      "3 CPU Model C: 0:X Coil|1:X Register|" + cWrite + " / " + cWrite};
  ASSERT_EQ(t.DeviceTypeCount(), 4);
  for (uint16_t p = 0; p < 4; ++p) EXPECT_EQ(Describe(t, p), expected[p]);
  EXPECT_EQ(
      std::tuple(t.ReadKindHint(0, 4), t.WriteKindHint(0, 2), t.ReadKindHint(1, 3), t.ReadKindHint(2, 3)),
      std::tuple("#000001 ~ #65536, #: <0,1,3,4>", "#000001 ~ #65536, #: <0,4>", "D0 ~ D9999",
                 "D0 ~ D11999"));
  EXPECT_EQ(std::tuple(t.WriteKindMaxQty(3, 0), t.ReadKindIndex(3, 16)), std::tuple(400, 14));
  // Positions that name nothing.
  EXPECT_EQ(std::tuple(t.DeviceTypeId(4), t.ReadKindCount(9), t.ReadKindId(0, 5), t.ReadKindMaxQty(7, 0),
                       t.WriteKindName(0, 3)),
            std::tuple(65535, 0, 65535, 0, ""));
}

// Independent of the production table: type, kind, first, count, device
// address, read and write command.
// clang-format off
struct Commands { uint16_t read, write; };
constexpr Commands kCoil{0x4201, 0x4203}, kReg{0x4202, 0x4204};
struct RangeRow { uint16_t type, kind; uint32_t first, count, device; Commands cmd; };
const RangeRow kExpected[] = {
    {0, 0, 0, 65536, 0, {1, 15}}, {0, 1, 0, 65536, 0, {2, 0}}, {0, 2, 0, 65536, 0, {3, 16}},
    {0, 3, 0, 65536, 0, {4, 0}}, {0, 4, 1, 65536, 0, {1, 15}}, {0, 4, 100001, 65536, 0, {2, 0}},
    {0, 4, 400001, 65536, 0, {3, 16}}, {0, 4, 300001, 65536, 0, {4, 0}}, {1, 5, 0, 256, 0x400, {2, 0}},
    {1, 6, 0, 256, 0x500, {1, 15}}, {1, 7, 0, 1536, 0x800, {1, 15}}, {1, 7, 1536, 2560, 0xB000, {1, 15}},
    {1, 8, 0, 4096, 0x1000, {3, 16}}, {1, 8, 4096, 5904, 0x9000, {3, 16}}, {2, 5, 0, 256, 0x400, {2, 0}},
    {2, 6, 0, 256, 0x500, {1, 15}}, {2, 7, 0, 1536, 0x800, {1, 15}}, {2, 7, 1536, 2560, 0xB000, {1, 15}},
    {2, 8, 0, 4096, 0x1000, {3, 16}}, {2, 8, 4096, 7904, 0x9000, {3, 16}}, {3, 0, 0, 8192, 0x6000, kCoil},
    {3, 1, 0, 512, 0x8000, kReg}, {3, 2, 0, 8192, 0xA000, kCoil}, {3, 3, 0, 512, 0xA000, kReg},
    {3, 4, 0, 8192, 0, kCoil}, {3, 5, 0, 2048, 0x4000, kCoil}, {3, 6, 0, 2048, 0xC000, kReg},
    {3, 7, 0, 0x100000, 0x10000000, kCoil}, {3, 8, 0, 32768, 0, kReg}, {3, 8, 32768, 32768, 0x20008000, kReg},
    {3, 9, 0, 2048, 0x5000, kCoil}, {3, 10, 0, 2048, 0xE000, kCoil}, {3, 11, 0, 2048, 0xE000, kReg},
    {3, 12, 0, 2048, 0xF000, kCoil}, {3, 13, 0, 2048, 0xF000, kReg}, {3, 14, 0, 64, 0xFC00, kCoil},
    {3, 15, 0, 64, 0xFC00, kReg}, {3, 16, 0, 32, 0xFE00, kReg}};
// clang-format on
static_assert(std::size(kExpected) == 38);

TEST(DeviceAddrTable, EveryRangeBoundary) {
  const CDeviceAddrTable t;
  for (const RangeRow& r : kExpected) {
    SCOPED_TRACE(testing::Message() << "type " << r.type << " kind " << r.kind << " first " << r.first);
    const auto first = t.FindRange(r.type, r.kind, r.first, 1000);
    ASSERT_TRUE(first);
    EXPECT_EQ(
        std::tuple(first.DeviceAddress, first.Length, first.Range->ReadCommand, first.Range->WriteCommand),
        std::tuple(r.device, std::min<uint32_t>(1000, r.count), r.cmd.read, r.cmd.write));
    const auto last = t.FindRange(r.type, r.kind, r.first + r.count - 1, 1000);
    EXPECT_EQ(std::tuple(last.Range, last.DeviceAddress, last.Length),
              std::tuple(first.Range, r.device + r.count - 1, 1u));
    // Past the end: the following range of the kind, or nothing.
    const auto past = t.FindRange(r.type, r.kind, r.first + r.count, 5);
    const auto next = std::find_if(std::begin(kExpected), std::end(kExpected), [&](const RangeRow& n) {
      return n.type == r.type && n.kind == r.kind && n.first == r.first + r.count;
    });
    EXPECT_EQ(past ? std::optional(past.DeviceAddress) : std::nullopt,
              next != std::end(kExpected) ? std::optional(next->device) : std::nullopt);
  }
  EXPECT_FALSE(t.FindRange(0, 4, 0, 1));       // 6-digit references start at 000001
  EXPECT_FALSE(t.FindRange(0, 4, 200001, 1));  // no table 2
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
  // Model C's read list holds 15; five more fill it, the next goes to the second type with id 3.
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(t.AddReadKind(3, 20, Notation::kDecimal, 1, "n", "h"));
  EXPECT_EQ(t.ReadKindCount(3), 20);
  EXPECT_TRUE(t.AddReadKind(3, 21, Notation::kHex, 7, "late", "hint"));
  EXPECT_EQ(std::tuple(t.ReadKindName(9, 0), t.ReadKindMaxQty(9, 0)), std::tuple("late", 7));
  EXPECT_FALSE(t.AddWriteKind(42, 0, Notation::kOctal, 1, "n", "h"));
}

// How stored addresses are shown, how entries read back, and that every kind
// of every list round-trips (the write lists' kinds are all in the read lists).
TEST(RemoteAddress, TextsAndRoundTrips) {
  // clang-format off
  struct Shown { uint16_t type, kind; uint32_t address; const char *display, *number, *bit; };  // "-": none
  const Shown shown[] = {
      {0, 0, 0xFFFF, "FFFF", "FFFF", "0"}, {0, 4, 400001, "400001", "400001", "0"},
      {1, 5, 255, "X377", "377", "0"}, {2, 6, 16, "Y20", "20", "0"}, {1, 7, 4095, "M4095", "4095", "0"},
      {2, 8, 11999, "D11999", "11999", "0"}, {0, 8, 12, "D12", "12", "0"},
      {3, 0, 8191, "X511.15", "511", "15"}, {3, 2, 16, "Y1.0", "1", "0"},
      {3, 7, 1615, "D100.15", "100", "15"}, {3, 6, 5, "SR5", "5", "0"}, {3, 11, 9, "T9", "9", "0"},
      {3, 13, 9, "C9", "9", "0"}, {3, 14, 3, "HC3", "3", "0"}, {3, 16, 31, "E31", "31", "0"},
      {3, 5, 2047, "SM2047", "2047", "0"}, {5, 0, 12, "X", "-", "-"}, {3, 17, 12, "X", "-", "-"},
      {0, 9, 12, "X", "-", "-"}};
  // Unknown names read as 0, on MODBUS TCP as hexadecimal; octal kinds weight any digit by 8.
  struct Entered { uint16_t type; const char *name, *number, *bit; uint32_t address; };
  const Entered entered[] = {
      {1, "X", "18", "", 16}, {1, "MODBUS Register Hex", "1f", "", 31},
      {1, "MODBUS 6 Digit", "400001", "", 400001}, {1, "Q", "12", "", 0},
      {0, "MODBUS 6 Digit", "000001", "", 1}, {0, "MODBUS Coil Hex", "0xFfFf", "", 65535},
      {0, "X", "10", "", 16}, {0, "anything", "1A", "", 26}, {3, "X Coil", "", "", 0},
      {3, "E Register", "12a", "9", 12}, {3, "HC Coil", "63", "", 63}, {3, "X", "5", "", 0},
      {9, "D", "5", "", 0}, {1, "D", "99999999999", "", 0xFFFFFFFFu}};
  // clang-format on
  for (const Shown& c : shown) {
    const RemoteAddressText t = FormatRemoteAddress(c.type, c.kind, c.address);
    EXPECT_EQ(std::tuple(t.Display, t.Number.value_or("-"), t.Bit.value_or("-")),
              std::tuple(c.display, c.number, c.bit));
  }
  for (const Entered& c : entered) {
    EXPECT_EQ(ParseRemoteAddress(c.type, c.name, c.number, c.bit), c.address) << c.type << " " << c.name;
  }
  const CDeviceAddrTable t;
  for (uint16_t type = 0; type < t.DeviceTypeCount(); ++type) {
    for (uint16_t k = 0; k < t.ReadKindCount(type); ++k) {
      for (uint32_t address : {0u, 7u, 8u, 255u, 1615u, 65535u, 465536u}) {
        const RemoteAddressText text = FormatRemoteAddress(type, t.ReadKindId(type, k), address);
        ASSERT_TRUE(text.Number && text.Bit);
        EXPECT_EQ(ParseRemoteAddress(type, t.ReadKindName(type, k), *text.Number, *text.Bit), address)
            << t.ReadKindName(type, k) << " " << text.Display;
      }
    }
  }
}

}  // namespace
}  // namespace qx
