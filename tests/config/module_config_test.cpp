// The register image: defaults register by register, the byte layout of
// every field (each accessor writes exactly its own bytes), the 32-bit
// register order, text fields and the item and trigger resets.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "config/ModuleConfig.h"

namespace qx {
namespace {

constexpr std::size_t kRegisters = ModuleConfig::kSize / 2;
static_assert(kRegisters == 5090);

uint16_t Register(const ModuleConfig& c, std::size_t r) {
  return static_cast<uint16_t>(c.Bytes()[2 * r] << 8 | c.Bytes()[2 * r + 1]);
}

// The default image written byte by byte, independently of the accessors.
std::vector<uint8_t> ExpectedDefaultImage() {
  std::vector<uint8_t> img(ModuleConfig::kSize, 0);
  auto put16 = [&](std::size_t off, uint16_t v) {
    img[off] = static_cast<uint8_t>(v >> 8);
    img[off + 1] = static_cast<uint8_t>(v);
  };
  for (std::size_t i = 0; i < 64; ++i) {
    put16(0x80 + 128 * i + 8, 10);
    put16(0x80 + 128 * i + 10, 10);
  }
  put16(0x2082, 10);
  put16(0x208C, 0x0400);
  put16(0x208E, 0x0900);
  put16(0x20A0, 1);
  const char* communities[] = {"orchid", "orchid", "granite", "granite"};
  for (std::size_t row = 0; row < 4; ++row) {
    std::memcpy(&img[0x20C0 + 64 * row], communities[row], std::strlen(communities[row]));
  }
  for (std::size_t t = 0; t < 8; ++t) put16(0x2464 + 108 * t + 12, 10);
  return img;
}

void ExpectRegistersEqual(const ModuleConfig& c, const std::vector<uint8_t>& expected) {
  for (std::size_t r = 0; r < kRegisters; ++r) {
    const uint16_t want = static_cast<uint16_t>(expected[2 * r] << 8 | expected[2 * r + 1]);
    ASSERT_EQ(Register(c, r), want) << "register " << r << " (byte offset 0x" << std::hex << 2 * r << ")";
  }
}

TEST(ModuleConfigTest, DefaultsRegisterByRegister) {
  ModuleConfig c;
  c.SetDefaults();
  ExpectRegistersEqual(c, ExpectedDefaultImage());
  // The named registers of the default state, as the module documents them.
  EXPECT_EQ(Register(c, 0x80 / 2 + 4), 10);
  EXPECT_EQ(Register(c, 0x80 / 2 + 5), 10);
  EXPECT_EQ(Register(c, 0x2080 / 2 + 1), 10);
  EXPECT_EQ(Register(c, 0x2080 / 2 + 6), 0x0400);
  EXPECT_EQ(Register(c, 0x2080 / 2 + 7), 0x0900);
  EXPECT_EQ(Register(c, 0x20A0 / 2), 1);
}

TEST(ModuleConfigTest, DefaultsClearEveryByteOfADirtyImage) {
  ModuleConfig c;
  std::memset(c.Bytes(), 0xA5, ModuleConfig::kSize);
  c.SetDefaults();
  ExpectRegistersEqual(c, ExpectedDefaultImage());
  EXPECT_EQ(c.Trigger(8).TriggerFlags(), 0);  // a reset trigger keeps no flag
}

TEST(ModuleConfigTest, ThirtyTwoBitFieldsStoreTheLowRegisterFirst) {
  ModuleConfig c;
  c.Item(1).SetIpAddress(0x0A000001);  // 10.0.0.1
  c.SetTimeZoneSeconds(-18000);
  const uint8_t ip[] = {0x00, 0x01, 0x0A, 0x00};
  const uint8_t tz[] = {0xB9, 0xB0, 0xFF, 0xFF};
  EXPECT_EQ(std::memcmp(c.Bytes() + 0x80 + 4, ip, 4), 0);
  EXPECT_EQ(std::memcmp(c.Bytes() + 0x2094, tz, 4), 0);
  EXPECT_EQ(c.Item(1).IpAddress(), 0x0A000001u);
  EXPECT_EQ(c.TimeZoneSeconds(), -18000);
}

// ---- Every field lands at its own offset and nowhere else -------------------

struct FieldCase {
  std::string name;
  std::size_t offset;
  std::vector<uint8_t> bytes;  // what the field holds after the setter
  std::function<void(ModuleConfig&)> set;
};

const std::vector<uint8_t> k16 = {0x12, 0x34};              // 0x1234
const std::vector<uint8_t> k32 = {0x33, 0x44, 0x11, 0x22};  // 0x11223344
const std::vector<uint8_t> k8 = {0x5A};

std::vector<uint8_t> Filled(std::size_t n) {
  return std::vector<uint8_t>(n, 'q');
}
// A text longer than the field, to show it is cut at the field's end.
std::string Overlong(std::size_t n) {
  return std::string(n + 7, 'q');
}

using M = ModuleConfig;

std::vector<FieldCase> HeaderAndItemCases() {
  std::vector<FieldCase> v = {
      {"DeHeaderReserved", 0x0000, k16, [](M& c) { c.SetDeHeaderReserved(0x1234); }},
      {"EnableCondition", 0x0002, k16, [](M& c) { c.SetEnableCondition(0x1234); }},
      {"ItemCount", 0x0004, k16, [](M& c) { c.SetItemCount(0x1234); }},
  };
  for (int i : {1, 2, 64}) {
    const std::size_t base = 0x80 + 128 * static_cast<std::size_t>(i - 1);
    const std::string n = "Item" + std::to_string(i) + ".";
    v.push_back({n + "Enabled", base + 0, k16, [i](M& c) { c.Item(i).SetEnabled(0x1234); }});
    v.push_back({n + "SlaveAddress", base + 2, k16, [i](M& c) { c.Item(i).SetSlaveAddress(0x1234); }});
    v.push_back({n + "IpAddress", base + 4, k32, [i](M& c) { c.Item(i).SetIpAddress(0x11223344); }});
    v.push_back({n + "UpdateCycle", base + 8, k16, [i](M& c) { c.Item(i).SetUpdateCycle(0x1234); }});
    v.push_back({n + "Timeout", base + 10, k16, [i](M& c) { c.Item(i).SetTimeout(0x1234); }});
    v.push_back({n + "SupportFc17", base + 12, k16, [i](M& c) { c.Item(i).SetSupportFc17(0x1234); }});
    v.push_back({n + "DeviceType", base + 14, k16, [i](M& c) { c.Item(i).SetDeviceType(0x1234); }});
    v.push_back({n + "FixedValue", base + 16, k16, [i](M& c) { c.Item(i).SetFixedValue(0x1234); }});
    for (int k = 1; k <= 7; ++k) {
      v.push_back({n + "Reserved" + std::to_string(k), base + 16 + 2 * k, k16,
                   [i, k](M& c) { c.Item(i).SetReservedWord(k, 0x1234); }});
    }
    for (int w = 0; w < 2; ++w) {
      const std::size_t b = base + 32 + 32 * w;
      const std::string bn = n + (w ? "WriteBlock." : "ReadBlock.");
      auto blk = [i, w](M& c) { return w ? c.Item(i).WriteBlock() : c.Item(i).ReadBlock(); };
      v.push_back({bn + "LocalOffset", b + 0, k16, [blk](M& c) { blk(c).SetLocalOffset(0x1234); }});
      v.push_back({bn + "Quantity", b + 2, k16, [blk](M& c) { blk(c).SetQuantity(0x1234); }});
      v.push_back({bn + "RemoteAddress", b + 4, k32, [blk](M& c) { blk(c).SetRemoteAddress(0x11223344); }});
      v.push_back({bn + "RemoteKind", b + 8, k16, [blk](M& c) { blk(c).SetRemoteKind(0x1234); }});
      for (int k = 1; k <= 3; ++k) {
        v.push_back({bn + "Reserved" + std::to_string(k), b + 8 + 2 * k, k16,
                     [blk, k](M& c) { blk(c).SetReservedWord(k, 0x1234); }});
      }
      v.push_back({bn + "Command", b + 16, k16, [blk](M& c) { blk(c).SetCommand(0x1234); }});
      v.push_back({bn + "Segment1Length", b + 18, k16, [blk](M& c) { blk(c).SetSegment1Length(0x1234); }});
      v.push_back(
          {bn + "Segment1Address", b + 20, k32, [blk](M& c) { blk(c).SetSegment1Address(0x11223344); }});
      v.push_back(
          {bn + "Segment2Reserved", b + 24, k16, [blk](M& c) { blk(c).SetSegment2Reserved(0x1234); }});
      v.push_back({bn + "Segment2Length", b + 26, k16, [blk](M& c) { blk(c).SetSegment2Length(0x1234); }});
      v.push_back(
          {bn + "Segment2Address", b + 28, k32, [blk](M& c) { blk(c).SetSegment2Address(0x11223344); }});
    }
  }
  return v;
}

std::vector<FieldCase> NtpAndSnmpCases() {
  std::vector<FieldCase> v = {
      {"NtpClientEnable", 0x2080, k16, [](M& c) { c.SetNtpClientEnable(0x1234); }},
      {"NtpUpdateCycle", 0x2082, k16, [](M& c) { c.SetNtpUpdateCycle(0x1234); }},
      {"NtpServerIp", 0x2084, k32, [](M& c) { c.SetNtpServerIp(0x11223344); }},
      {"DstEnable", 0x2088, k16, [](M& c) { c.SetDstEnable(0x1234); }},
      {"DstHour", 0x208A, k16, [](M& c) { c.SetDstHour(0x1234); }},
      {"DstStart", 0x208C, k16, [](M& c) { c.SetDstStart(0x1234); }},
      {"DstEnd", 0x208E, k16, [](M& c) { c.SetDstEnd(0x1234); }},
      {"TimeZoneIndex", 0x2090, k16, [](M& c) { c.SetTimeZoneIndex(0x1234); }},
      {"NtpReserved1", 0x2092, k16, [](M& c) { c.SetNtpReserved1(0x1234); }},
      {"TimeZoneSeconds", 0x2094, k32, [](M& c) { c.SetTimeZoneSeconds(0x11223344); }},
      {"NtpReserved2", 0x2098, k32, [](M& c) { c.SetNtpReserved2(0x11223344); }},
      {"NtpServerEnable", 0x209C, k16, [](M& c) { c.SetNtpServerEnable(0x1234); }},
      {"NtpReserved3", 0x209E, k16, [](M& c) { c.SetNtpReserved3(0x1234); }},
      {"SnmpControl", 0x20A0, k16, [](M& c) { c.SetSnmpControl(0x1234); }},
      {"SnmpReserved", 0x20A2, k16, [](M& c) { c.SetSnmpReserved(0x1234); }},
      {"SnmpReservedText", 0x20AC, Filled(20), [](M& c) { c.SetSnmpReservedText(Overlong(20)); }},
  };
  for (int row = 1; row <= 4; ++row) {
    const std::size_t r = static_cast<std::size_t>(row - 1);
    v.push_back({"AccessType" + std::to_string(row), 0x20A4 + 2 * r, k16,
                 [row](M& c) { c.SetAccessType(row, 0x1234); }});
    v.push_back({"Community" + std::to_string(row), 0x20C0 + 64 * r, Filled(64),
                 [row](M& c) { c.SetCommunity(row, Overlong(64)); }});
  }
  return v;
}

std::vector<FieldCase> MailCases() {
  std::vector<FieldCase> v = {
      {"SmtpServerIp", 0x21C0, k32, [](M& c) { c.SetSmtpServerIp(0x11223344); }},
      {"SmtpPort", 0x21C4, k16, [](M& c) { c.SetSmtpPort(0x1234); }},
      {"PasswordLength", 0x21C6, k8, [](M& c) { c.SetPasswordLength(0x5A); }},
      {"UserNameLength", 0x21C7, k8, [](M& c) { c.SetUserNameLength(0x5A); }},
      {"AuthRequired", 0x21C8, k8, [](M& c) { c.SetAuthRequired(0x5A); }},
      {"SenderLength", 0x21C9, k8, [](M& c) { c.SetSenderLength(0x5A); }},
      {"SubjectLength", 0x21CA, k16, [](M& c) { c.SetSubjectLength(0x1234); }},
      {"SenderAddress", 0x21D4, Filled(64), [](M& c) { c.SetSenderAddress(Overlong(64)); }},
      {"UserNameText", 0x2214, Filled(32), [](M& c) { c.SetUserNameText(Overlong(32)); }},
      {"PasswordText", 0x2234, Filled(32), [](M& c) { c.SetPasswordText(Overlong(32)); }},
      {"Subject", 0x2254, Filled(16), [](M& c) { c.SetSubject(Overlong(16)); }},
  };
  for (int k = 1; k <= 8; ++k) {
    v.push_back({"MailReserved" + std::to_string(k), 0x21CC + static_cast<std::size_t>(k - 1), k8,
                 [k](M& c) { c.SetMailReserved(k, 0x5A); }});
  }
  for (int r : {1, 2, 8}) {
    v.push_back({"Recipient" + std::to_string(r), 0x2264 + 64 * static_cast<std::size_t>(r - 1), Filled(64),
                 [r](M& c) { c.SetRecipientAddress(r, Overlong(64)); }});
  }
  for (int t : {1, 2, 8}) {
    const std::size_t b = 0x2464 + 108 * static_cast<std::size_t>(t - 1);
    const std::string n = "Trigger" + std::to_string(t) + ".";
    v.push_back({n + "NameLength", b + 0, k8, [t](M& c) { c.Trigger(t).SetNameLength(0x5A); }});
    v.push_back({n + "MessageLength", b + 1, k8, [t](M& c) { c.Trigger(t).SetMessageLength(0x5A); }});
    v.push_back({n + "TriggerReserved2", b + 2, k8, [t](M& c) { c.Trigger(t).SetTriggerReserved2(0x5A); }});
    v.push_back({n + "TriggerFlags", b + 3, k8, [t](M& c) { c.Trigger(t).SetTriggerFlags(0x5A); }});
    v.push_back({n + "RecipientMask", b + 4, k8, [t](M& c) { c.Trigger(t).SetRecipientMask(0x5A); }});
    v.push_back({n + "TriggerMode", b + 5, k8, [t](M& c) { c.Trigger(t).SetTriggerMode(0x5A); }});
    v.push_back({n + "TriggerReserved6", b + 6, k8, [t](M& c) { c.Trigger(t).SetTriggerReserved6(0x5A); }});
    v.push_back({n + "TriggerReserved7", b + 7, k8, [t](M& c) { c.Trigger(t).SetTriggerReserved7(0x5A); }});
    v.push_back(
        {n + "TriggerReserved8", b + 8, k32, [t](M& c) { c.Trigger(t).SetTriggerReserved8(0x11223344); }});
    v.push_back({n + "Interval", b + 12, k16, [t](M& c) { c.Trigger(t).SetInterval(0x1234); }});
    v.push_back(
        {n + "TriggerReserved14", b + 14, k16, [t](M& c) { c.Trigger(t).SetTriggerReserved14(0x1234); }});
    v.push_back(
        {n + "TriggerName", b + 16, Filled(16), [t](M& c) { c.Trigger(t).SetTriggerName(Overlong(16)); }});
    v.push_back(
        {n + "UserMessage", b + 32, Filled(64), [t](M& c) { c.Trigger(t).SetUserMessage(Overlong(64)); }});
    for (int a = 1; a <= 2; ++a) {
      const std::size_t o = 2 * static_cast<std::size_t>(a - 1);
      const std::string an = std::to_string(a);
      v.push_back({n + "AttachmentDevice" + an, b + 96 + o, k16,
                   [t, a](M& c) { c.Trigger(t).SetAttachmentDevice(a, 0x1234); }});
      v.push_back({n + "AttachmentNumber" + an, b + 100 + o, k16,
                   [t, a](M& c) { c.Trigger(t).SetAttachmentNumber(a, 0x1234); }});
      v.push_back({n + "AttachmentLength" + an, b + 104 + o, k16,
                   [t, a](M& c) { c.Trigger(t).SetAttachmentLength(a, 0x1234); }});
    }
  }
  return v;
}

void ExpectFieldLandsAtItsOffsetOnly(const FieldCase& f) {
  ModuleConfig c;  // every byte zero
  f.set(c);
  for (std::size_t i = 0; i < ModuleConfig::kSize; ++i) {
    const bool inside = i >= f.offset && i < f.offset + f.bytes.size();
    const uint8_t want = inside ? f.bytes[i - f.offset] : 0;
    ASSERT_EQ(c.Bytes()[i], want) << f.name << ": byte 0x" << std::hex << i;
  }
}

TEST(ModuleConfigTest, HeaderAndItemFieldsLandAtTheirOffsets) {
  for (const auto& f : HeaderAndItemCases()) ExpectFieldLandsAtItsOffsetOnly(f);
}

TEST(ModuleConfigTest, NtpAndSnmpFieldsLandAtTheirOffsets) {
  for (const auto& f : NtpAndSnmpCases()) ExpectFieldLandsAtItsOffsetOnly(f);
}

TEST(ModuleConfigTest, MailFieldsLandAtTheirOffsets) {
  for (const auto& f : MailCases()) ExpectFieldLandsAtItsOffsetOnly(f);
}

// ---- Texts and resets ---------------------------------------------------------

TEST(ModuleConfigTest, ShorterTextZeroPadsWhatALongerOneLeft) {
  ModuleConfig c;
  c.SetCommunity(2, std::string(64, 'x'));
  EXPECT_EQ(c.Community(2), std::string(64, 'x'));  // a full field has no terminator
  c.SetCommunity(2, "abc");
  EXPECT_EQ(c.Community(2), "abc");
  for (std::size_t i = 3; i < 64; ++i) ASSERT_EQ(c.Bytes()[0x2100 + i], 0) << i;
  EXPECT_EQ(c.Community(3), "");  // the next row was never touched
}

TEST(ModuleConfigTest, TextStopsAtTheFirstNul) {
  ModuleConfig c;
  c.Trigger(3).SetTriggerName(std::string("ab\0cd", 5));
  EXPECT_EQ(c.Trigger(3).TriggerName(), "ab");
}

TEST(ModuleConfigTest, ResetItemTouchesOnlyThatItem) {
  ModuleConfig c;
  std::memset(c.Bytes(), 0xEE, ModuleConfig::kSize);
  c.ResetItem(5);
  const std::size_t base = 0x80 + 128 * 4;
  for (std::size_t i = 0; i < ModuleConfig::kSize; ++i) {
    uint8_t want = 0xEE;
    if (i >= base && i < base + 128) want = (i == base + 9 || i == base + 11) ? 10 : 0;
    ASSERT_EQ(c.Bytes()[i], want) << "byte 0x" << std::hex << i;
  }
}

TEST(ModuleConfigTest, ResetTriggerClearsFlagsAndSetsInterval) {
  ModuleConfig c;
  std::memset(c.Bytes(), 0xEE, ModuleConfig::kSize);
  c.ResetTrigger(8);
  const std::size_t base = 0x2464 + 108 * 7;
  for (std::size_t i = 0; i < ModuleConfig::kSize; ++i) {
    uint8_t want = 0xEE;
    if (i >= base && i < base + 108) want = (i == base + 13) ? 10 : 0;
    ASSERT_EQ(c.Bytes()[i], want) << "byte 0x" << std::hex << i;
  }
}

TEST(ModuleConfigTest, CopiesOwnTheirImage) {
  ModuleConfig a;
  a.SetDefaults();
  ModuleConfig b(a);
  b.SetItemCount(7);
  b.Item(1).SetSlaveAddress(9);
  EXPECT_EQ(a.ItemCount(), 0);
  EXPECT_EQ(a.Item(1).SlaveAddress(), 0);
  ModuleConfig d;
  d = b;
  d.SetItemCount(3);
  EXPECT_EQ(b.ItemCount(), 7);
  EXPECT_EQ(d.Item(1).SlaveAddress(), 9);
}

}  // namespace
}  // namespace qx
