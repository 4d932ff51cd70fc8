// Base64 coding of the mail credentials: the encoder against the output of a
// standard encoder (values from Python's base64.b64encode), the decoder's
// own rules against hostile text.
#include "config/Base64.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

using namespace std::string_literals;

TEST(Base64, EncodesAsAStandardEncoderAndDecodesBack) {
  // Plain text and base64.b64encode of it.
  const std::pair<std::string, const char*> cases[] = {
      {"", ""},
      {"a", "YQ=="},
      {"ab", "YWI="},
      {"abc", "YWJj"},
      {"operator-mail15", "b3BlcmF0b3ItbWFpbDE1"},       // 15 characters
      {"operator-mail-16", "b3BlcmF0b3ItbWFpbC0xNg=="},  // 16: the longest user name, 24 out
      {"\xe4\xbd\xa0\xe5\xa5\xbd", "5L2g5aW9"},          // UTF-8 text, bytes above 127
      {"\xff\xfe\x80", "//6A"},
      {"\xfb\xfc\xfd\xfe\xff?>", "+/z9/v8/Pg=="},  // every "+" and "/" position
  };
  for (const auto& [plain, encoded] : cases) {
    EXPECT_EQ(Base64Encode(plain), encoded) << encoded;
    EXPECT_EQ(Base64Decode(encoded), plain) << encoded;
  }
}

TEST(Base64, DecoderSkipsStrangersReadsPaddingAsZeroAndDropsAShortGroup) {
  // Coded text and what it decodes to.
  const std::pair<std::string, std::string> cases[] = {
      {"Y W\r\nJ\tj", "abc"},      // blanks and line ends are skipped
      {"Y*W?J-j\x80\xff", "abc"},  // so is every byte outside the alphabet
      {"YWJjZA", "abc"},           // two values left over: dropped
      {"YWJjZ", "abc"},            // one value left over: dropped
      {"YWJ", ""},                 // no whole group at all
      {"YQ==YWI=", "a"},           // "=" is a zero value: the text ends there
      {"==YQ", ""},                // a zero byte first: an empty text
      {"YW==Jj", "a`"},            // stray bits before "=" are kept: 61 60 00
      {"YWJj\0ZGVm"s, "abc"},      // input ends at its NUL
      {"AAAAYWJj", ""},            // three zero bytes end the text at once
      {"+/+/", "\xfb\xff\xbf"},    // "+" is 62, "/" is 63
  };
  for (const auto& [encoded, plain] : cases) EXPECT_EQ(Base64Decode(encoded), plain) << encoded;
}

TEST(Base64, DecoderStopsTakingInputAfter8188Bytes) {
  std::string encoded;
  for (int i = 0; i < 4000; ++i) encoded += "QUJD";  // "ABC" each, 12000 bytes coded
  std::string plain = Base64Decode(encoded);
  // 2729 groups give 8187 bytes, fewer than the cap, so one more group is read.
  EXPECT_EQ(plain.size(), 8190u);
  EXPECT_EQ(plain.substr(plain.size() - 3), "ABC");
  EXPECT_EQ(Base64Decode(std::string(20000, '!')), "");  // nothing valid: nothing out, no hang
}

}  // namespace
}  // namespace qx
