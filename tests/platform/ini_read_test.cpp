// Reading rules of the profile-file engine, on fixtures named after the
// behaviour they hold.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/IniFile.h"
#include "platform/ProfileFile.h"

namespace qx {
namespace {

std::string FixturePath(const std::string& name) {
  return std::string(QX_TEST_DATA) + "/ini/" + name;
}

std::string FixtureBytes(const std::string& name) {
  std::ifstream in(FixturePath(name), std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

constexpr const char* kMissing = "<missing>";

struct ValueCase {
  const char* fixture;
  const char* section;
  const char* key;
  std::string expected;  // kMissing when the key is not found
};

class IniReadValue : public testing::TestWithParam<ValueCase> {};

TEST_P(IniReadValue, ReadsAsThePlatform) {
  const ValueCase& c = GetParam();
  CProfileFile file;
  file.SetPathName(FixturePath(c.fixture).c_str());
  EXPECT_EQ(file.GetString(c.section, c.key, kMissing), c.expected)
      << c.fixture << " [" << c.section << "] " << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReadValue,
    testing::Values(
        // Lines, names and values lose spaces, tabs and vertical tabs around them.
        ValueCase{"trimming.ini", "Spaced Section", "key one", "value one"},
        ValueCase{"trimming.ini", "spaced section", "KEY ONE", "value one"},
        ValueCase{"trimming.ini", " Spaced Section ", " key one ", "value one"},
        ValueCase{"trimming.ini", "Spaced Section", "k2", "v2"},
        ValueCase{"trimming.ini", "Spaced Section", "k3", ""},
        // One pair of matching quotes is stripped; nothing else.
        ValueCase{"quotes.ini", "q", "dq", "double"}, ValueCase{"quotes.ini", "q", "sq", "single"},
        ValueCase{"quotes.ini", "q", "nested", "'x'"}, ValueCase{"quotes.ini", "q", "mismatch", "\"x'"},
        ValueCase{"quotes.ini", "q", "lone", "\""}, ValueCase{"quotes.ini", "q", "spaced", "inner  "},
        ValueCase{"quotes.ini", "q", "empty", ""},
        // The first section and the first key of a name win.
        ValueCase{"duplicates.ini", "dup", "a", "first"}, ValueCase{"duplicates.ini", "DUP", "b", kMissing},
        ValueCase{"duplicates.ini", "other", "x", "1"},
        // Text after ']' is ignored; a header without ']' runs to the line end.
        ValueCase{"header_hides_key.ini", "s", "k", kMissing},
        ValueCase{"header_hides_key.ini", "s", "j", "w"}, ValueCase{"header_hides_key.ini", "t", "z", "1"},
        ValueCase{"header_hides_key.ini", "", "", "empty key"},
        // ';' at the start of a line only; '#' is no comment.
        ValueCase{"comments.ini", "c", ";k", kMissing},
        ValueCase{"comments.ini", "c", "; indented", kMissing},
        ValueCase{"comments.ini", "c", "#hash", "visible"},
        ValueCase{"comments.ini", "c", "k", "v ; not a comment"},
        // Lines before the first header are never keys.
        ValueCase{"before_first_section.ini", "", "orphan", kMissing},
        ValueCase{"before_first_section.ini", "s", "a", "1"},
        // A BOM is skipped; a NUL ends a line's text.
        ValueCase{"bom.ini", "b", "k", "v"}, ValueCase{"nul_in_line.ini", "n", "k", "ab"},
        ValueCase{"nul_in_line.ini", "n", "z", kMissing},
        // CR LF, LF and a lone CR all end lines; the last line needs no end.
        ValueCase{"line_ends.ini", "e", "a", "1"}, ValueCase{"line_ends.ini", "e", "b", "2"},
        ValueCase{"line_ends.ini", "e", "c", "3"}, ValueCase{"line_ends.ini", "e", "d", "4"},
        // A missing file reads as empty.
        ValueCase{"no_such_file.ini", "s", "k", kMissing}));

struct LinesCase {
  const char* fixture;
  const char* section;
  std::vector<std::string> lines;
  std::vector<std::string> keys;
};

class IniReadSection : public testing::TestWithParam<LinesCase> {};

TEST_P(IniReadSection, LinesAndKeyNames) {
  const LinesCase& c = GetParam();
  CProfileFile file;
  file.SetPathName(FixturePath(c.fixture).c_str());
  EXPECT_EQ(file.GetSectionLines(c.section), c.lines);
  std::vector<std::string> keys{"stale"};
  file.GetKeyNames(c.section, keys);
  EXPECT_EQ(keys, c.keys);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReadSection,
    testing::Values(
        // Text lines are listed trimmed; "=v" has no key name; comments and blanks are skipped.
        LinesCase{"lines_without_equals.ini", "s", {"plain text", "a=1", "more text", "=v"}, {"a"}},
        LinesCase{
            "trimming.ini", "Spaced Section", {"key one=value one", "k2=v2", "k3="}, {"key one", "k2", "k3"}},
        LinesCase{"quotes.ini",
                  "q",
                  {"dq=\"double\"", "sq='single'", "nested=''x''", "mismatch=\"x'", "lone=\"",
                   "spaced=\"inner  \"", "empty=\"\""},
                  {"dq", "sq", "nested", "mismatch", "lone", "spaced", "empty"}},
        LinesCase{"duplicates.ini", "dup", {"a=first", "A=second"}, {"a", "A"}},
        LinesCase{"comments.ini", "c", {"#hash=visible", "k=v ; not a comment"}, {"#hash", "k"}},
        LinesCase{"nul_in_line.ini", "n", {"k=ab", "z"}, {"k"}},
        LinesCase{"line_ends.ini", "e", {"a=1", "b=2", "c=3", "d=4"}, {"a", "b", "c", "d"}},
        LinesCase{"header_hides_key.ini", "s", {"j=w"}, {"j"}},
        LinesCase{"header_hides_key.ini", "missing", {}, {}}));

TEST(IniReadNames, SectionNamesInFileOrderWithDuplicates) {
  CProfileFile file;
  file.SetPathName(FixturePath("duplicates.ini").c_str());
  EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"Dup", "other", "DUP"}));
  // "[]" exists but is not listed: its empty item would end the list.
  file.SetPathName(FixturePath("header_hides_key.ini").c_str());
  EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"s", "t"}));
  EXPECT_TRUE(file.IsSectionExist(""));
  EXPECT_TRUE(file.IsSectionExist(" S "));
  EXPECT_FALSE(file.IsSectionExist("k"));
  EXPECT_FALSE(file.IsSectionExist(nullptr));
}

