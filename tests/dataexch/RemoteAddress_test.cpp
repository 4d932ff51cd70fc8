// Address notation: what the list and the editor show for a stored address,
// what an entry reads back as, and how the number field is set up per kind.
#include "dataexch/RemoteAddress.h"

#include <gtest/gtest.h>

#include <tuple>

#include "dataexch/DeviceAddrTable.h"

namespace qx {
namespace {

TEST(RemoteAddress, EveryListedKindRoundTrips) {
  const CDeviceAddrTable t;
  for (uint16_t type = 0; type < t.DeviceTypeCount(); ++type) {
    for (Direction dir : {Direction::kRead, Direction::kWrite}) {
      for (uint16_t k = 0; k < t.KindCount(dir, type); ++k) {
        for (uint32_t address : {0u, 7u, 8u, 255u, 1615u, 65535u, 465536u}) {
          const RemoteAddressText shown = FormatRemoteAddress(type, t.KindId(dir, type, k), address);
          ASSERT_TRUE(shown.Number && shown.Bit);
          const uint32_t parsed =
              ParseRemoteAddress(type, t.KindName(dir, type, k), *shown.Number, *shown.Bit);
          EXPECT_EQ(parsed, address) << t.KindName(dir, type, k) << " " << shown.Display;
          EXPECT_EQ(FormatRemoteAddress(type, t.KindId(dir, type, k), parsed).Display, shown.Display);
        }
      }
    }
  }
}

TEST(RemoteAddress, DisplayAndFieldTexts) {
  // clang-format off
  struct Case { uint16_t type, kind; uint32_t address; const char *display, *number, *bit; };
  const Case cases[] = {
      {0, 0, 0xFFFF, "FFFF", "FFFF", "0"}, {0, 4, 400001, "400001", "400001", "0"},
      {1, 5, 255, "X377", "377", "0"},     {2, 6, 16, "Y20", "20", "0"},
      {1, 7, 4095, "M4095", "4095", "0"},  {2, 8, 11999, "D11999", "11999", "0"},
      {0, 8, 12, "D12", "12", "0"},        {3, 0, 8191, "X511.15", "511", "15"},
      {3, 2, 16, "Y1.0", "1", "0"},        {3, 7, 1615, "D100.15", "100", "15"},
      {3, 6, 5, "SR5", "5", "0"},          {3, 11, 9, "T9", "9", "0"},
      {3, 13, 9, "C9", "9", "0"},          {3, 14, 3, "HC3", "3", "0"},
      {3, 16, 31, "E31", "31", "0"},       {3, 5, 2047, "SM2047", "2047", "0"},
  };
  // clang-format on
  for (const Case& c : cases) {
    const RemoteAddressText t = FormatRemoteAddress(c.type, c.kind, c.address);
    EXPECT_EQ(std::tie(t.Display, *t.Number, *t.Bit), std::tuple(c.display, c.number, c.bit));
  }
  for (auto [type, kind] : {std::pair{5, 0}, {3, 17}, {0, 9}}) {
    const RemoteAddressText t = FormatRemoteAddress(uint16_t(type), uint16_t(kind), 12);
    EXPECT_EQ(t.Display, "X");
    EXPECT_FALSE(t.Number || t.Bit);
  }
}

TEST(RemoteAddress, ParseRules) {
  // clang-format off
  struct Case { uint16_t type; const char *name, *number, *bit; uint32_t expected; };
  const Case cases[] = {
      {1, "X", "377", "", 255},        {1, "X", "18", "", 16} /* not octal: digits weighted anyway */,
      {2, "Y", "10", "", 8},           {1, "X", "0", "", 0},
      {1, "MODBUS Register Hex", "1f", "", 31},         {1, "MODBUS 6 Digit", "400001", "", 400001},
      {1, "Q", "12", "", 0},           {0, "MODBUS 6 Digit", "000001", "", 1},
      {0, "MODBUS Coil Hex", "0xFfFf", "", 65535},      {0, "X", "10", "", 16} /* MODBUS TCP: hex */,
      {0, "anything", "1A", "", 26},   {3, "D Coil", "100", "15", 1615},
      {3, "X Coil", "", "", 0},        {3, "E Register", "12a", "9", 12},
      {3, "HC Coil", "63", "", 63},    {3, "X", "5", "", 0},
      {9, "D", "5", "", 0},            {1, "D", "99999999999", "", 0xFFFFFFFFu},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(ParseRemoteAddress(c.type, c.name, c.number, c.bit), c.expected) << c.type << " " << c.name;
  }
}

TEST(RemoteAddress, InputRulePerKind) {
  constexpr CharSet kH = CharSet::kHex, kD = CharSet::kDecimal, kO = CharSet::kOctal;
  // clang-format off
  struct Case { uint16_t type, kind; int positions; CharSet chars; std::string_view initial; bool bit; };
  const Case cases[] = {
      {0, 0, 4, kH, "0", false}, {0, 3, 4, kH, "0", false}, {0, 4, 6, kD, "1", false}, {1, 5, 3, kO, "0", false},
      {2, 6, 3, kO, "0", false}, {1, 7, 5, kD, "0", false}, {2, 8, 5, kD, "0", false}, {3, 0, 3, kD, "0", true},
      {3, 2, 3, kD, "0", true},  {3, 7, 5, kD, "0", true},  {3, 1, 3, kD, "0", false}, {3, 3, 3, kD, "0", false},
      {3, 4, 4, kD, "0", false}, {3, 13, 4, kD, "0", false}, {3, 8, 5, kD, "0", false}, {3, 16, 2, kD, "0", false},
  };
  // clang-format on
  for (const Case& c : cases) {
    const auto rule = InputRuleFor(c.type, c.kind);
    ASSERT_TRUE(rule) << c.type << "/" << c.kind;
    EXPECT_EQ(std::tuple(rule->MaskLength, rule->Chars, rule->InitialNumber, rule->BitEnabled),
              std::tuple(c.positions, c.chars, c.initial, c.bit));
  }
  EXPECT_FALSE(InputRuleFor(3, 14) || InputRuleFor(3, 15) || InputRuleFor(4, 0));
}

}  // namespace
}  // namespace qx
