// The address catalogue and its notation: kind lists, range records, and how
// stored addresses are shown, read back and entered.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "dataexch/DeviceAddrTable.h"
#include "dataexch/RemoteAddress.h"

namespace qx {
namespace {

// Write lists leave out the read-only kinds, a write hint may differ, and
// positions that name nothing give empty values.
TEST(DeviceAddrTable, DeviceTypesKindListsAndHints) {
  const CDeviceAddrTable t;
  constexpr uint16_t kNone = CDeviceAddrTable::kNone;
  EXPECT_EQ(std::tuple(t.DeviceTypeCount(), t.DeviceTypeName(3), t.ReadKindCount(3), t.WriteKindCount(3)),
            std::tuple(4, "CPU Model C", 15, 13));
  EXPECT_EQ(std::tuple(t.WriteKindIndex(0, 1), t.WriteKindIndex(0, 3), t.WriteKindIndex(1, 5),
                       t.WriteKindIndex(2, 5), t.WriteKindIndex(3, 0), t.WriteKindIndex(3, 1)),
            std::tuple(kNone, kNone, kNone, kNone, kNone, kNone));
  EXPECT_EQ(
      std::tuple(t.ReadKindHint(0, 4), t.WriteKindHint(0, 2), t.ReadKindHint(1, 3), t.ReadKindHint(2, 3)),
      std::tuple("#000001 ~ #65536, #: <0,1,3,4>", "#000001 ~ #65536, #: <0,4>", "D0 ~ D9999",
                 "D0 ~ D11999"));
  EXPECT_EQ(std::tuple(t.DeviceTypeId(4), t.ReadKindCount(9), t.ReadKindId(0, 5), t.ReadKindMaxQty(7, 0),
                       t.WriteKindName(0, 3), t.WriteKindMaxQty(3, 0)),
            std::tuple(kNone, 0, kNone, 0, "", 400));
}

// Every range record by its last address: the device address that address
// maps to and the record's commands and unit width; a request is cut at the
// record's end, and the address after it belongs to no record or to the next
// one. A wrong number in any row of the catalogue shows here.
TEST(DeviceAddrTable, EveryRangeRecordByItsLastAddress) {
  // clang-format off
  struct KnownAnswer { uint16_t type, kind; uint32_t last, device; uint16_t read, write, readWrite, bits; };
  const KnownAnswer answers[] = {
      {0, 0, 65535, 0xFFFF, 0x1, 0xF, 0x0, 1},
      {0, 1, 65535, 0xFFFF, 0x2, 0x0, 0x0, 1},
      {0, 2, 65535, 0xFFFF, 0x3, 0x10, 0x17, 16},
      {0, 3, 65535, 0xFFFF, 0x4, 0x0, 0x0, 16},
      {0, 4, 65536, 0xFFFF, 0x1, 0xF, 0x0, 1},
      {0, 4, 165536, 0xFFFF, 0x2, 0x0, 0x0, 1},
      {0, 4, 465536, 0xFFFF, 0x3, 0x10, 0x17, 16},
      {0, 4, 365536, 0xFFFF, 0x4, 0x0, 0x0, 16},
      {1, 5, 255, 0x4FF, 0x2, 0x0, 0x0, 1},
      {1, 6, 255, 0x5FF, 0x1, 0xF, 0x0, 1},
      {1, 7, 1535, 0xDFF, 0x1, 0xF, 0x0, 1},
      {1, 7, 4095, 0xB9FF, 0x1, 0xF, 0x0, 1},
      {1, 8, 4095, 0x1FFF, 0x3, 0x10, 0x0, 16},
      {1, 8, 9999, 0xA70F, 0x3, 0x10, 0x0, 16},
      {2, 5, 255, 0x4FF, 0x2, 0x0, 0x0, 1},
      {2, 6, 255, 0x5FF, 0x1, 0xF, 0x0, 1},
      {2, 7, 1535, 0xDFF, 0x1, 0xF, 0x0, 1},
      {2, 7, 4095, 0xB9FF, 0x1, 0xF, 0x0, 1},
      {2, 8, 4095, 0x1FFF, 0x3, 0x10, 0x0, 16},
      {2, 8, 11999, 0xAEDF, 0x3, 0x10, 0x0, 16},
      {3, 0, 8191, 0x7FFF, 0x4201, 0x4203, 0x420E, 1},
      {3, 1, 511, 0x81FF, 0x4202, 0x4204, 0x420D, 16},
      {3, 2, 8191, 0xBFFF, 0x4201, 0x4203, 0x420E, 1},
      {3, 3, 511, 0xA1FF, 0x4202, 0x4204, 0x420D, 16},
      {3, 4, 8191, 0x1FFF, 0x4201, 0x4203, 0x420E, 1},
      {3, 5, 2047, 0x47FF, 0x4201, 0x4203, 0x420E, 1},
      {3, 6, 2047, 0xC7FF, 0x4202, 0x4204, 0x420D, 16},
      {3, 7, 1048575, 0x100FFFFF, 0x4201, 0x4203, 0x420E, 1},
      {3, 8, 32767, 0x7FFF, 0x4202, 0x4204, 0x420D, 16},
      {3, 8, 65535, 0x2000FFFF, 0x4202, 0x4204, 0x420D, 16},
      {3, 9, 2047, 0x57FF, 0x4201, 0x4203, 0x420E, 1},
      {3, 10, 2047, 0xE7FF, 0x4201, 0x4203, 0x420E, 1},
      {3, 11, 2047, 0xE7FF, 0x4202, 0x4204, 0x420D, 16},
      {3, 12, 2047, 0xF7FF, 0x4201, 0x4203, 0x420E, 1},
      {3, 13, 2047, 0xF7FF, 0x4202, 0x4204, 0x420D, 16},
      {3, 14, 63, 0xFC3F, 0x4201, 0x4203, 0x420E, 1},
      {3, 15, 63, 0xFC3F, 0x4202, 0x4204, 0x420D, 16},
      {3, 16, 31, 0xFE1F, 0x4202, 0x4204, 0x420D, 16},
  };
  // clang-format on
  const CDeviceAddrTable t;
  for (const KnownAnswer& a : answers) {
    SCOPED_TRACE(testing::Message() << a.type << "/" << a.kind << " at " << a.last);
    const auto m = t.FindRange(a.type, a.kind, a.last, 1);
    ASSERT_TRUE(m);
    EXPECT_EQ(std::tuple(m.DeviceAddress, m.Length, m.Range->ReadCommand, m.Range->WriteCommand,
                         m.Range->ReadWriteCommand, m.Range->UnitBits),
              std::tuple(a.device, 1u, a.read, a.write, a.readWrite, a.bits));
    EXPECT_EQ(t.FindRange(a.type, a.kind, a.last, 2).Length, 1u);
    const auto next = t.FindRange(a.type, a.kind, a.last + 1, 1);
    EXPECT_TRUE(!next || next.Range != m.Range);
  }
  // Addresses of no record: past the D range, 000000 and table 2 of the
  // 6-digit references, past their last table; unknown kinds and types.
  const std::tuple<uint16_t, uint16_t, uint32_t> none[] = {{1, 8, 10000},  {0, 4, 0},  {0, 4, 200001},
                                                           {0, 4, 465537}, {3, 17, 0}, {4, 0, 0}};
  for (const auto& [type, kind, address] : none) {
    EXPECT_FALSE(t.FindRange(type, kind, address, 1)) << type << "/" << kind << " " << address;
  }
}

// How stored addresses are shown and entered; every read kind round-trips (write kinds are all read kinds).
TEST(RemoteAddress, TextsAndRoundTrips) {
  // clang-format off
  struct Shown { uint16_t type, kind; uint32_t address; const char *display, *number, *bit; };  // "-": none
  const Shown shown[] = {
      {0, 0, 0xFFFF, "FFFF", "FFFF", "0"}, {0, 4, 400001, "400001", "400001", "0"},
      {1, 5, 255, "X377", "377", "0"}, {2, 6, 16, "Y20", "20", "0"}, {1, 7, 4095, "M4095", "4095", "0"},
      {2, 8, 11999, "D11999", "11999", "0"}, {0, 8, 12, "D12", "12", "0"},
      {3, 0, 8191, "X511.15", "511", "15"}, {3, 2, 16, "Y1.0", "1", "0"},
      {3, 7, 1615, "D100.15", "100", "15"}, {3, 6, 5, "SR5", "5", "0"}, {3, 14, 3, "HC3", "3", "0"},
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
    EXPECT_EQ(std::tuple(t.display, t.number.value_or("-"), t.bit.value_or("-")),
              std::tuple(c.display, c.number, c.bit));
  }
  for (const Entered& c : entered)
    EXPECT_EQ(ParseRemoteAddress(c.type, c.name, c.number, c.bit), c.address) << c.type << " " << c.name;
  const CDeviceAddrTable t;
  for (uint16_t type = 0; type < t.DeviceTypeCount(); ++type) {
    for (uint16_t k = 0; k < t.ReadKindCount(type); ++k) {
      for (uint32_t address : {0u, 7u, 8u, 255u, 1615u, 65535u, 465536u}) {
        const RemoteAddressText text = FormatRemoteAddress(type, t.ReadKindId(type, k), address);
        ASSERT_TRUE(text.number && text.bit);
        EXPECT_EQ(ParseRemoteAddress(type, t.ReadKindName(type, k), *text.number, *text.bit), address)
            << t.ReadKindName(type, k) << " " << text.display;
      }
    }
  }
}

}  // namespace
}  // namespace qx
