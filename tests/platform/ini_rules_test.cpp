// The profile-file engine's rules: reads on fixtures named after them, writes as bytes.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "platform/IniFile.h"
#include "platform/ProfileFile.h"

namespace qx {
namespace {

using namespace std::string_literals;
using Strings = std::vector<std::string>;
const std::string kFixtures = std::string(QX_TEST_DATA) + "/ini/";

TEST(IniRead, ValuesAsThePlatformReadsThem) {
  constexpr const char* kMissing = "<missing>";
  using Values = std::vector<std::pair<const char*, const char*>>;  // key, value read
  const std::tuple<const char*, const char*, Values> cases[] = {
      {"trimming.ini", " spaced section ", {{" KEY ONE ", "value one"}}},
      // One pair of matching quotes is stripped; nothing else.
      {"quotes.ini", "q", {{"dq", "double"}, {"nested", "'x'"}, {"mismatch", "\"x'"}, {"lone", "\""}}},
      {"quotes.ini", "q", {{"spaced", "inner  "}, {"empty", ""}}},
      {"duplicates.ini", "dup", {{"a", "first"}, {"b", kMissing}}},  // the first section and key win
      {"header_hides_key.ini", "t", {{"z", "1"}}},                   // a header without ']'
      {"header_hides_key.ini", "", {{"", "empty key"}}},
      {"before_first_section.ini", "", {{"orphan", kMissing}}},
      {"bom.ini", "b", {{"k", "v"}}},
      {"line_ends.ini", "e", {{"a", "1"}, {"c", "3"}, {"d", "4"}}},  // CR LF, LF, lone CR, no end
      {"no_such_file.ini", "s", {{"k", kMissing}}}};
  CProfileFile file;
  for (const auto& [fixture, section, values] : cases) {
    file.SetPathName((kFixtures + fixture).c_str());
    for (const auto& [key, expected] : values)
      EXPECT_EQ(file.GetString(section, key, kMissing), expected)
          << fixture << " [" << section << "] " << key;
  }
}

// Section lines are key=value trimmed and text lines as written, without comments or blanks. Key
// names need an '=' after the first character. Section names come in file order, duplicates too.
TEST(IniRead, SectionLinesKeyNamesAndSectionNames) {
  const std::tuple<const char*, const char*, Strings, Strings> cases[] = {
      {"lines_without_equals.ini", "s", {"plain text", "a=1", "more text", "=v", "==odd"}, {"a", "="}},
      {"trimming.ini", "Spaced Section", {"key one=value one", "k2=v2", "k3="}, {"key one", "k2", "k3"}},
      {"duplicates.ini", "dup", {"a=first", "A=second"}, {"a", "A"}},
      {"comments.ini", "c", {"#hash=visible", "k=v ; not a comment"}, {"#hash", "k"}},
      {"nul_in_line.ini", "n", {"k=ab", "z"}, {"k"}},  // a NUL ends the line's text
      {"header_hides_key.ini", "s", {"j=w"}, {"j"}}};  // text after ']' is ignored
  CProfileFile file;
  for (const auto& [fixture, section, lines, keys] : cases) {
    SCOPED_TRACE(std::string(fixture) + " [" + section + "]");
    file.SetPathName((kFixtures + fixture).c_str());
    EXPECT_EQ(file.GetSectionLines(section), lines);
    Strings names{"stale"};
    file.GetKeyNames(section, names);
    EXPECT_EQ(names, keys);
  }
  file.SetPathName((kFixtures + "duplicates.ini").c_str());
  EXPECT_EQ(file.SectionNames(), (Strings{"Dup", "other", "DUP"}));
  file.SetPathName((kFixtures + "header_hides_key.ini").c_str());
  EXPECT_EQ(file.SectionNames(), (Strings{"s", "t"}));  // "[]" would end the list
  EXPECT_TRUE(file.IsSectionExist("") && file.IsSectionExist(" S "));
  EXPECT_FALSE(file.IsSectionExist("k") || file.IsSectionExist(nullptr));
}

using Edit = std::function<bool(IniDocument&)>;

Edit Set(const char* s, const char* k, const char* v) {
  return [=](IniDocument& d) { return d.SetValue(s, k, v); };
}
Edit Delete(const char* s, const char* k) {  // as the profile functions: a null key, the section
  return [=](IniDocument& d) {
    if (k) {
      d.DeleteKey(s, k);
    } else {
      d.DeleteSection(s);
    }
    return true;
  };
}
Edit Replace(const char* s, std::vector<std::string> lines) {
  return [=](IniDocument& d) { return d.ReplaceSection(s, lines); };
}

// A write changes only the written line: the lines around it keep their bytes.
const std::string kHead = "\xEF\xBB\xBF// header\n  ;c\r\n\t[One]  trailing\r\na = 1\rjunk\0x\n"s;
const std::string kTail = "\r\n\v\n[two]\r\nb=2\r\n;end";

TEST(IniWrite, EditsGiveTheExpectedBytes) {
  const std::tuple<std::string, Edit, std::string> cases[] = {
      {"[S]\r\n Key = old \r\nz=1\n", Set("s", "KEY", "new"), "[S]\r\nKey=new\r\nz=1\n"},
      {"[s]\nk=1", Set("s", "k", "2"), "[s]\nk=2\r\n"},
      {"[s]\r\n", Set("s", "k", " a=b;c "), "[s]\r\nk= a=b;c \r\n"},
      {"[d]\r\na=1\r\nA=2\r\n", Set("d", "a", "9"), "[d]\r\na=9\r\nA=2\r\n"},
      {kHead + "target = old value" + kTail, Set("one", "TARGET", "\xC3\xA4\t;"),
       kHead + "target=\xC3\xA4\t;" + kTail},
      {"k=old\r\n[s]\r\n", Set("s", "k", "new"), "k=old\r\n[s]\r\nk=new\r\n"},
      // A new key goes right after the section's last key line: before trailing blank lines,
      // comments and text lines without '='.
      {"[a]\r\nx=1\r\n\r\n;c\r\n[b]\r\n", Set("a", "z", "3"), "[a]\r\nx=1\r\nz=3\r\n\r\n;c\r\n[b]\r\n"},
      {"[a]\r\nx=0\r\ntext\r\n;c\r\n", Set("a", "y", "1"), "[a]\r\nx=0\r\ny=1\r\ntext\r\n;c\r\n"},
      {"[a]\r\ntext\r\nx=0\r\nmore\r\n", Set("a", "y", "1"), "[a]\r\ntext\r\nx=0\r\ny=1\r\nmore\r\n"},
      {"[a]\r\ntext\r\n", Set("a", "k", "v"), "[a]\r\nk=v\r\ntext\r\n"},
      {"[a]\r\n;c\r\n\r\n", Set("a", "k", "v"), "[a]\r\nk=v\r\n;c\r\n\r\n"},
      {"[a]", Set("a", "k", "v"), "[a]\r\nk=v\r\n"},
      {"[d]\r\na=1\r\n[D]\r\n", Set("D", "c", "3"), "[d]\r\na=1\r\nc=3\r\n[D]\r\n"},
      {"[a]\nx=1", Set("b", "k", "v"), "[a]\nx=1\r\n[b]\r\nk=v\r\n"},
      {"[a]", Replace("t", {"x=1", "text"}), "[a]\r\n[t]\r\nx=1\r\ntext\r\n"},
      {"[a]\r\nx=1\r\ny=2\r\n", Delete("a", "X"), "[a]\r\ny=2\r\n"},
      {"[a]\r\nx=1\r\n[b]\r\n", Delete("a", "x"), "[a]\r\n[b]\r\n"},
      {"[a]\nx=1", Delete("a", "y"), "[a]\nx=1"},
      {"[a]\r\n;c\r\nx=1\r\ntext\r\n\r\n[b]\r\n", Delete("A", nullptr), ";c\r\n\r\n[b]\r\n"},
      {"[a]\r\nx=1\r\n[A]\r\ny=2\r\n", Delete("a", nullptr), "[A]\r\ny=2\r\n"},
      // A replaced section's lines go where its first entry stood.
      {"[t]\r\n;1\r\na=1\r\n;2\r\nb=2\r\n", Replace("T", {"x=9", "y=8"}),
       "[t]\r\n;1\r\nx=9\r\ny=8\r\n;2\r\n"},
      {"[t]\r\na=1\r\n[n]\r\n", Replace("t", {}), "[t]\r\n[n]\r\n"},
      {"[t]\r\n;c\r\n", Replace("t", {"x=1"}), "[t]\r\nx=1\r\n;c\r\n"}};
  for (const auto& [before, edit, after] : cases) {
    IniDocument doc;
    doc.Parse(before);
    EXPECT_TRUE(edit(doc)) << before;
    EXPECT_EQ(doc.Serialize(), after) << before;
  }
}

// A name or text holding a line break or NUL could not be read back as one line.
TEST(IniWrite, LineBreaksAndNulsAreRefusedChangingNothing) {
  const std::string before = "[s]\r\nk=v\r\n";
  IniDocument doc;
  doc.Parse(before);
  EXPECT_FALSE(doc.SetValue("s", "k", "a\nb") || doc.SetValue("s", "k", "a\rb") ||
               doc.SetValue("s", "k", std::string_view("a\0b", 3)) || doc.SetValue("s\n", "k", "v") ||
               doc.SetValue("s", "k\r\nx", "v") || doc.ReplaceSection("s", {"ok=1", "bad\n=2"}) ||
               doc.ReplaceSection("s", {"[injected]"}));
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(doc.Serialize(), before);
}

}  // namespace
}  // namespace qx