// Parsing and serializing without a change gives the file's bytes back.
TEST(IniReadRoundTrip, UnchangedDocumentSerializesToTheSameBytes) {
  for (const char* name : {"trimming.ini", "quotes.ini", "duplicates.ini", "header_hides_key.ini",
                           "comments.ini", "before_first_section.ini", "lines_without_equals.ini", "bom.ini",
                           "nul_in_line.ini", "line_ends.ini"}) {
    const std::string bytes = FixtureBytes(name);
    ASSERT_FALSE(bytes.empty()) << name;
    IniDocument doc;
    doc.Parse(bytes);
    EXPECT_EQ(doc.Serialize(), bytes) << name;
    EXPECT_FALSE(doc.Modified());
  }
}

// A line of megabytes costs time in proportion to its length.
TEST(IniReadLongLines, MegabyteLineReadWhole) {
  const std::string value(16 << 20, 'x');
  IniDocument doc;
  doc.Parse("[s]\r\nk=" + value + "\r\n" + std::string(4 << 20, 'y'));
  ASSERT_EQ(doc.Value("s", "k"), value);
  ASSERT_TRUE(doc.SetValue("s", "next", "1"));
  EXPECT_EQ(doc.Serialize().size(), 5 + 2 + value.size() + 2 + (4 << 20) + 2 + 8);  // "yyy…" is an entry too
}

}  // namespace
}  // namespace qx
