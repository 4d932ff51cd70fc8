// The image's defaults, resets and texts; the golden section pins every numeric offset.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>
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
  auto put16 = [&](std::size_t off, int v) {
    want[off] = static_cast<uint8_t>(v >> 8);
    want[off + 1] = static_cast<uint8_t>(v & 0xFF);
  };
  for (std::size_t i = 0; i < 64; ++i) {
    put16(0x80 + 128 * i + 8, 10);
    put16(0x80 + 128 * i + 10, 10);
  }
  for (auto [o, v] : {std::pair{0x2082, 10}, {0x208C, 0x400}, {0x208E, 0x900}, {0x20A0, 1}}) put16(o, v);
  for (std::size_t t = 0; t < 8; ++t) put16(0x2464 + 108 * t + 12, 10);
  for (std::size_t r = 0; r < 4; ++r) std::memcpy(&want[0x20C0 + 64 * r], r < 2 ? "orchid" : "granite", 7);
  M c;
  std::memset(c.Bytes(), 0xA5, M::kSize);
  c.SetDefaults();
  ExpectImage(c, want);
  // A reset item or trigger takes its default state (trigger flags cleared too); nothing else changes.
  for (auto [reset, n, base, size] :
       {std::tuple{&M::ResetItem, 5, 0x280, 128}, {&M::ResetTrigger, 8, 0x2758, 108}}) {
    std::vector<uint8_t> dirty(M::kSize, 0xEE);
    std::copy_n(want.begin() + base, size, dirty.begin() + base);
    std::memset(c.Bytes(), 0xEE, M::kSize);
    (c.*reset)(n);
    ExpectImage(c, dirty);
  }
}

// A text longer than its field is cut at the field's end; a shorter one clears what the longer
// left, and reading stops at the first NUL.
TEST(ModuleConfigTest, TextsFillExactlyTheirField) {
  using S = std::string_view;
  using Text = std::string (*)(M&, S);  // sets, then reads back
  // clang-format off
  const std::tuple<std::size_t, std::size_t, Text> fields[] = {
      {0x20AC, 20, [](M& c, S s) { c.SetSnmpReservedText(s); return c.SnmpReservedText(); }},
      {0x20C0, 64, [](M& c, S s) { c.SetCommunity(1, s); return c.Community(1); }},
      {0x21D4, 64, [](M& c, S s) { c.SetSenderAddress(s); return c.SenderAddress(); }},
      {0x2214, 32, [](M& c, S s) { c.SetUserNameText(s); return c.UserNameText(); }},
      {0x2234, 32, [](M& c, S s) { c.SetPasswordText(s); return c.PasswordText(); }},
      {0x2254, 16, [](M& c, S s) { c.SetSubject(s); return c.Subject(); }},
      {0x2264, 64, [](M& c, S s) { c.SetRecipientAddress(1, s); return c.RecipientAddress(1); }},
      {0x2768, 16, [](M& c, S s) { c.Trigger(8).SetTriggerName(s); return c.Trigger(8).TriggerName(); }},
      {0x2778, 64, [](M& c, S s) { c.Trigger(8).SetUserMessage(s); return c.Trigger(8).UserMessage(); }},
  };
  // clang-format on
  for (const auto& [offset, size, text] : fields) {
    SCOPED_TRACE(::testing::Message() << "text at 0x" << std::hex << offset);
    M c;  // every byte zero
    EXPECT_EQ(text(c, std::string(size + 7, 'q')), std::string(size, 'q'));
    EXPECT_EQ(text(c, S("ab\0cd", 5)), "ab");
    std::vector<uint8_t> want(M::kSize, 0);
    std::memcpy(&want[offset], "ab\0cd", 5);
    ExpectImage(c, want);
  }
}

}  // namespace
}  // namespace qx
