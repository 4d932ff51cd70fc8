// The item editor's logic: its limits, loading an item into fields, the kind
// lists, and ValidateItem's order of checks, messages, focus and stores.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <tuple>

#include "dataexch/ItemValidation.h"
#include "dataexch/RemoteAddress.h"

namespace qx {
namespace {

constexpr Direction kR = Direction::kRead, kW = Direction::kWrite;

// Fixtures: the module description's limits are 999 and 1999; rack 1 slot 0
// has areas of 100 and 0x12 registers, both based at 500; [13] holds "zz".
TEST(ItemLimits, ValuesNamesAndFiles) {
  EXPECT_EQ(
      std::tuple(AreaMaxFromHardware("FFFFFFFF"), HardwareSection(1, 11), ModuleDescriptionPath("/d/Module")),
      std::tuple(2147483647, "112", "/d/Module/KM31QX-2C.mds"));
  const std::string data = QX_TEST_DATA "/dataexch/", base = data + "project", modules = data + "Module/";
  const std::string shipped = QX_SOURCE_DIR "/res/QXCONFIG/Module/";
  const std::tuple<const char*, LimitSources, std::array<int, 4>> cases[] = {
      {"description", {base, modules, 1, 0, {}, {}}, {999, 1999, 99, 17}},
      {"one host limit", {base, modules, 1, 0, 5, {}}, {999, 1999, 99, 17}},
      {"host limits", {base, modules, 1, 0, 100, 200}, {100, 200, 99, 17}},
      {"no section", {base, modules, 1, 1, {}, {}}, {999, 1999, -1, -1}},
      {"no description", {base, data + "none/", 1, 0, {}, {}}, {-1, -1, 99, 17}},
      {"shipped description", {base, shipped, 1, 0, {}, {}}, {4095, 4095, 99, 17}},
      {"no project", {"", modules, 1, 0, 100, 200}, {kNoLimit, kNoLimit, 0, 0}}};
  for (const auto& [what, sources, expected] : cases) {
    const ItemLimits l = LoadItemLimits(sources);
    EXPECT_EQ((std::array{l.ReadLimit, l.WriteLimit, l.ReadAreaMax, l.WriteAreaMax}), expected) << what;
  }
  EXPECT_EQ(
      std::tuple(LoadAreaBases(base, 1, 0).ReadBaseRegister, LoadAreaBases(base, 1, 0).WriteBaseRegister,
                 LoadAreaBases(base, 1, 2).ReadBaseRegister, LoadAreaBases("", 1, 0).WriteBaseRegister),
      std::tuple(500u, 500u, 0u, 0u));
}

class ItemEditorTest : public testing::Test {
 public:
  ItemEditorTest() {
    config.SetDefaults();
    fields = *LoadItemFields(table, config, 1, limits, {});
    std::tie(fields.Enabled, fields.SlaveAddress, fields.UpdateCycle, fields.Timeout, fields.IpAddress) =
        std::tuple(true, "1", "100", "1000", 0xC0A80001u);
    UseDevice(0, "MODBUS Register Hex");
    Set(kR, "0", "10", "5");
    Set(kW, "10", "20", "5");
  }
  void UseDevice(int type, const std::string& read, std::string write = "") {
    fields.DeviceType = type;
    FillKindLists(table, fields);
    EXPECT_EQ(std::tuple(fields.Read.Kind, fields.Write.Kind), std::tuple(0, 0));  // first kinds selected
    SelectKind(kR, read);
    SelectKind(kW, write.empty() ? read : write);
  }
  void SelectKind(Direction dir, const std::string& name) {
    const auto& names = fields.Block(dir).KindNames;
    fields.Block(dir).Kind = int(std::find(names.begin(), names.end(), name) - names.begin());
    ASSERT_LT(size_t(fields.Block(dir).Kind), names.size()) << name;
    OnKindChanged(table, fields, dir);
  }
  void Set(Direction dir, const char* offset, const char* number, const char* quantity) {
    std::tie(fields.Block(dir).LocalOffset, fields.Block(dir).Number, fields.Block(dir).Quantity) =
        std::tuple(offset, number, quantity);
  }
  ValidationResult Run() { return ValidateItem(table, fields, limits, config, 1); }
  static auto Outcome(const ValidationResult& r) { return std::tuple(r.ok, r.message, r.focus); }

