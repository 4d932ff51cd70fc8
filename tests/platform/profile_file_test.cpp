// The profile-file engine: its rules (reads on fixtures named after them, writes as bytes), the
// engine on disk (re-reads, atomic and failed saves) and CProfileFile's results.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <tuple>
#include <vector>

#include "platform/IniFile.h"
#include "platform/ProfileFile.h"
#include "tests/support/TestSupport.h"

namespace qx {
namespace {

using namespace test;

namespace fs = std::filesystem;
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
      {"quotes.ini",  // quotes kept
       "q",
       {"dq=\"double\"", "sq='single'", "nested=''x''", "mismatch=\"x'", "lone=\"", "spaced=\"inner  \"",
        "empty=\"\""},
       {"dq", "sq", "nested", "mismatch", "lone", "spaced", "empty"}},
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

using IniFileOnDisk = TempFolderTest;

TEST_F(IniFileOnDisk, ChangeOnDiskIsSeen) {
  const std::string path = PathOf("changed.ini"), other = PathOf("other.ini");
  WriteFile(path, "[s]\nk=1\n");
  IniFile file(path);
  ASSERT_EQ(file.Read().Value("s", "k"), "1");
  WriteFile(path, "[s]\nk=2\n");  // same size, other content, another time
  struct timespec times[2] = {{0, UTIME_OMIT}, {1700000000, 123456789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  EXPECT_EQ(file.Read().Value("s", "k"), "2");
  WriteFile(other, "[s]\nk=3\n");  // same size and times, but a new identity
  ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), times, 0), 0);
  fs::rename(other, path);
  EXPECT_EQ(file.Read().Value("s", "k"), "3");
  ASSERT_TRUE(file.Edit().SetValue("s", "mine", "x"));  // unsaved changes outlive a re-read
  fs::remove(path);
  EXPECT_EQ(file.Read().Value("s", "k"), "3");
  file.Discard();
  EXPECT_FALSE(file.Read().HasSection("s"));
}

TEST_F(IniFileOnDisk, SaveReplacesTheFileKeepingModeAndLinks) {
  const std::string target = PathOf("target.ini"), link = PathOf("link.ini");
  WriteFile(target, "[s]\nk=1\n");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  fs::create_symlink(target, link);
  IniFile file(link);
  ASSERT_TRUE(file.Edit().SetValue("s", "k", "2") && file.Save());
  ASSERT_TRUE(file.Edit().SetValue("S", "K", "2") && file.Save());  // the same value: no save
  EXPECT_EQ(file.SaveCount(), 1);
  EXPECT_EQ(ReadFile(target), "[s]\nk=2\r\n");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
  EXPECT_EQ(folder_.Entries(), 2);  // no temporary file left

  // A link to a file not there yet: the file is made where it points, the link stays.
  const std::string dangling = PathOf("dangling.ini");
  fs::create_symlink("made.ini", dangling);
  IniFile made(dangling);
  ASSERT_TRUE(made.Edit().SetValue("s", "k", "3") && made.Save());
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(ReadFile(PathOf("made.ini")), "[s]\r\nk=3\r\n");
  fs::create_symlink(PathOf("no/such/folder.ini"), PathOf("nowhere.ini"));
  IniFile nowhere(PathOf("nowhere.ini"));
  ASSERT_TRUE(nowhere.Edit().SetValue("s", "k", "4"));
  EXPECT_FALSE(nowhere.Save());
  EXPECT_TRUE(fs::is_symlink(PathOf("nowhere.ini")));
}

// A failed save keeps the old file whole, leaves nothing behind, reports false and drops the edit.
TEST_F(IniFileOnDisk, FailedSavesKeepTheOldFile) {
  WriteFile(PathOf("full.ini"), "[s]\r\nk=old\r\n");
  WriteFile(PathOf("ro.ini"), "[s]\nk=1\n");
  ASSERT_EQ(::chmod(PathOf("ro.ini").c_str(), 0444), 0);  // read-only even for root
  WriteFile(PathOf("plain"), "not a folder");
  fs::create_directory(PathOf("a_folder"));
  std::vector<bool> failed_cleanly;
  // A file-size limit makes the long write fail as a full disk would, even for root.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const struct rlimit small = {1024, saved.rlim_max};
  const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  for (const std::string& path : {PathOf("full.ini"), PathOf("ro.ini"), PathOf("missing/sub/x.ini"),
                                  PathOf("plain/x.ini"), PathOf("a_folder"), std::string()}) {
    const std::string value = path == PathOf("full.ini") ? std::string(4096, 'x') : "v";
    IniFile file(path);
    const bool edited = file.Edit().SetValue("s", "k", value), saved_ok = file.Save();
    failed_cleanly.push_back(edited && !saved_ok && file.Read().Value("s", "k") != value);
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous_handler);
  EXPECT_EQ(failed_cleanly, std::vector<bool>(6, true));
  EXPECT_EQ(ReadFile(PathOf("full.ini")), "[s]\r\nk=old\r\n");
  EXPECT_EQ(ReadFile(PathOf("ro.ini")), "[s]\nk=1\n");
  EXPECT_EQ(ReadFile(PathOf("plain")), "not a folder");
  EXPECT_EQ(folder_.Entries(), 4);
}

// A project on a share whose files may be written but not created: the folder takes no temporary
// file, so a writable file is rewritten in place; a read-only one is still refused. Run without
// privileges (a child process drops them when the test runs as root), as folder permissions bind.
TEST_F(IniFileOnDisk, FolderWithoutRoomForNewFilesStillSavesAWritableFile) {
  const std::string share = PathOf("share"), path = share + "/p.ini", ro = share + "/ro.ini";
  fs::create_directory(share);
  WriteFile(path, "[s]\nk=1\n");
  WriteFile(ro, "[s]\nk=1\n");
  ASSERT_EQ(::chmod(path.c_str(), 0666) | ::chmod(ro.c_str(), 0444) | ::chmod(share.c_str(), 0555) |
                ::chmod(folder_.path().c_str(), 0755),
            0);
  const auto saves = [&] {
    IniFile file(path), readOnly(ro);
    const bool saved = file.Edit().SetValue("s", "k", "2") && file.Save();
    const bool refused = readOnly.Edit().SetValue("s", "k", "2") && !readOnly.Save();
    return saved && refused;
  };
  bool ok = false;
  if (::geteuid() != 0) {
    ok = saves();
  } else {
    const pid_t child = ::fork();
    if (child == 0) _exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && saves() ? 0 : 1);
    int status = -1;
    ok = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  ::chmod(share.c_str(), 0755);
  EXPECT_TRUE(ok);
  EXPECT_EQ(ReadFile(path), "[s]\nk=2\r\n");
  EXPECT_EQ(ReadFile(ro), "[s]\nk=1\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(share), {}), 2);  // nothing left beside them
}

class ProfileFileTest : public TempFolderTest {
 protected:
  void Bind(const std::string& bytes) {
    WriteFile(PathOf("p.ini"), bytes);
    file_.SetPathName(PathOf("p.ini").c_str());
  }
  std::string Get() const { return ReadFile(PathOf("p.ini")); }

  CProfileFile file_;
};

// Copies land as the section lines and section replacement of the ini rules lay them out
// (the batch test below copies one); a copy onto itself or from nowhere is refused.
TEST_F(ProfileFileTest, NullArgumentsRefusedCopiesAndUnboundObjects) {
  EXPECT_FALSE(file_.WriteString("s", "k", "v"));  // unbound: nowhere to write
  Bind("[s]\r\nk=v=w\r\n");
  EXPECT_EQ(file_.GetString("s", "k"), "v=w");  // the value holds every '=' after the first
  EXPECT_EQ(file_.GetString(nullptr, "k", "def  "), "def");
  EXPECT_EQ(file_.GetString("s", nullptr, "def\t "), "def\t");
  EXPECT_EQ(file_.GetString("s", "missing", nullptr), "");
  EXPECT_EQ(file_.GetInt(nullptr, "k", 7), 7u);
  EXPECT_FALSE(file_.WriteString(nullptr, "k", "v") || file_.WriteString("s", nullptr, "v") ||
               file_.DeleteSection(nullptr) || file_.DeleteKey("s", nullptr) ||
               file_.CopySection(nullptr, "t", false) || file_.CopySection("s", nullptr, false) ||
               file_.CopySection("s", " S ", false) || file_.CopySection("missing", "t", false));
  EXPECT_EQ(Get(), "[s]\r\nk=v=w\r\n");
  EXPECT_TRUE(file_.WriteString("s", "k", nullptr));  // a null value writes ""
  EXPECT_EQ(Get(), "[s]\r\nk=\r\n");
  file_.SetPathName(nullptr);
  EXPECT_EQ(file_.GetString("s", "k", "d"), "d");
  EXPECT_FALSE(file_.IsBound() || file_.WriteString("s", "k", "v"));
}

// GetInt looks at 64 bytes at most (key "l" holds 65 digits), takes the base, gives the default
// for an empty value and reads through the shared 32-bit reader (key "s" saturates). WriteInt:
// base 2 shows all 64 bits, bases 8, 16 and 10 the 32-bit value.
TEST_F(ProfileFileTest, Numbers) {
  Bind("[n]\nh=0x1A\nb=101\no=017\ne=\ns=4294967303\nl=" + std::string(63, '0') + "56");
  const std::tuple<const char*, int, uint32_t> reads[] = {{"h", 16, 26}, {"b", 2, 5},          {"o", 8, 15},
                                                          {"o", 10, 17}, {"e", 10, 99},        {"x", 16, 99},
                                                          {"l", 10, 5},  {"s", 10, 0xFFFFFFFF}};
  for (const auto& [key, base, expected] : reads)
    EXPECT_EQ(file_.GetInt("n", key, 99, base), expected) << key << " " << base;
  const std::string ones(64, '1');
  const std::tuple<long long, int, std::string> writes[] = {
      {5, 2, "101"},          {0, 2, "0"},    {-1, 2, ones},   {-1, 16, "FFFFFFFF"},
      {-1, 8, "37777777777"}, {-1, 10, "-1"}, {123, 7, "123"}, {1LL << 31, 10, "-2147483648"}};
  for (const auto& [value, base, text] : writes)
    EXPECT_TRUE(file_.WriteInt("i", "v", value, base) && Get().ends_with("\r\n[i]\r\nv=" + text + "\r\n"))
        << value << " base " << base;
}

// Writes in a batch are saved once, when the outermost batch ends; reads see them before.
TEST_F(ProfileFileTest, BatchesSaveOnceAtTheOutermostEnd) {
  Bind("[s]\r\n");
  {
    CProfileFile::WriteBatch outer(file_), inner(file_);
    EXPECT_TRUE(file_.WriteString("s", "a", "1") && file_.WriteInt("s", "b", 2) && inner.Commit());
    EXPECT_TRUE(file_.CopySection("s", "t", false));
    EXPECT_EQ(file_.GetString("t", "b"), "2");
    EXPECT_EQ(Get(), "[s]\r\n");
  }  // the destructor commits
  EXPECT_EQ(Get(), "[s]\r\na=1\r\nb=2\r\n[t]\r\na=1\r\nb=2\r\n");
  EXPECT_TRUE(file_.DeleteKey("s", "b") && file_.DeleteSection(" T "));  // outside a batch each saves
  EXPECT_EQ(Get(), "[s]\r\na=1\r\n");
  CProfileFile::WriteBatch batch(file_);
  EXPECT_TRUE(file_.WriteString("s", "a", "2"));
  file_.SetPathName(PathOf("other.ini").c_str());  // the pending write goes to the old file first
  EXPECT_TRUE(file_.WriteString("s", "k", "other") && batch.Commit());
  EXPECT_EQ(Get(), "[s]\r\na=2\r\n");
  EXPECT_EQ(ReadFile(PathOf("other.ini")), "[s]\r\nk=other\r\n");
  file_.SetPathName(PathOf("no/p.ini").c_str());
  CProfileFile::WriteBatch failing(file_);
  EXPECT_TRUE(file_.WriteString("s", "k", "v"));
  EXPECT_FALSE(failing.Commit());
  EXPECT_EQ(file_.GetString("s", "k", "gone"), "gone");
}

}  // namespace
}  // namespace qx
