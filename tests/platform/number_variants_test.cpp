// The named variants beside the one number reader: where a caller's rule
// for signs, blanks or overflow really differs from the 32-bit strtoul, and
// the text helpers that replaced private copies (comma field, upper case,
// leading trim, the dotted address).
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>

#include "platform/Inet.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

namespace qx {
namespace {

// Entered addresses and description fields: digits alone. A sign or a blank
// reads 0 rather than a huge value that could fall into some range.
TEST(ReadLeadingDigits32, TakesDigitsAtTheVeryStartOnly) {
  const std::tuple<std::string, int, uint32_t> cases[] = {
      // clang-format off
      {"42", 10, 42},          {"42x", 10, 42},                {"", 10, 0},
      {" 42", 10, 0},          {"-1", 10, 0},                  {"+7", 10, 0},
      {"4294967295", 10, 0xFFFFFFFF},                          {"99999999999", 10, 0xFFFFFFFF},
      {"0x1A", 16, 26},        {"1a", 16, 26},                 {"0X", 16, 0},
      {"0xg", 16, 0},          {"100000000", 16, 0xFFFFFFFF},  {"0x1A", 10, 0},
      // clang-format on
  };
  for (const auto& [text, base, value] : cases)
    EXPECT_EQ(ReadLeadingDigits32(text, base), value) << '"' << text << "\" base " << base;
}

// The windows' fields clamp as atoi does, where ReadSigned32 saturates to -1
// or wraps: a field range check must not take a huge entry for a small one.
TEST(ReadClampedSigned32, ClampsToTheSignedRange) {
  const std::pair<std::string, int32_t> cases[] = {
      // clang-format off
      {"42", 42},                       {" \t-17kg", -17},            {"+5", 5},
      {"", 0},                          {"x1", 0},                    {"- 5", 0},
      {"2147483647", INT32_MAX},        {"2147483648", INT32_MAX},    {"3000000000", INT32_MAX},
      {"4294967295", INT32_MAX},        {"99999999999", INT32_MAX},   {"-2147483648", INT32_MIN},
      {"-2147483649", INT32_MIN},       {"-99999999999", INT32_MIN},
      // clang-format on
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ReadClampedSigned32(text), value) << '"' << text << '"';
  EXPECT_EQ(ReadSigned32("3000000000"), -1294967296);  // the other rule, for contrast
}

TEST(ParseWholeSignedNumber, TakesAWholeSignedOrUnsigned32BitNumber) {
  const std::pair<std::string, std::optional<int64_t>> cases[] = {
      // clang-format off
      {"8895", 8895},               {"-1", -1},                     {"+0x10", 16},
      {"-0x10", -16},               {"4294967295", 4294967295LL},   {"-2147483648", INT32_MIN},
      {"010", 10},                  {"-2147483649", {}},            {"4294967296", {}},
      {"-", {}},                    {"", {}},                       {" 1", {}},
      {"--1", {}},                  {"1x", {}},
      // clang-format on
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseWholeSignedNumber(text), value) << '"' << text << '"';
}

TEST(TextHelpers, CommaFieldUpperCaseAndLeadingTrim) {
  const std::tuple<std::string, std::size_t, std::string> fields[] = {
      {"a,b,c", 0, "a"}, {"a,b,c", 2, "c"}, {"a,b,c", 3, ""}, {"a,,c", 1, ""}, {"a,", 1, ""}, {"", 0, ""}};
  for (const auto& [text, index, field] : fields) {
    EXPECT_EQ(CommaField(text, index), field) << '"' << text << "\" " << index;
    const auto all = SplitCommas(text);
    EXPECT_EQ(CommaField(text, index), index < all.size() ? all[index] : std::string_view()) << '"' << text << '"';
  }
  EXPECT_EQ(UpperAscii("SlOt13 \xC3\xA4"), "SLOT13 \xC3\xA4");  // UTF-8 bytes untouched
  EXPECT_EQ(TrimStart(" \t 5 ,"), "5 ,");
  EXPECT_EQ(TrimStart(" \t"), "");
}

TEST(DottedQuad, ShowsTheMostSignificantByteFirst) {
  EXPECT_EQ(DottedQuad(0xC0A8000Au), "192.168.0.10");
  EXPECT_EQ(DottedQuad(0), "0.0.0.0");
  EXPECT_EQ(DottedQuad(0xFFFFFFFFu), "255.255.255.255");
  EXPECT_EQ(InetAddrHostOrder(DottedQuad(0x0A000102u)), 0x0A000102u);
}

}  // namespace
}  // namespace qx
