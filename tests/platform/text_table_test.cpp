// SafeFormat, CTextTable lookups and the text tables shipped with the program.
#include <gtest/gtest.h>

#include <map>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "platform/ProfileFile.h"
#include "platform/TextTable.h"
#include "tests/support/TestSupport.h"

namespace qx {
namespace {

using namespace test;

TEST(SafeFormat, MatchingConversionsAreFormatted) {
  const std::tuple<std::string, std::vector<TextArg>, std::string> cases[] = {
      {"device %s above %d", {std::string("T"), 2047LL}, "device T above 2047"},
      {"%i|%u|%x|%X|%o|%c", {-5LL, 7LL, 255LL, 255LL, 8LL, 65LL}, "-5|7|ff|FF|10|A"},
      {"%ld %hd %lld %hhu %lx %zu", {1LL, 2LL, 3LL, 4LL, 255LL, 6LL}, "1 2 3 4 ff 6"},
      // Integers are those of the 32-bit platform the texts were written for.
      {"%u|%x|%lu|%d|%zu",
       {-1LL, -1LL, -1LL, 3000000000LL, -1LL},
       "4294967295|ffffffff|4294967295|-1294967296|4294967295"},
      {"%hd|%hu|%hhd|%hhu|%d", {70000LL, -1LL, 200LL, 300LL, 4294967301LL}, "4464|65535|-56|44|5"},
      {"%lld|%llu|%jd", {-1LL, -1LL, 4294967301LL}, "-1|18446744073709551615|4294967301"},
      {"%5d|%-4d|%05d|%.3d|%+d|%#x", {42LL, 7LL, 42LL, 5LL, 3LL, 255LL}, "   42|7   |00042|005|+3|0xff"},
      {"%6s|%.2s|%-3s|", {std::string("ab"), std::string("xyz"), std::string("q")}, "    ab|xy|q  |"},
      {"\xe6\xa9\x9f\xe6\x9e\xb6 100%% at %d%%", {50LL}, "\xe6\xa9\x9f\xe6\x9e\xb6 100% at 50%"},
      {"%d", {1LL, 2LL, std::string("x")}, "1"},  // extra arguments are ignored
      {"%4096d", {1LL}, std::string(4095, ' ') + "1"},
      {"a%cb", {0LL}, std::string("a\0b", 3)}};
  for (const auto& [format, args, expected] : cases) EXPECT_EQ(SafeFormat(format, args), expected) << format;
}

// A text table is data: anything but a plain match returns the format as it stands.
TEST(SafeFormat, EverythingElseLeavesTheFormatUnchanged) {
  const std::vector<TextArg> ints = {1LL, 2LL}, texts = {std::string("a"), std::string("b")};
  for (const char* format : {"%s", "%n", "%d%n", "%p", "%f", "%Lf", "%lc", "%*d", "%1$d", "%5%", "%d %d %d",
                             "50%", "%l", "%999999999d", "%.4097d", "%99999999999999999999d"})
    EXPECT_EQ(SafeFormat(format, ints), format);
  for (const char* format : {"%d", "%s %d", "%ls", "%.*s"}) EXPECT_EQ(SafeFormat(format, texts), format);
}

using TextTableTest = TempFolderTest;

TEST_F(TextTableTest, WordsFallBackAndMessagesFormatSafely) {
  CProfileFile file;
  const CTextTable table(file);
  EXPECT_EQ(table.UiWord("TAB_MailP3_TrigMode2"), "CPU ( STOP <=> RUN )");  // unbound file
  EXPECT_EQ(table.Message("Msg1"), "");
  WriteFile(PathOf("UI.ini"), "[UIStr]\r\nTAB_NTP=\r\nTAB_SNMP=Netz\r\n[MsgStr]\r\nMsg7=limit %d\r\n");
  file.SetPathName(PathOf("UI.ini").c_str());
  EXPECT_EQ(table.UiWord("tab_ntp"), "NTP");  // empty in the file; keys ignore case
  EXPECT_EQ(table.UiWord("TAB_Mail", "Email"), "Email");
  EXPECT_EQ(table.UiWord("TAB_SNMP", "Email"), "Netz");
  EXPECT_EQ(table.UiWord("TAB_Unknown"), "");
  EXPECT_EQ(table.FormatMessage("Msg7", {99LL}), "limit 99");
}

// Every language has the 33 words (English: the built-in ones) and 37 messages with their arguments.
TEST(ShippedTextTable, EveryLanguageIsCompleteAndFitsItsArguments) {
  const TextArg d = 65535LL, s = std::string("D");
  const std::map<int, std::vector<TextArg>> args_of = {
      {7, {d}},     {12, {d}},    {14, {s}},    {25, {s, d}}, {26, {d}}, {27, {d}}, {28, {d, d}},
      {29, {d, d}}, {30, {d, d}}, {31, {d, d}}, {34, {d}},    {35, {d}}, {36, {d}}, {37, {d}}};
  std::vector<std::string> keys;
  for (const char* language : {"", "_CHT", "_CHS"}) {
    const std::string path =
        QX_SOURCE_DIR "/res/QXCONFIG/KM31QX-2C/KM31QX-2CUI" + std::string(language) + ".ini";
    SCOPED_TRACE(path);
    CProfileFile file;
    file.SetPathName(path.c_str());
    file.GetKeyNames("UIStr", keys);
    ASSERT_EQ(keys.size(), 33u);
    for (const std::string& key : keys) {
      const std::string word = file.GetString("UIStr", key.c_str());
      EXPECT_TRUE(BuiltinUiWord(key) && (*language ? !word.empty() : word == BuiltinUiWord(key))) << key;
    }
    for (int n = 1; n <= 37; ++n) {
      const std::string key = "Msg" + std::to_string(n), text = file.GetString("MsgStr", key.c_str());
      const auto args = args_of.contains(n) ? args_of.at(n) : std::vector<TextArg>{};
      ASSERT_FALSE(text.empty()) << key;
      EXPECT_EQ(text.find('%') != std::string::npos, !args.empty()) << key;
      if (args.empty()) continue;
      EXPECT_NE(SafeFormat(text, args), text) << key << " does not take its arguments";
      EXPECT_EQ(SafeFormat(text, std::span(args).first(args.size() - 1)), text) << key << " leaves one out";
    }
  }
}

}  // namespace
}  // namespace qx
