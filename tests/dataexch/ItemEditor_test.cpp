// The item editor's logic: loading an item into fields, the kind lists, and
// ValidateItem's order of checks, messages, focus and field-by-field stores.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include "dataexch/ItemValidation.h"

namespace qx {
namespace {

class ItemEditorTest : public testing::Test {
 public:
  ItemEditorTest() {
    config.SetDefaults();
    fields = *LoadItemFields(table, config, 1, limits, {});
    fields.Enabled = true;
    fields.SlaveAddress = "1";
    fields.UpdateCycle = "100";
    fields.Timeout = "1000";
    fields.IpAddress = 0xC0A80001;
    UseDevice(0, "MODBUS Register Hex", "MODBUS Register Hex");
    Set(Direction::kRead, "0", "10", "5");
    Set(Direction::kWrite, "10", "20", "5");
  }
  void UseDevice(int type, const std::string& read, const std::string& write) {
    fields.DeviceType = type;
    FillKindLists(table, fields);
    SelectKind(Direction::kRead, read);
    SelectKind(Direction::kWrite, write);
  }
  void SelectKind(Direction dir, const std::string& name) {
    const auto& names = fields.Block(dir).KindNames;
    fields.Block(dir).Kind = int(std::find(names.begin(), names.end(), name) - names.begin());
    ASSERT_LT(size_t(fields.Block(dir).Kind), names.size()) << name;
    OnKindChanged(table, fields, dir);
  }
  void Set(Direction dir, const char* offset, const char* number, const char* quantity) {
    fields.Block(dir).LocalOffset = offset;
    fields.Block(dir).Number = number;
    fields.Block(dir).Quantity = quantity;
  }
  ValidationResult Run() { return ValidateItem(table, fields, limits, config, 1); }
  TransferBlockView<uint8_t> Block(Direction dir) {
    return dir == Direction::kRead ? config.Item(1).ReadBlock() : config.Item(1).WriteBlock();
  }

