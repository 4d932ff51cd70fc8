// The engine on disk (re-reads, atomic and failed saves) and CProfileFile's results.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <tuple>
#include <vector>

#include "platform/IniFile.h"
#include "platform/ProfileFile.h"
#include "tests/support/TestSupport.h"

namespace qx {
namespace {

using namespace test;

namespace fs = std::filesystem;

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
  Bind("[s]\r\nk=v\r\n");
  EXPECT_EQ(file_.GetString(nullptr, "k", "def  "), "def");
  EXPECT_EQ(file_.GetString("s", nullptr, "def\t "), "def\t");
  EXPECT_EQ(file_.GetString("s", "missing", nullptr), "");
  EXPECT_EQ(file_.GetInt(nullptr, "k", 7), 7u);
  EXPECT_FALSE(file_.WriteString(nullptr, "k", "v") || file_.WriteString("s", nullptr, "v") ||
               file_.DeleteSection(nullptr) || file_.DeleteKey("s", nullptr) ||
               file_.CopySection(nullptr, "t", false) || file_.CopySection("s", nullptr, false) ||
               file_.CopySection("s", " S ", false) || file_.CopySection("missing", "t", false));
  EXPECT_EQ(Get(), "[s]\r\nk=v\r\n");
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

// Binding back to a file keeps what was read of it only while the file is
// unchanged: changes made meanwhile by others are read.
TEST_F(ProfileFileTest, BindingBackReadsChangesMadeMeanwhile) {
  const std::string other = PathOf("other.ini");
  Bind("[s]\r\nk=1\r\n");
  EXPECT_EQ(file_.GetString("s", "k"), "1");
  file_.SetPathName(other.c_str());
  EXPECT_TRUE(file_.WriteString("s", "k", "other"));
  WriteFile(PathOf("p.ini"), "[s]\r\nk=22\r\n");
  file_.SetPathName(PathOf("p.ini").c_str());
  EXPECT_EQ(file_.GetString("s", "k"), "22");
  CProfileFile second;
  second.SetPathName(other.c_str());
  EXPECT_TRUE(second.WriteString("s", "k", "second"));
  file_.SetPathName(other.c_str());
  EXPECT_EQ(file_.GetString("s", "k"), "second");
  file_.SetPathName(other.c_str());  // the same file again
  EXPECT_EQ(file_.GetString("s", "k"), "second");
}

}  // namespace
}  // namespace qx
