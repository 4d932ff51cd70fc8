// The register image: defaults and resets byte by byte, the offset of every field (each
// setter writes exactly its own bytes, 32-bit values low register first), texts and copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "config/ModuleConfig.h"

namespace qx {
namespace {

using M = ModuleConfig;

void ExpectImage(const M& c, const std::vector<uint8_t>& want) {
  for (std::size_t i = 0; i < M::kSize; ++i) ASSERT_EQ(c.Bytes()[i], want[i]) << "byte 0x" << std::hex << i;
}

TEST(ModuleConfigTest, DefaultsAndResetsReplaceEveryByteTheyOwn) {
  std::vector<uint8_t> want(M::kSize, 0);
  auto put16 = [&](std::size_t off, int v) { want[off] = v >> 8, want[off + 1] = v & 0xFF; };
  for (std::size_t i = 0; i < 64; ++i) put16(0x80 + 128 * i + 8, 10), put16(0x80 + 128 * i + 10, 10);
  for (auto [o, v] : {std::pair{0x2082, 10}, {0x208C, 0x400}, {0x208E, 0x900}, {0x20A0, 1}}) put16(o, v);
  for (std::size_t t = 0; t < 8; ++t) put16(0x2464 + 108 * t + 12, 10);
  for (std::size_t r = 0; r < 4; ++r) std::memcpy(&want[0x20C0 + 64 * r], r < 2 ? "orchid" : "granite", 7);
  M c;
  std::memset(c.Bytes(), 0xA5, M::kSize);
  c.SetDefaults();
  ExpectImage(c, want);
  // A reset item or trigger takes its default state (trigger flags cleared too); nothing else changes.
  const std::tuple<void (M::*)(int), int, std::size_t, std::size_t> resets[] = {
      {&M::ResetItem, 5, 0x280, 128}, {&M::ResetTrigger, 8, 0x2758, 108}};
  for (auto [reset, n, base, size] : resets) {
    std::vector<uint8_t> dirty(M::kSize, 0xEE);
    std::copy_n(want.begin() + base, size, dirty.begin() + base);
    std::memset(c.Bytes(), 0xEE, M::kSize);
    (c.*reset)(n);
    ExpectImage(c, dirty);
  }
}

// The value a setter is given and the bytes its field then holds: 0x5A,
// 0x1234 or 0x11223344 by width (low register first), or a text 7 bytes
// longer than the field, which must be cut at the field's end.
template <typename T>
auto Sample(std::size_t textSize) {
  if constexpr (!std::is_arithmetic_v<T>) {
    return std::pair{std::string(textSize + 7, 'q'), std::vector<uint8_t>(textSize, 'q')};
  } else {
    const uint32_t values[] = {0x5A, 0x1234, 0, 0x11223344};
    const std::vector<uint8_t> stored[] = {{0x5A}, {0x12, 0x34}, {}, {0x33, 0x44, 0x11, 0x22}};
    return std::pair{static_cast<T>(values[sizeof(T) - 1]), stored[sizeof(T) - 1]};
  }
}

// Offset from the start of the view, the bytes the field holds afterwards, the setter.
template <typename V>
using Field = std::tuple<std::size_t, std::vector<uint8_t>, std::function<void(const V&)>>;

template <typename V, typename T>
Field<V> F(std::size_t off, void (V::*s)(T) const, std::size_t textSize = 0) {
  auto sample = Sample<T>(textSize);
  return {off, sample.second, [=](const V& v) { (v.*s)(sample.first); }};
}
// Numbered fields (rows, reserved words, attachments), k from 1.
template <typename V, typename T>
Field<V> F(std::size_t off, int k, void (V::*s)(int, T) const, std::size_t textSize = 0) {
  auto sample = Sample<T>(textSize);
  return {off, sample.second, [=](const V& v) { (v.*s)(k, sample.first); }};
}

using IV = ImageView<uint8_t>;
using IT = ItemView<uint8_t>;
using BV = TransferBlockView<uint8_t>;
using TV = TriggerView<uint8_t>;

// clang-format off
const std::vector<Field<IV>> kImageFields = {
    F(0x0000, &IV::SetDeHeaderReserved), F(0x0002, &IV::SetEnableCondition), F(0x0004, &IV::SetItemCount),
    F(0x2080, &IV::SetNtpClientEnable), F(0x2082, &IV::SetNtpUpdateCycle), F(0x2084, &IV::SetNtpServerIp),
    F(0x2088, &IV::SetDstEnable), F(0x208A, &IV::SetDstHour), F(0x208C, &IV::SetDstStart),
    F(0x208E, &IV::SetDstEnd), F(0x2090, &IV::SetTimeZoneIndex), F(0x2092, &IV::SetNtpReserved1),
    F(0x2094, &IV::SetTimeZoneSeconds), F(0x2098, &IV::SetNtpReserved2), F(0x209C, &IV::SetNtpServerEnable),
    F(0x209E, &IV::SetNtpReserved3), F(0x20A0, &IV::SetSnmpControl), F(0x20A2, &IV::SetSnmpReserved),
    F(0x20A4, 1, &IV::SetAccessType), F(0x20AA, 4, &IV::SetAccessType),
    F(0x20AC, &IV::SetSnmpReservedText, 20), F(0x20C0, 1, &IV::SetCommunity, 64),
    F(0x2180, 4, &IV::SetCommunity, 64), F(0x21C0, &IV::SetSmtpServerIp), F(0x21C4, &IV::SetSmtpPort),
    F(0x21C6, &IV::SetPasswordLength), F(0x21C7, &IV::SetUserNameLength), F(0x21C8, &IV::SetAuthRequired),
    F(0x21C9, &IV::SetSenderLength), F(0x21CA, &IV::SetSubjectLength), F(0x21CC, 1, &IV::SetMailReserved),
    F(0x21D3, 8, &IV::SetMailReserved), F(0x21D4, &IV::SetSenderAddress, 64),
    F(0x2214, &IV::SetUserNameText, 32), F(0x2234, &IV::SetPasswordText, 32), F(0x2254, &IV::SetSubject, 16),
    F(0x2264, 1, &IV::SetRecipientAddress, 64), F(0x2424, 8, &IV::SetRecipientAddress, 64),
};
const std::vector<Field<IT>> kItemFields = {
    F(0, &IT::SetEnabled), F(2, &IT::SetSlaveAddress), F(4, &IT::SetIpAddress), F(8, &IT::SetUpdateCycle),
    F(10, &IT::SetTimeout), F(12, &IT::SetSupportFc17), F(14, &IT::SetDeviceType), F(16, &IT::SetFixedValue),
    F(18, 1, &IT::SetReservedWord), F(30, 7, &IT::SetReservedWord),
};
const std::vector<Field<BV>> kBlockFields = {
    F(0, &BV::SetLocalOffset), F(2, &BV::SetQuantity), F(4, &BV::SetRemoteAddress), F(8, &BV::SetRemoteKind),
    F(10, 1, &BV::SetReservedWord), F(14, 3, &BV::SetReservedWord), F(16, &BV::SetCommand),
    F(18, &BV::SetSegment1Length), F(20, &BV::SetSegment1Address), F(24, &BV::SetSegment2Reserved),
    F(26, &BV::SetSegment2Length), F(28, &BV::SetSegment2Address),
};
const std::vector<Field<TV>> kTriggerFields = {
    F(0, &TV::SetNameLength), F(1, &TV::SetMessageLength), F(2, &TV::SetTriggerReserved2),
    F(3, &TV::SetTriggerFlags), F(4, &TV::SetRecipientMask), F(5, &TV::SetTriggerMode),
    F(6, &TV::SetTriggerReserved6), F(7, &TV::SetTriggerReserved7), F(8, &TV::SetTriggerReserved8),
    F(12, &TV::SetInterval), F(14, &TV::SetTriggerReserved14), F(16, &TV::SetTriggerName, 16),
    F(32, &TV::SetUserMessage, 64), F(96, 1, &TV::SetAttachmentDevice), F(98, 2, &TV::SetAttachmentDevice),
    F(100, 1, &TV::SetAttachmentNumber), F(102, 2, &TV::SetAttachmentNumber),
    F(104, 1, &TV::SetAttachmentLength), F(106, 2, &TV::SetAttachmentLength),
};
// clang-format on

template <typename V, typename ViewOf>
void ExpectOwnBytesOnly(const std::vector<Field<V>>& fields, std::size_t base, ViewOf view) {
  for (const auto& [offset, bytes, set] : fields) {
    SCOPED_TRACE(::testing::Message() << "field at 0x" << std::hex << base + offset);
    M c;  // every byte zero
    set(view(c));
    std::vector<uint8_t> want(M::kSize, 0);
    std::copy(bytes.begin(), bytes.end(), want.begin() + base + offset);
    ExpectImage(c, want);
  }
}

// Items 1 and 64 and trigger 8 show both where the records start and their size.
TEST(ModuleConfigTest, EachSetterWritesItsOwnBytesOnly) {
  ExpectOwnBytesOnly(kImageFields, 0, [](M& c) -> IV { return c; });
  ExpectOwnBytesOnly(kItemFields, 0x2000, [](M& c) { return c.Item(64); });
  ExpectOwnBytesOnly(kBlockFields, 0x80 + 32, [](M& c) { return c.Item(1).ReadBlock(); });
  ExpectOwnBytesOnly(kBlockFields, 0x2000 + 64, [](M& c) { return c.Item(64).WriteBlock(); });
  ExpectOwnBytesOnly(kTriggerFields, 0x2758, [](M& c) { return c.Trigger(8); });
}

TEST(ModuleConfigTest, ShorterTextClearsWhatALongerOneLeft) {
  M c;
  c.SetCommunity(2, std::string(64, 'x'));
  c.SetCommunity(2, std::string("ab\0cd", 5));
  std::vector<uint8_t> want(M::kSize, 0);
  std::memcpy(&want[0x2100], "ab\0cd", 5);
  ExpectImage(c, want);
  EXPECT_EQ(c.Community(2), "ab");  // up to the first NUL
}

TEST(ModuleConfigTest, CopiesOwnTheirImage) {
  M a, b(a), d;
  d = b;
  b.SetItemCount(7);
  d.SetItemCount(3);
  EXPECT_EQ((std::vector<int>{a.ItemCount(), b.ItemCount(), d.ItemCount()}), (std::vector<int>{0, 7, 3}));
}

}  // namespace
}  // namespace qx
