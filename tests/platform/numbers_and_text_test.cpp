// The one reader of number texts (the platform's 32-bit strtoul, saturating above 0xFFFFFFFF) and
// the byte-text helpers every layer shares.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/Numbers.h"
#include "platform/Text.h"

namespace qx {
namespace {

TEST(ReadUnsigned32, ReadsAsThe32BitStrtoul) {
  const std::tuple<std::string, int, uint32_t> cases[] = {
      // clang-format off
      {"42", 10, 42},              {" \t\n42x", 10, 42},          {"+7", 10, 7},
      {"-1", 10, 0xFFFFFFFF},      {"-18000", 10, 0xFFFFB9B0},    {"- 5", 10, 0},
      {"", 10, 0},                 {"abc", 10, 0},                {"4294967295", 10, 0xFFFFFFFF},
      {"4294967303", 10, 0xFFFFFFFF},                             // saturates, never wraps to 7
      {"-4294967303", 10, 0xFFFFFFFF},                            // saturated whatever the sign
      {"-4294967295", 10, 1},                                     // in range: negated modulo 2^32
      {std::string(40, '9') + "1", 10, 0xFFFFFFFF},
      {"0x1A", 16, 26},            {"1a", 16, 26},                {"0xg", 16, 0},
      {"-0x10", 16, 0xFFFFFFF0},   {"100000000", 16, 0xFFFFFFFF}, {"0x1A", 10, 0},
      {"017", 8, 15},              {"19", 8, 1},                  {"1012", 2, 5},
      {"12", 7, 12},               {"12", 0, 12},
      // clang-format on
  };
  for (const auto& [text, base, value] : cases)
    EXPECT_EQ(ReadUnsigned32(text, base), value) << '"' << text << "\" base " << base;
  EXPECT_EQ(ReadSigned32("4294967295"), -1);
  EXPECT_EQ(ReadSigned32("-3000000000"), 1294967296);
}

TEST(ParseWholeNumber, TakesOnlyAWholeNumberOf32Bits) {
  const std::pair<std::string, std::optional<uint32_t>> cases[] = {
      {"8895", 8895},      {"0x1F", 31}, {"0X1f", 31},       {"4294967295", 0xFFFFFFFF},
      {"4294967296", {}},  {"", {}},     {"0x", {}},         {" 1", {}},
      {"1 ", {}},          {"+1", {}},   {"-1", {}},         {"12a", {}}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseWholeNumber(text), value) << '"' << text << '"';
}

TEST(TextHelpers, CaseFoldsAsciiOnlyAndSplitsKeepEmptyFields) {
  using Fields = std::vector<std::string_view>;
  EXPECT_TRUE(EqualsIgnoreCaseAscii("Slot13", "sLOT13"));
  EXPECT_FALSE(EqualsIgnoreCaseAscii("\xC3\x84", "\xC3\xA4") || EqualsIgnoreCaseAscii("ab", "abc"));
  EXPECT_EQ(LowerAscii("MiXeD \xC3\x84"), "mixed \xC3\x84");  // UTF-8 bytes untouched
  EXPECT_EQ((std::vector<int>{HexDigitValue('0'), HexDigitValue('f'), HexDigitValue('F'), HexDigitValue('g')}),
            (std::vector<int>{0, 15, 15, -1}));
  EXPECT_EQ(Trim(" \t a b \t"), "a b");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim("\r\nk \n", " \r\n"), "k");
  EXPECT_EQ(SplitCommas("a,,b,"), (Fields{"a", "", "b", ""}));
  EXPECT_EQ(SplitCommas(","), (Fields{"", ""}));
  EXPECT_TRUE(SplitCommas("").empty());
}

}  // namespace
}  // namespace qx