  CDeviceAddrTable table;
  ModuleConfig config;
  ItemLimits limits{500, 500, 999, 999};
  ItemFields fields;
};

TEST_F(ItemEditorTest, EachStepRejectsWithItsMessageAndField) {
  // Cases with an empty key pass: the boundaries of each rejection.
  using F = ItemField;
  // clang-format off
  struct Rejected { const char* what; std::function<void(ItemEditorTest&)> edit; const char* key; std::vector<TextArg> args; ItemField focus; };
  const Rejected cases[] = {
      {"slave", [](auto& t) { t.fields.SlaveAddress = "256"; }, "Msg4", {}, F::kSlaveAddress},
      {"cycle 0", [](auto& t) { t.fields.UpdateCycle = "0"; }, "Msg5", {}, F::kUpdateCycle},
      {"cycle", [](auto& t) { t.fields.UpdateCycle = "60001"; }, "Msg5", {}, F::kUpdateCycle},
      {"timeout", [](auto& t) { t.fields.Timeout = "9"; }, "Msg6", {}, F::kTimeout},
      {"read sum", [](auto& t) { t.limits.ReadAreaMax = 99; t.Set(kR, "90", "0", "10"); }, "Msg36", {99LL}, F::kReadLocalOffset},
      {"read limit", [](auto& t) { t.limits.ReadLimit = 50; t.Set(kR, "51", "0", "0"); }, "Msg7", {50LL}, F::kReadLocalOffset},
      {"write empty", [](auto& t) { t.limits.WriteAreaMax = -1; }, "Msg36", {-1LL}, F::kWriteLocalOffset},
      {"write limit", [](auto& t) { t.limits.WriteLimit = 5; }, "Msg7", {5LL}, F::kWriteLocalOffset},
      {"16-bit offset", [](auto& t) { t.limits = {kNoLimit, kNoLimit, 999, 99999}; t.Set(kW, "70000", "0", "1"); }, "Msg7", {65535LL}, F::kWriteLocalOffset},
      {"read bit", [](auto& t) { t.fields.Read.Bit = "16"; }, "Msg10", {}, F::kReadBit},
      {"read range", [](auto& t) { t.UseDevice(1, "X", "Y"); t.Set(kR, "0", "400", "1"); }, "Msg15", {}, F::kReadNumber},
      {"read qty", [](auto& t) { t.Set(kR, "0", "0", "101"); }, "Msg12", {100LL}, F::kReadQuantity},
      {"read span", [](auto& t) { t.UseDevice(1, "D"); t.Set(kR, "0", "9995", "10"); }, "Msg16", {}, F::kReadQuantity},
      {"write qty", [](auto& t) { t.UseDevice(3, "E Register"); t.Set(kW, "0", "0", "33"); }, "Msg12", {32LL}, F::kWriteQuantity},
      {"write span", [](auto& t) { t.UseDevice(3, "M Coil"); t.Set(kW, "0", "8190", "3"); }, "Msg16", {}, F::kWriteQuantity},
      // A write block refuses the read-only 6-digit tables 1 and 3.
      {"write input reg", [](auto& t) { t.SelectKind(kW, "MODBUS 6 Digit"); t.Set(kW, "0", "300001", "1"); }, "Msg15", {}, F::kWriteNumber},
      {"no kind", [](auto& t) { t.fields.Write.Kind = -1; }, "Msg15", {}, F::kWriteNumber},
      {"lowest", [](auto& t) { t.fields.SlaveAddress = "255"; t.fields.UpdateCycle = "1"; t.fields.Timeout = "10"; }, "", {}, F::kNone},
      {"highest", [](auto& t) { t.fields.UpdateCycle = "60000"; t.fields.Timeout = "60000"; }, "", {}, F::kNone},
      {"area end", [](auto& t) { t.limits.ReadAreaMax = 99; t.Set(kR, "99", "0", "0"); }, "", {}, F::kNone},
      {"area sum", [](auto& t) { t.limits.ReadAreaMax = 99; t.Set(kR, "90", "0", "9"); }, "", {}, F::kNone},
      {"last coil", [](auto& t) { t.UseDevice(3, "D Coil"); t.Set(kR, "0", "65535", "1"); t.fields.Read.Bit = "15"; }, "", {}, F::kNone},
      {"last ref", [](auto& t) { t.SelectKind(kW, "MODBUS 6 Digit"); t.Set(kW, "0", "465536", "1"); }, "", {}, F::kNone},
  };
  // clang-format on
  for (const Rejected& c : cases) {
    const auto saved = std::tuple(fields, limits);
    c.edit(*this);
    EXPECT_EQ(Outcome(Run()), std::tuple(*c.key == 0, MessageRef{c.key, c.args}, c.focus)) << c.what;
    std::tie(fields, limits) = saved;
  }
  // The one correction: an offset past the area with nothing to move becomes the area's end.
  limits.ReadAreaMax = 99;
  Set(kR, "100", "0", "0");
  EXPECT_EQ(Outcome(Run()), std::tuple(false, MessageRef{"Msg35", {99LL}}, ItemField::kReadLocalOffset));
  EXPECT_EQ(fields.Read.LocalOffset, "99");
  EXPECT_TRUE(Run().ok);
}

TEST_F(ItemEditorTest, KindsSetUpTheFieldsAndValidationStoresThem) {
  // A span too long for the ranges: what passed before it is stored, the address and kind are not.
  UseDevice(1, "D");
  Set(kR, "0", "9995", "10");
  ASSERT_EQ(Run().message.key, "Msg16");
  const auto item = config.Item(1);
  const auto r = item.ReadBlock();
  EXPECT_EQ(std::tuple(item.Enabled(), item.SlaveAddress(), item.IpAddress(), item.UpdateCycle(),
                       item.Timeout(), item.FixedValue(), item.DeviceType(), r.Command(), r.Segment1Address(),
                       r.Segment1Length(), r.RemoteAddress(), r.RemoteKind()),
            std::tuple(2, 1, 0xC0A80001u, 100, 1000, 100, 1, 3, 0x9000u + (9995 - 4096), 5, 0u, 0));
  // Each kind's input rule; a span that fits: command, segment 1 and 2 address and length, kind id, quantity.
  using Stored = std::tuple<uint16_t, uint32_t, uint16_t, uint32_t, uint16_t, uint16_t, uint16_t>;
  constexpr CharSet kH = CharSet::kHex, kD = CharSet::kDecimal, kO = CharSet::kOctal;
  // clang-format off
  struct Case { int type; const char *kind, *number, *quantity; Direction dir; const char* mask; CharSet chars; const char* initial; bool bit; Stored expected; };
  const Case cases[] = {
      {1, "D", "4090", "10", kR, "#####", kD, "0", false, {3, 0x1FFA, 6, 0x9000, 4, 8, 10}},
      {1, "D", "4090", "10", kW, "#####", kD, "0", false, {0x10, 0x1FFA, 6, 0x9000, 4, 8, 10}},
      {2, "M", "1530", "10", kR, "#####", kD, "0", false, {1, 0x800 + 1530, 6, 0xB000, 4, 7, 10}},
      {1, "Y", "17", "2", kW, "###", kO, "0", false, {0xF, 0x500 + 15, 2, 0, 0, 6, 2}},
      {0, "MODBUS Coil Hex", "FFFE", "2", kW, "####", kH, "0", false, {0xF, 0xFFFE, 2, 0, 0, 0, 2}},
      {3, "D Register", "32760", "16", kW, "#####", kD, "0", false, {0x4204, 32760, 8, 0x20008000, 8, 8, 16}},
      {3, "D Coil", "100", "1", kR, "#####", kD, "0", true, {0x4201, 0x10000000 + 1615, 1, 0, 0, 7, 1}},
      {0, "MODBUS 6 Digit", "400001", "10", kR, "######", kD, "1", false, {3, 0, 10, 0, 0, 4, 10}},
      {0, "MODBUS 6 Digit", "000001", "10", kW, "######", kD, "1", false, {0xF, 0, 10, 0, 0, 4, 10}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    BlockFields& block = fields.Block(c.dir);
    block.Number = block.Bit = "7";
    UseDevice(c.type, c.kind);
    EXPECT_EQ(std::tuple(block.Mask, block.Chars, block.Number, block.Bit, block.BitEnabled),
              std::tuple(c.mask, c.chars, c.initial, "0", c.bit));
    Set(c.dir, "0", c.number, c.quantity);
    block.Bit = "15";  // only a word.bit kind takes it
    ASSERT_TRUE(Run().ok) << Run().message.key;
    const auto b = c.dir == kR ? config.Item(1).ReadBlock() : config.Item(1).WriteBlock();
    EXPECT_EQ(Stored(b.Command(), b.Segment1Address(), b.Segment1Length(), b.Segment2Address(),
                     b.Segment2Length(), b.RemoteKind(), b.Quantity()),
              c.expected);
  }
  EXPECT_EQ(fields.Write.RemoteLabel, (MessageRef{"Msg14", {std::string("#000001 ~ #65536, #: <0,4>")}}));
  EXPECT_FALSE(InputRuleFor(3, 14) || InputRuleFor(3, 15) || InputRuleFor(4, 0));  // HC kinds, unknown type
}

TEST_F(ItemEditorTest, LoadShowsWhatValidationStored) {
  UseDevice(3, "D Coil", "SR Register");
  Set(kR, "7", "100", "3");
  fields.Read.Bit = "15";
  Set(kW, "8", "2040", "4");
  ASSERT_TRUE(Run().ok);
  limits.ReadAreaMax = 99;
  const ItemFields f = *LoadItemFields(table, config, 1, limits, {100, 200});
  EXPECT_EQ(std::tuple(f.DeviceType, f.Read.LocalAddressLabel, f.Read.AddrLabel, f.Write.AddrLabel,
                       f.Read.RemoteLabel),
            std::tuple(3, "Local Address (0 ~ 99)", "D100", "D200",
                       MessageRef{"Msg14", {std::string("D0.0 ~ D65535.15")}}));
  EXPECT_EQ(
      std::tuple(f.Read.KindNames.at(size_t(f.Read.Kind)), f.Read.Number, f.Read.Bit, f.Read.Mask,
                 f.Read.BitEnabled, f.Write.LocalOffset, f.Write.Number, f.Write.Mask, f.Write.BitEnabled),
      std::tuple("D Coil", "100", "15", "#####", true, "8", "2040", "####", false));
  EXPECT_FALSE(LoadItemFields(table, config, 65, limits, {}));
  // A kind the list lacks (input coils are read-only) and then a device type the catalogue lacks.
  auto item = config.Item(2);
  item.WriteBlock().SetRemoteKind(1);
  item.WriteBlock().SetRemoteAddress(0x1F);
  ItemFields g = *LoadItemFields(table, config, 2, limits, {});
  EXPECT_EQ(std::tuple(g.Write.Kind, g.Write.Number, g.Write.RemoteLabel),
            std::tuple(-1, "1F", MessageRef{"Msg14", {std::string()}}));
  item.SetDeviceType(5);
  g = *LoadItemFields(table, config, 2, limits, {});
  EXPECT_EQ(std::tuple(g.DeviceType, g.Read.KindNames.size(), g.Read.BitEnabled), std::tuple(-1, 0u, false));
  EXPECT_EQ(std::tuple(ValidateItem(table, g, limits, config, 2).message.key, item.DeviceType()),
            std::tuple("Msg15", 5));
}

}  // namespace
}  // namespace qx
