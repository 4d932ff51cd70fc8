// Writing rules of the profile-file engine: where lines go and which bytes
// change.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/IniFile.h"

namespace qx {
namespace {

struct EditCase {
  const char* name;
  std::string before;
  std::function<bool(IniDocument&)> edit;
  std::string after;
};

class IniWrite : public testing::TestWithParam<EditCase> {};

TEST_P(IniWrite, GivesTheExpectedBytes) {
  const EditCase& c = GetParam();
  IniDocument doc;
  doc.Parse(c.before);
  EXPECT_TRUE(c.edit(doc));
  EXPECT_EQ(doc.Serialize(), c.after);
  // What was written reads back the same after a fresh parse.
  IniDocument again;
  again.Parse(doc.Serialize());
  EXPECT_EQ(again.Serialize(), c.after);
}

auto Set(const char* s, const char* k, const char* v) {
  return [=](IniDocument& d) { return d.SetValue(s, k, v); };
}
auto SetTwo(const char* s, const char* k1, const char* k2) {
  return [=](IniDocument& d) { return d.SetValue(s, k1, "1") && d.SetValue(s, k2, "2"); };
}
auto DelKey(const char* s, const char* k) {
  return [=](IniDocument& d) { return d.DeleteKey(s, k), true; };
}
auto DelSection(const char* s) {
  return [=](IniDocument& d) { return d.DeleteSection(s), true; };
}
auto Replace(const char* s, std::vector<std::string> lines) {
  return [=](IniDocument& d) { return d.ReplaceSection(s, lines); };
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniWrite,
    testing::Values(
        EditCase{"ReplaceInPlaceKeepsNameSpelling", "; c\r\n[S]\r\n Key = old \r\nother=1\n",
                 Set("s", "KEY", "new"), "; c\r\n[S]\r\nKey=new\r\nother=1\n"},
        EditCase{"ReplaceLastLineWithoutEnd", "[s]\nk=1", Set("s", "k", "2"), "[s]\nk=2\r\n"},
        EditCase{"ValueWrittenAsGiven", "[s]\r\n", Set("s", "k", " a=b;c "), "[s]\r\nk= a=b;c \r\n"},
        EditCase{"NewKeyBeforeTrailingBlankAndComment", "[a]\r\nx=1\r\n\r\n; about b\r\n[b]\r\ny=2\r\n",
                 Set("a", "z", "3"), "[a]\r\nx=1\r\nz=3\r\n\r\n; about b\r\n[b]\r\ny=2\r\n"},
        EditCase{"NewKeysInOrderWritten", "[a]\r\nx=0\r\n[b]\r\n", SetTwo("a", "k1", "k2"),
                 "[a]\r\nx=0\r\nk1=1\r\nk2=2\r\n[b]\r\n"},
        EditCase{"NewKeyAfterTextLine", "[a]\r\nx=0\r\nloose text\r\n;c\r\n", Set("a", "y", "1"),
                 "[a]\r\nx=0\r\nloose text\r\ny=1\r\n;c\r\n"},
        EditCase{"NewKeyRightAfterHeaderOfEmptySection", "[a]\r\n; only a comment\r\n\r\n",
                 Set("a", "k", "v"), "[a]\r\nk=v\r\n; only a comment\r\n\r\n"},
        EditCase{"NewKeyAfterHeaderWithoutLineEnd", "[a]", Set("a", "k", "v"), "[a]\r\nk=v\r\n"},
        EditCase{"NewKeyGoesToFirstOfDuplicateSections", "[d]\r\na=1\r\n[e]\r\n[D]\r\nb=2\r\n",
                 Set("D", "c", "3"), "[d]\r\na=1\r\nc=3\r\n[e]\r\n[D]\r\nb=2\r\n"},
        EditCase{"FirstOfDuplicateKeysIsReplaced", "[d]\r\na=1\r\nA=2\r\n", Set("d", "a", "9"),
                 "[d]\r\na=9\r\nA=2\r\n"},
        EditCase{"NewSectionAtEnd", "[a]\r\nx=1\r\n\r\n", Set("b", "k", "v"),
                 "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
        EditCase{"NewSectionAfterMissingFinalLineEnd", "[a]\r\nx=1", Set("b", "k", "v"),
                 "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        EditCase{"NewSectionInLfFile", "[a]\nx=1\n", Set("b", "k", "v"), "[a]\nx=1\n[b]\r\nk=v\r\n"},
        EditCase{"NewSectionInEmptyFile", "", Set("s", "k", "v"), "[s]\r\nk=v\r\n"},
        EditCase{"BomStays", "\xEF\xBB\xBF[a]\r\nx=1\r\n", Set("a", "x", "2"), "\xEF\xBB\xBF[a]\r\nx=2\r\n"},
        EditCase{"KeyLinesBeforeFirstSectionUntouched", "k=old\r\n[s]\r\n", Set("s", "k", "new"),
                 "k=old\r\n[s]\r\nk=new\r\n"},
        EditCase{"DeleteKey", "[a]\r\nx=1\r\ny=2\r\n", DelKey("a", "X"), "[a]\r\ny=2\r\n"},
        EditCase{"DeleteLastKeyKeepsHeader", "[a]\r\nx=1\r\n[b]\r\n", DelKey("a", "x"), "[a]\r\n[b]\r\n"},
        EditCase{"DeleteMissingKeyChangesNothing", "[a]\nx=1", DelKey("a", "y"), "[a]\nx=1"},
        EditCase{"DeleteSectionKeepsCommentsAndBlanks", "[a]\r\n; note\r\nx=1\r\ntext\r\n\r\n[b]\r\ny=2\r\n",
                 DelSection("A"), "; note\r\n\r\n[b]\r\ny=2\r\n"},
        EditCase{"DeleteSectionOnlyFirstOfName", "[a]\r\nx=1\r\n[A]\r\ny=2\r\n", DelSection("a"),
                 "[A]\r\ny=2\r\n"},
        EditCase{"ReplaceSectionWhereFirstEntryStood", "[t]\r\n; c1\r\na=1\r\n; c2\r\nb=2\r\n\r\n[n]\r\n",
                 Replace("T", {"x=9", "y=8"}), "[t]\r\n; c1\r\nx=9\r\ny=8\r\n; c2\r\n\r\n[n]\r\n"},
        EditCase{"ReplaceSectionWithNothing", "[t]\r\na=1\r\n[n]\r\n", Replace("t", {}), "[t]\r\n[n]\r\n"},
        EditCase{"ReplaceMissingSectionAppends", "[a]", Replace("t", {"x=1", "text"}),
                 "[a]\r\n[t]\r\nx=1\r\ntext\r\n"}),
    [](const testing::TestParamInfo<EditCase>& info) { return info.param.name; });

// A key written later reads as written; names and value survive a re-parse.
TEST(IniWriteReadBack, ValuesReadBackByteForByte) {
  IniDocument doc;
  doc.Parse("[s]\r\n");
  const char* values[] = {"plain", "a=b=c", "semi;colon", "", "tab\tinside", "\xC3\xA4\xE4\xBD\xA0"};
  for (const char* v : values) {
    ASSERT_TRUE(doc.SetValue("s", "k", v));
    IniDocument again;
    again.Parse(doc.Serialize());
    EXPECT_EQ(again.Value("s", "k"), std::optional<std::string_view>(v));
  }
}

TEST(IniWriteRefused, LineBreaksAndNulsChangeNothing) {
  const std::string before = "[s]\r\nk=v\r\n";
  IniDocument doc;
  doc.Parse(before);
  EXPECT_FALSE(doc.SetValue("s", "k", "a\nb"));
  EXPECT_FALSE(doc.SetValue("s", "k", "a\rb"));
  EXPECT_FALSE(doc.SetValue("s", "k", std::string_view("a\0b", 3)));
  EXPECT_FALSE(doc.SetValue("s\n", "k", "v"));
  EXPECT_FALSE(doc.SetValue("s", "k\r\nx", "v"));
  EXPECT_FALSE(doc.ReplaceSection("s", {"ok=1", "bad\n=2"}));
  EXPECT_FALSE(doc.ReplaceSection("s", {"[injected]"}));
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(doc.Serialize(), before);
}

// A round trip on a file full of odd lines changes the written line only.
TEST(IniWriteRoundTrip, OnlyTheWrittenLineChanges) {
  using namespace std::string_literals;
  const std::string head = "\xEF\xBB\xBF// header\n  ;c\r\n\t[One]  trailing\r\na = 1\rjunk\0x\n"s;
  const std::string tail = "\r\n\v\n[two]\r\nb=2\r\n;end";
  IniDocument doc;
  doc.Parse(head + "target = old value" + tail);
  ASSERT_TRUE(doc.SetValue("one", "TARGET", "new"));
  EXPECT_EQ(doc.Serialize(), head + "target=new" + tail);
}

}  // namespace
}  // namespace qx
