// The one reader of number texts (the platform's 32-bit strtoul, saturating above 0xFFFFFFFF), its
// named variants where a caller's rule for signs, blanks or overflow really differs, the address
// reader, and the byte-text helpers every layer shares.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/Inet.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

namespace qx {
namespace {

// The readers by letter: u ReadUnsigned32 and l ReadLeadingDigits32 (in the base), s ReadSigned32,
// c ReadClampedSigned32, w ParseWholeNumber, n ParseWholeSignedNumber; nullopt: refused.
std::optional<int64_t> Read(char reader, const std::string& text, int base) {
  if (reader == 'u') return ReadUnsigned32(text, base);
  if (reader == 'l') return ReadLeadingDigits32(text, base);
  if (reader == 's') return ReadSigned32(text);
  if (reader == 'c') return ReadClampedSigned32(text);
  if (reader == 'n') return ParseWholeSignedNumber(text);
  const auto whole = ParseWholeNumber(text);
  return whole ? std::optional<int64_t>(*whole) : std::nullopt;
}

TEST(NumberReaders, EachReadsByItsOwnRule) {
  const std::optional<int64_t> no;
  const int64_t max = 0xFFFFFFFF;
  const std::tuple<char, int, std::string, std::optional<int64_t>> cases[] = {
      // clang-format off
      // The 32-bit strtoul: saturates above 0xFFFFFFFF whatever the sign, never wraps to 7;
      // a value in range is negated modulo 2^32.
      {'u', 10, "42", 42},               {'u', 10, " \t\n42x", 42},        {'u', 10, "+7", 7},
      {'u', 10, "-1", max},              {'u', 10, "-18000", 0xFFFFB9B0},  {'u', 10, "- 5", 0},
      {'u', 10, "", 0},                  {'u', 10, "abc", 0},              {'u', 10, "4294967295", max},
      {'u', 10, "4294967303", max},      {'u', 10, "-4294967303", max},    {'u', 10, "-4294967295", 1},
      {'u', 10, std::string(40, '9') + "1", max},
      {'u', 16, "0x1A", 26},             {'u', 16, "1a", 26},              {'u', 16, "0xg", 0},
      {'u', 16, "-0x10", 0xFFFFFFF0},    {'u', 16, "100000000", max},      {'u', 10, "0x1A", 0},
      {'u', 8, "017", 15},               {'u', 8, "19", 1},                {'u', 2, "1012", 5},
      {'u', 7, "12", 12},                {'u', 0, "12", 12},
      {'s', 0, "4294967295", -1},        {'s', 0, "-3000000000", 1294967296},
      {'s', 0, "3000000000", -1294967296},
      // Entered addresses and description fields: digits at the very start only. A sign or a
      // blank reads 0 rather than a huge value that could fall into some range.
      {'l', 10, "42x", 42},              {'l', 10, "", 0},                 {'l', 10, " 42", 0},
      {'l', 10, "-1", 0},                {'l', 10, "+7", 0},               {'l', 10, "99999999999", max},
      {'l', 16, "0x1A", 26},             {'l', 16, "1a", 26},              {'l', 16, "0X", 0},
      {'l', 16, "0xg", 0},               {'l', 16, "100000000", max},      {'l', 10, "0x1A", 0},
      // The windows' fields clamp as atoi does: a range check must not take a huge entry for a small one.
      {'c', 0, " \t-17kg", -17},         {'c', 0, "+5", 5},                {'c', 0, "x1", 0},
      {'c', 0, "- 5", 0},                {'c', 0, "2147483647", INT32_MAX}, {'c', 0, "2147483648", INT32_MAX},
      {'c', 0, "4294967295", INT32_MAX}, {'c', 0, "99999999999", INT32_MAX},
      {'c', 0, "-2147483648", INT32_MIN}, {'c', 0, "-2147483649", INT32_MIN},
      {'c', 0, "-99999999999", INT32_MIN},
      // A whole number of 32 bits, as on a command line or in a plant file; signed where allowed.
      {'w', 0, "8895", 8895},            {'w', 0, "0x1F", 31},             {'w', 0, "0X1f", 31},
      {'w', 0, "4294967295", max},       {'w', 0, "4294967296", no},       {'w', 0, "", no},
      {'w', 0, "0x", no},                {'w', 0, " 1", no},               {'w', 0, "1 ", no},
      {'w', 0, "+1", no},                {'w', 0, "-1", no},               {'w', 0, "12a", no},
      {'n', 0, "-1", -1},                {'n', 0, "+0x10", 16},            {'n', 0, "-0x10", -16},
      {'n', 0, "4294967295", max},       {'n', 0, "-2147483648", INT32_MIN}, {'n', 0, "010", 10},
      {'n', 0, "-2147483649", no},       {'n', 0, "4294967296", no},       {'n', 0, "-", no},
      {'n', 0, " 1", no},                {'n', 0, "--1", no},              {'n', 0, "1x", no},
      // clang-format on
  };
  for (const auto& [reader, base, text, value] : cases)
    EXPECT_EQ(Read(reader, text, base), value) << reader << " \"" << text << "\" base " << base;
}

TEST(InetAddr, ReadsAddressesAsTheClassicFunction) {
  // Fewer than four parts: the last fills the remaining bytes; parts may be
  // hexadecimal or octal (0250 = 168); white space ends the address.
  const std::pair<const char*, uint32_t> accepted[] = {
      {"192.168.1.5", 0xC0A80105},   {"10.1", 0x0A000001},          {"10.1.2", 0x0A010002},
      {"1.16777215", 0x01FFFFFF},    {"3232235777", 0xC0A80101},    {"0x7f.1", 0x7F000001},
      {"0xC0.0250.1.5", 0xC0A80105}, {"1.2.3.4 words", 0x01020304}, {"1.2.3.4\t", 0x01020304}};
  for (const auto& [text, hostOrder] : accepted)
    EXPECT_EQ(std::pair(InetAddrHostOrder(text), InetAddr(text)), std::pair(hostOrder, ::inet_addr(text)))
        << text;
  // Refused: the failure value, which 255.255.255.255 gives too.
  for (const char* text : {"255.255.255.255", "", " 1.2.3.4", "1.2.3.256", "256.1.1.1", "1.2.65536",
                           "1.16777216", "4294967296", "99999999999999999999999", "1.2.3.4.5", "1..2", "1.2.",
                           "1.2.3.4x", "08.1.1.1", "0x", "0xg", "-1", "a.b.c.d"})
    EXPECT_EQ(std::pair(InetAddrHostOrder(text), InetAddr(text)), std::pair(kInetNone, ::inet_addr(text)))
        << text;
}

TEST(TextHelpers, CaseTrimCommaFieldsAndDottedQuads) {
  using Fields = std::vector<std::string_view>;
  EXPECT_TRUE(EqualsIgnoreCaseAscii("Slot13", "sLOT13"));
  EXPECT_FALSE(EqualsIgnoreCaseAscii("\xC3\x84", "\xC3\xA4") || EqualsIgnoreCaseAscii("ab", "abc"));
  EXPECT_EQ(LowerAscii("MiXeD \xC3\x84"), "mixed \xC3\x84");  // UTF-8 bytes untouched
  EXPECT_EQ(UpperAscii("SlOt13 \xC3\xA4"), "SLOT13 \xC3\xA4");
  EXPECT_EQ(
      (std::vector<int>{HexDigitValue('0'), HexDigitValue('f'), HexDigitValue('F'), HexDigitValue('g')}),
      (std::vector<int>{0, 15, 15, -1}));
  EXPECT_EQ(Trim(" \t a b \t"), "a b");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim("\r\nk \n", " \r\n"), "k");
  EXPECT_EQ(TrimStart(" \t 5 ,"), "5 ,");
  EXPECT_EQ(TrimStart(" \t"), "");
  EXPECT_EQ(SplitCommas("a,,b,"), (Fields{"a", "", "b", ""}));
  EXPECT_EQ(SplitCommas(","), (Fields{"", ""}));
  EXPECT_TRUE(SplitCommas("").empty());
  const std::tuple<std::string, std::size_t, std::string> fields[] = {
      {"a,b,c", 0, "a"}, {"a,b,c", 2, "c"}, {"a,b,c", 3, ""}, {"a,,c", 1, ""}, {"a,", 1, ""}, {"", 0, ""}};
  for (const auto& [text, index, field] : fields) EXPECT_EQ(CommaField(text, index), field) << text << index;
  // Most significant byte first.
  EXPECT_EQ(DottedQuad(0xC0A8000Au), "192.168.0.10");
  EXPECT_EQ(DottedQuad(0xFFFFFFFFu), "255.255.255.255");
}

}  // namespace
}  // namespace qx