  CDeviceAddrTable table;
  ModuleConfig config;
  ItemLimits limits{500, 500, 999, 999};
  ItemFields fields;
};

using Edit = std::function<void(ItemEditorTest&)>;
constexpr auto kR = Direction::kRead;
constexpr auto kW = Direction::kWrite;

// clang-format off
struct Rejected { const char* what; Edit edit; const char* key; std::vector<TextArg> args; ItemField focus; };
// clang-format on

TEST_F(ItemEditorTest, EachStepRejectsWithItsMessageAndField) {
  // Cases with an empty key pass: the boundaries of each rejection.
  using F = ItemField;
  // clang-format off
  const Rejected cases[] = {
      {"slave", [](auto& t) { t.fields.SlaveAddress = "256"; }, "Msg4", {}, F::kSlaveAddress},
      {"cycle 0", [](auto& t) { t.fields.UpdateCycle = "0"; }, "Msg5", {}, F::kUpdateCycle},
      {"cycle", [](auto& t) { t.fields.UpdateCycle = "60001"; }, "Msg5", {}, F::kUpdateCycle},
      {"timeout", [](auto& t) { t.fields.Timeout = "9"; }, "Msg6", {}, F::kTimeout},
      {"timeout", [](auto& t) { t.fields.Timeout = "60001"; }, "Msg6", {}, F::kTimeout},
      {"read sum", [](auto& t) { t.limits.ReadAreaMax = 99, t.Set(kR, "90", "0", "10"); }, "Msg36", {99LL}, F::kReadLocalOffset},
      {"read limit", [](auto& t) { t.limits.ReadLimit = 50, t.Set(kR, "51", "0", "0"); }, "Msg7", {50LL}, F::kReadLocalOffset},
      {"write empty", [](auto& t) { t.limits.WriteAreaMax = -1; }, "Msg36", {-1LL}, F::kWriteLocalOffset},
      {"write limit", [](auto& t) { t.limits.WriteLimit = 5; }, "Msg7", {5LL}, F::kWriteLocalOffset},
      {"16-bit offset", [](auto& t) { t.limits = {kNoLimit, kNoLimit, 999, 99999}, t.Set(kW, "70000", "0", "1"); }, "Msg7", {65535LL}, F::kWriteLocalOffset},
      {"read bit", [](auto& t) { t.fields.Read.Bit = "16"; }, "Msg10", {}, F::kReadBit},
      {"read range", [](auto& t) { t.UseDevice(1, "X", "Y"), t.Set(kR, "0", "400", "1"); }, "Msg15", {}, F::kReadNumber},
      {"read qty", [](auto& t) { t.Set(kR, "0", "0", "101"); }, "Msg12", {100LL}, F::kReadQuantity},
      {"read span", [](auto& t) { t.UseDevice(1, "D", "D"), t.Set(kR, "0", "9995", "10"); }, "Msg16", {}, F::kReadQuantity},
      {"write bit", [](auto& t) { t.fields.Write.Bit = "99"; }, "Msg10", {}, F::kWriteBit},
      {"write qty", [](auto& t) { t.UseDevice(3, "E Register", "E Register"), t.Set(kW, "0", "0", "33"); }, "Msg12", {32LL}, F::kWriteQuantity},
      {"write span", [](auto& t) { t.UseDevice(3, "M Coil", "M Coil"), t.Set(kW, "0", "8190", "3"); }, "Msg16", {}, F::kWriteQuantity},
      // A write block refuses the read-only 6-digit tables 1 and 3.
      {"write input reg", [](auto& t) { t.SelectKind(kW, "MODBUS 6 Digit"), t.Set(kW, "0", "300001", "1"); }, "Msg15", {}, F::kWriteNumber},
      {"no kind", [](auto& t) { t.fields.Write.Kind = -1; }, "Msg15", {}, F::kWriteNumber},
      {"lowest", [](auto& t) { t.fields.SlaveAddress = "255", t.fields.UpdateCycle = "1", t.fields.Timeout = "10"; }, "", {}, F::kNone},
      {"highest", [](auto& t) { t.fields.UpdateCycle = "60000", t.fields.Timeout = "60000"; }, "", {}, F::kNone},
      {"area end", [](auto& t) { t.limits.ReadAreaMax = 99, t.Set(kR, "99", "0", "0"); }, "", {}, F::kNone},
      {"area sum", [](auto& t) { t.limits.ReadAreaMax = 99, t.Set(kR, "90", "0", "9"); }, "", {}, F::kNone},
      {"last coil", [](auto& t) { t.UseDevice(3, "D Coil", "D Coil"), t.Set(kR, "0", "65535", "1"), t.fields.Read.Bit = "15"; }, "", {}, F::kNone},
      {"last ref", [](auto& t) { t.SelectKind(kW, "MODBUS 6 Digit"), t.Set(kW, "0", "465536", "1"); }, "", {}, F::kNone},
  };
  // clang-format on
  for (const Rejected& c : cases) {
    const ItemFields saved = fields;
    const ItemLimits savedLimits = limits;
    c.edit(*this);
    const ValidationResult r = Run();
    EXPECT_EQ(std::tuple(r.Ok, r.Message, r.Focus),
              std::tuple(*c.key == 0, MessageRef{c.key, c.args}, c.focus))
        << c.what;
    fields = saved;
    limits = savedLimits;
  }
  ASSERT_TRUE(Run().Ok);
}

TEST_F(ItemEditorTest, OffsetAboveAreaWithNothingToMoveIsCorrected) {
  limits.ReadAreaMax = 99;
  Set(kR, "100", "0", "0");
  const ValidationResult r = Run();
  EXPECT_EQ(std::tuple(r.Message, r.Focus, fields.Read.LocalOffset),
            std::tuple(MessageRef{"Msg35", {99LL}}, ItemField::kReadLocalOffset, "99"));
  EXPECT_TRUE(Run().Ok);
}

TEST_F(ItemEditorTest, StoresFieldsThatPassedBeforeTheFailure) {
  fields.Timeout = "9";
  ASSERT_FALSE(Run().Ok);
  const auto item = config.Item(1);
  EXPECT_EQ(std::tuple(item.Enabled(), item.SlaveAddress(), item.IpAddress(), item.UpdateCycle(),
                       item.Timeout(), item.FixedValue()),
            std::tuple(2, 1, 0xC0A80001u, 100, 10, 0));

  // A span too long for the ranges: command and first segment are stored,
  // the address and kind are not.
  fields.Timeout = "1000";
  UseDevice(1, "D", "D");
  Set(kR, "0", "9995", "10");
  ASSERT_EQ(Run().Message.Key, "Msg16");
  const auto b = Block(kR);
  EXPECT_EQ(std::tuple(item.FixedValue(), item.DeviceType(), b.Command(), b.Segment1Address(),
                       b.Segment1Length(), b.RemoteAddress()),
            std::tuple(100, 1, 3, 0x9000u + (9995 - 4096), 5, 0u));
}

TEST_F(ItemEditorTest, SpansSplitIntoSegments) {
  using Stored = std::tuple<uint16_t, uint32_t, uint16_t, uint32_t, uint16_t>;  // command, segments
  // clang-format off
  struct Case { int type; const char *kind, *number, *quantity; Direction dir; Stored expected; };
  const Case cases[] = {
      {1, "D", "4090", "10", kR, {3, 0x1FFA, 6, 0x9000, 4}},
      {1, "D", "4090", "10", kW, {0x10, 0x1FFA, 6, 0x9000, 4}},
      {2, "M", "1530", "10", kR, {1, 0x800 + 1530, 6, 0xB000, 4}},
      {3, "D Register", "32760", "16", kW, {0x4204, 32760, 8, 0x20008000, 8}},
      {3, "D Coil", "100", "1", kR, {0x4201, 0x10000000 + 1615, 1, 0, 0}},
      {0, "MODBUS 6 Digit", "400001", "10", kR, {3, 0, 10, 0, 0}},
      {0, "MODBUS 6 Digit", "000001", "10", kW, {0xF, 0, 10, 0, 0}},
  };
  // clang-format on
  for (const Case& c : cases) {
    UseDevice(c.type, c.kind, c.kind);
    Set(c.dir, "0", c.number, c.quantity);
    fields.Block(c.dir).Bit = "15";
    ASSERT_TRUE(Run().Ok) << c.kind << " " << Run().Message.Key;
    const auto b = Block(c.dir);
    EXPECT_EQ(
        Stored(b.Command(), b.Segment1Address(), b.Segment1Length(), b.Segment2Address(), b.Segment2Length()),
        c.expected)
        << c.kind;
    EXPECT_EQ(b.RemoteKind(), SelectedKindId(table, fields, c.dir));
    EXPECT_EQ(b.Quantity(), std::stoi(c.quantity));
    fields.Block(c.dir).Bit = "0";
  }
}

TEST_F(ItemEditorTest, LoadShowsWhatValidationStored) {
  UseDevice(3, "D Coil", "SR Register");
  Set(kR, "7", "100", "3");
  fields.Read.Bit = "15";
  Set(kW, "8", "2040", "4");
  ASSERT_TRUE(Run().Ok);
  limits.ReadAreaMax = 99;
  const ItemFields f = *LoadItemFields(table, config, 1, limits, {100, 200});
  EXPECT_EQ(std::tuple(f.Read.LocalAddressLabel, f.Read.AddrLabel, f.Write.AddrLabel, f.DeviceType),
            std::tuple("Local Address (0 ~ 99)", "D100", "D200", 3));
  EXPECT_EQ(std::tuple(f.Read.KindNames.at(size_t(f.Read.Kind)), f.Read.Number, f.Read.Bit, f.Read.Mask,
                       f.Read.BitEnabled),
            std::tuple("D Coil", "100", "15", "#####", true));
  EXPECT_EQ(f.Read.RemoteLabel, (MessageRef{"Msg14", {std::string("D0.0 ~ D65535.15")}}));
  EXPECT_EQ(std::tuple(f.Write.LocalOffset, f.Write.Number, f.Write.Mask, f.Write.BitEnabled),
            std::tuple("8", "2040", "####", false));
  EXPECT_FALSE(LoadItemFields(table, config, 65, limits, {}));
}

TEST_F(ItemEditorTest, LoadOfKindsAndTypesTheListsLack) {
  auto item = config.Item(2);
  item.WriteBlock().SetRemoteKind(1);  // input coils: read list only
  item.WriteBlock().SetRemoteAddress(0x1F);
  ItemFields f = *LoadItemFields(table, config, 2, limits, {});
  EXPECT_EQ(std::tuple(f.Write.Kind, f.Write.Number), std::tuple(-1, "1F"));
  EXPECT_EQ(f.Write.RemoteLabel, (MessageRef{"Msg14", {std::string()}}));
  item.SetDeviceType(5);
  f = *LoadItemFields(table, config, 2, limits, {});
  EXPECT_EQ(std::tuple(f.DeviceType, f.Read.KindNames.size(), f.Read.BitEnabled), std::tuple(-1, 0u, false));
  EXPECT_EQ(ValidateItem(table, f, limits, config, 2).Message.Key, "Msg15");
  EXPECT_EQ(item.DeviceType(), 5);
}

TEST_F(ItemEditorTest, FillKindListsSelectsAndSetsUpTheFirstKinds) {
  const std::tuple<int, const char*, const char*, bool> cases[] = {
      {0, "MODBUS Coil Hex", "####", false}, {1, "X", "###", false}, {3, "X Coil", "###", true}};
  for (const auto& [type, name, mask, bit] : cases) {
    fields.DeviceType = type;
    fields.Read.Bit = "7";
    FillKindLists(table, fields);
    EXPECT_EQ(std::tuple(fields.Read.KindNames.at(size_t(fields.Read.Kind)), fields.Read.Mask,
                         fields.Read.BitEnabled, fields.Read.Bit),
              std::tuple(name, mask, bit, "0"));
  }
  fields.DeviceType = 0;
  FillKindLists(table, fields);
  SelectKind(kW, "MODBUS 6 Digit");
  EXPECT_EQ(fields.Write.Number, "1");
  EXPECT_EQ(fields.Write.RemoteLabel, (MessageRef{"Msg14", {std::string("#000001 ~ #65536, #: <0,4>")}}));
}

}  // namespace
}  // namespace qx
