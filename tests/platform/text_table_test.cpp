#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ProfileFile.h"
#include "platform/TextTable.h"

namespace qx {
namespace {

// ---- SafeFormat -------------------------------------------------------------

struct FormatCase {
  const char* name;
  std::string format;
  std::vector<TextArg> args;
  std::string expected;
};

std::string Format(const FormatCase& c) {
  return SafeFormat(c.format, c.args);
}

class SafeFormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(SafeFormatTest, GivesExpectedText) {
  EXPECT_EQ(Format(GetParam()), GetParam().expected);
}

const std::string kUnchanged = "\x01unchanged";  // marker: expected is the format itself

std::vector<FormatCase> Cases() {
  std::vector<FormatCase> cases = {
      // Matching conversions.
      {"Integer", "Msg %d", {42LL}, "Msg 42"},
      {"IntegerKinds", "%i|%u|%x|%X|%o|%c", {-5LL, 7LL, 255LL, 255LL, 8LL, 65LL}, "-5|7|ff|FF|10|A"},
      {"TextThenInteger", "device %s above %d", {std::string("T"), 2047LL}, "device T above 2047"},
      {"RackAndSlot", "rack %d, slot %d", {1LL, 3LL}, "rack 1, slot 3"},
      {"LengthModifiersServed", "%ld %hd %lld %hhu %lx", {1LL, 2LL, 3LL, 4LL, 255LL}, "1 2 3 4 ff"},
      {"NegativeAsUnsigned", "%u", {-1LL}, "18446744073709551615"},
      {"Widths",
       "%5d|%-4d|%05d|%.3d|%+d|%#x",
       {42LL, 7LL, 42LL, 5LL, 3LL, 255LL},
       "   42|7   |00042|005|+3|0xff"},
      {"TextWidths",
       "%6s|%.2s|%-3s|",
       {std::string("ab"), std::string("xyz"), std::string("q")},
       "    ab|xy|q  |"},
      {"PercentPairs", "100%% at %d%%", {50LL}, "100% at 50%"},
      {"NoConversion", "plain text", {}, "plain text"},
      {"Empty", "", {}, ""},
      {"BytesPassThrough", "\xe6\xa9\x9f\xe6\x9e\xb6 %d", {1LL}, "\xe6\xa9\x9f\xe6\x9e\xb6 1"},
      {"ExtraArgsIgnored", "%d", {1LL, 2LL, std::string("x")}, "1"},
      {"ArgsWithoutConversion", "plain", {1LL}, "plain"},
      {"LargestWidth", "%4096d", {1LL}, std::string(4095, ' ') + "1"},
      // Anything else leaves the format as it stands.
      {"TextForInteger", "%d", {std::string("x")}, kUnchanged},
      {"IntegerForText", "%s", {5LL}, kUnchanged},
      {"SecondMismatch", "%s %d", {std::string("a"), std::string("b")}, kUnchanged},
      {"WriteBack", "%n", {1LL}, kUnchanged},
      {"WriteBackAfterMatch", "%d%n", {1LL, 2LL}, kUnchanged},
      {"Pointer", "%p", {1LL}, kUnchanged},
      {"Floating", "%f", {1LL}, kUnchanged},
      {"LongDouble", "%Lf", {1LL}, kUnchanged},
      {"WideText", "%ls", {std::string("a")}, kUnchanged},
      {"WideChar", "%lc", {65LL}, kUnchanged},
      {"StarWidth", "%*d", {3LL, 4LL}, kUnchanged},
      {"StarPrecision", "%.*s", {3LL, std::string("abcd")}, kUnchanged},
      {"Positional", "%1$d", {1LL}, kUnchanged},
      {"UnknownConversion", "%y", {1LL}, kUnchanged},
      {"PercentAfterWidth", "%5%", {}, kUnchanged},
      {"TooFewArgs", "%d and %d", {1LL}, kUnchanged},
      {"NoArgs", "%s", {}, kUnchanged},
      {"TrailingPercent", "50%", {}, kUnchanged},
      {"CutAfterFlags", "%-", {1LL}, kUnchanged},
      {"CutAfterWidth", "%5", {1LL}, kUnchanged},
      {"CutAfterLength", "%l", {1LL}, kUnchanged},
      {"HugeWidth", "%999999999d", {1LL}, kUnchanged},
      {"HugePrecision", "%.4097d", {1LL}, kUnchanged},
      {"OverflowingWidth", "%99999999999999999999s", {std::string("a")}, kUnchanged},
  };
  for (FormatCase& c : cases) {
    if (c.expected == kUnchanged) c.expected = c.format;
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, SafeFormatTest, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

TEST(SafeFormatEdgeTest, NulCharacterIsKept) {
  const std::vector<TextArg> args = {0LL};
  EXPECT_EQ(SafeFormat("a%cb", args), std::string("a\0b", 3));
}

// ---- Lookups ----------------------------------------------------------------

class TextTableFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("qx_text_table_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void Bind(const std::string& content) {
    const std::filesystem::path path = dir_ / "UI.ini";
    std::ofstream(path, std::ios::binary) << content;
    file_.SetPathName(path.c_str());
  }

  std::filesystem::path dir_;
  CProfileFile file_;
  CTextTable table_{file_};
};

TEST_F(TextTableFileTest, WithoutUiSectionTabsReadEnglish) {
  Bind("[MsgStr]\r\nMsg1=x\r\n");
  EXPECT_EQ(table_.UiWord("TAB_DataExch"), "Data Exchange");
  EXPECT_EQ(table_.UiWord("TAB_NTP"), "NTP");
  EXPECT_EQ(table_.UiWord("TAB_SNMP"), "SNMP");
  EXPECT_EQ(table_.UiWord("TAB_Mail"), "E-Mail");
  EXPECT_EQ(table_.UiWord("TAB_Mail", "Email"), "Email");
  EXPECT_EQ(table_.UiWord("TAB_Unknown"), "");
}

TEST_F(TextTableFileTest, EmptyWordFallsBackAndGivenWordWins) {
  Bind("[UIStr]\r\nTAB_NTP=\r\nTAB_SNMP=Netz\r\nTAB_Mail=\r\n");
  EXPECT_EQ(table_.UiWord("TAB_NTP"), "NTP");
  EXPECT_EQ(table_.UiWord("TAB_SNMP"), "Netz");
  EXPECT_EQ(table_.UiWord("TAB_SNMP", "Email"), "Netz");
  EXPECT_EQ(table_.UiWord("TAB_Mail", "Email"), "Email");
}

TEST_F(TextTableFileTest, UnboundFileGivesBuiltInWordsAndEmptyMessages) {
  EXPECT_EQ(table_.UiWord("TAB_MailP3_TrigMode2"), "CPU ( STOP <=> RUN )");
  EXPECT_EQ(table_.Message("Msg1"), "");
}

TEST_F(TextTableFileTest, MessagesAsTheyStandOrFormatted) {
  Bind("[MsgStr]\r\nMsg7=limit %d\r\nMsg14=Remote %s\r\nMsg2=\r\n");
  EXPECT_EQ(table_.Message("Msg2"), "");
  EXPECT_EQ(table_.Message("Msg3"), "");
  EXPECT_EQ(table_.Message("Msg7"), "limit %d");
  EXPECT_EQ(table_.FormatMessage("Msg7", {99LL}), "limit 99");
  EXPECT_EQ(table_.FormatMessage("Msg14", {7LL}), "Remote %s");
  EXPECT_EQ(table_.FormatMessage("Msg3", {1LL}), "");
}

// ---- The shipped text tables -------------------------------------------------

// The 33 interface-word keys, in the order of the table files.
std::vector<std::string> UiKeys() {
  std::istringstream words(
      "TAB_DataExch TAB_NTP TAB_SNMP TAB_Mail TAB_MailP1 TAB_MailP2 TAB_MailP3 TAB_DE_Item TAB_DE_Enable "
      "TAB_DE_Slave_Addr TAB_DE_IP_Addr TAB_DE_Local_Addr TAB_DE_Remote_Addr TAB_DE_Quantity "
      "TAB_DE_Update_Cycle TAB_DE_Timeout TAB_DE_Support_Function TAB_DE_Device_Type TAB_DE_Input "
      "TAB_DE_Output TAB_MailP2_Trig_Name TAB_MailP2_Trig_Mode TAB_MailP2_Attached TAB_MailP3_TrigConf "
      "TAB_MailP3_Mail_Addr TAB_MailP3_Device TAB_MailP3_Number TAB_MailP3_Length TAB_MailP3_TrigMode1 "
      "TAB_MailP3_TrigMode2 TAB_MailP3_TrigMode3 TAB_MailP3_Attachment1 TAB_MailP3_Attachment2");
  return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

// The arguments each message is shown with ('s' a text, 'd' an integer);
// every other message is shown as it stands.
std::vector<TextArg> MessageArgs(int n) {
  static const std::map<int, std::string> kKinds = {{7, "d"},  {12, "d"},  {14, "s"},  {25, "sd"}, {26, "d"},
                                                    {27, "d"}, {28, "dd"}, {29, "dd"}, {30, "dd"}, {31, "dd"},
                                                    {34, "d"}, {35, "d"},  {36, "d"},  {37, "d"}};
  std::vector<TextArg> args;
  const auto it = kKinds.find(n);
  if (it == kKinds.end()) return args;
  for (char kind : it->second) args.push_back(kind == 's' ? TextArg(std::string("D")) : TextArg(65535LL));
  return args;
}

class ShippedTextTableTest : public testing::TestWithParam<const char*> {
 protected:
  std::string Path() const { return std::string(QX_SOURCE_DIR "/res/QXCONFIG/KM31QX-2C/") + GetParam(); }
};

TEST_P(ShippedTextTableTest, IsUtf8WithoutMarkAndCrLf) {
  std::ifstream in(Path(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(bytes.empty());
  EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0u);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
    }
  }
  EXPECT_EQ(bytes.back(), '\n');
}

TEST_P(ShippedTextTableTest, HoldsEveryWord) {
  CProfileFile file;
  file.SetPathName(Path().c_str());
  std::vector<std::string> keys;
  file.GetKeyNames("UIStr", keys);
  EXPECT_EQ(keys.size(), 33u);
  for (const std::string& key : UiKeys()) {
    EXPECT_FALSE(file.GetString("UIStr", key.c_str()).empty()) << key;
    EXPECT_NE(BuiltinUiWord(key), nullptr) << key;
  }
}

TEST_P(ShippedTextTableTest, EveryMessageFitsItsArguments) {
  CProfileFile file;
  file.SetPathName(Path().c_str());
  const CTextTable table(file);
  std::vector<std::string> keys;
  file.GetKeyNames("MsgStr", keys);
  EXPECT_EQ(keys.size(), 37u);
  for (int n = 1; n <= 37; ++n) {
    const std::string key = "Msg" + std::to_string(n);
    const std::string text = table.Message(key);
    const std::vector<TextArg> args = MessageArgs(n);
    ASSERT_FALSE(text.empty()) << key;
    if (args.empty()) {
      EXPECT_EQ(text.find('%'), std::string::npos) << key;
      continue;
    }
    EXPECT_NE(SafeFormat(text, args), text) << key << " does not take its arguments";
    const std::span<const TextArg> fewer(args.data(), args.size() - 1);
    EXPECT_EQ(SafeFormat(text, fewer), text) << key << " takes fewer arguments than it is given";
  }
  // The import messages carry "\n" pairs that become line breaks.
  EXPECT_NE(table.Message("Msg9").find("\\n"), std::string::npos);
  EXPECT_NE(table.Message("Msg13").find("\\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedTextTableTest,
                         testing::Values("KM31QX-2CUI.ini", "KM31QX-2CUI_CHT.ini", "KM31QX-2CUI_CHS.ini"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           const std::string name = info.param;
                           return name == "KM31QX-2CUI.ini" ? std::string("English")
                                                            : name.substr(name.size() - 7, 3);
                         });

TEST(ShippedEnglishTableTest, WordsAreTheBuiltInOnes) {
  CProfileFile file;
  file.SetPathName(QX_SOURCE_DIR "/res/QXCONFIG/KM31QX-2C/KM31QX-2CUI.ini");
  const std::vector<std::string> keys = UiKeys();
  ASSERT_EQ(keys.size(), 33u);
  for (const std::string& key : keys)
    EXPECT_EQ(file.GetString("UIStr", key.c_str()), BuiltinUiWord(key)) << key;
}

}  // namespace
}  // namespace qx
