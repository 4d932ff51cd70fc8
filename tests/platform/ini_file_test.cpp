// The engine on disk: re-reading a changed file, atomic saves and what a
// failed save leaves behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/IniFile.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

class IniFileOnDisk : public testing::Test {
 protected:
  void SetUp() override {
    std::string templ = (fs::temp_directory_path() / "qx_ini_XXXXXX").string();
    ASSERT_NE(::mkdtemp(templ.data()), nullptr);
    dir_ = templ;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }
  static std::string Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  int EntriesInFolder() const { return static_cast<int>(std::distance(fs::directory_iterator(dir_), {})); }

  fs::path dir_;
};

TEST_F(IniFileOnDisk, NewFileHasCrLfAndNoBomAndSavesOnlyChanges) {
  const std::string path = PathOf("new.ini");
  IniFile file(path);
  ASSERT_TRUE(file.Edit().SetValue("Sec", "Key", "Value"));
  ASSERT_TRUE(file.Edit().SetValue("Sec", "Two", "2"));
  ASSERT_TRUE(file.Save());
  EXPECT_EQ(Get(path), "[Sec]\r\nKey=Value\r\nTwo=2\r\n");
  ASSERT_TRUE(file.Edit().SetValue("sec", "key", "Value"));
  ASSERT_TRUE(file.Save());
  EXPECT_EQ(file.SaveCount(), 1);
  EXPECT_EQ(EntriesInFolder(), 1);  // no temporary file left
}

TEST_F(IniFileOnDisk, ChangeOnDiskIsSeen) {
  const std::string path = PathOf("changed.ini");
  Put(path, "[s]\nk=1\n");
  IniFile file(path);
  ASSERT_EQ(file.Read().Value("s", "k"), "1");

  // Same size, other content, another time.
  Put(path, "[s]\nk=2\n");
  struct timespec times[2] = {{0, UTIME_OMIT}, {1700000000, 123456789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  EXPECT_EQ(file.Read().Value("s", "k"), "2");

  // Replaced by another file of the same size and times: a new identity.
  const std::string other = PathOf("other.ini");
  Put(other, "[s]\nk=3\n");
  ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), times, 0), 0);
  fs::rename(other, path);
  EXPECT_EQ(file.Read().Value("s", "k"), "3");

  // Unsaved changes are not replaced by a re-read until discarded.
  ASSERT_TRUE(file.Edit().SetValue("s", "mine", "x"));
  fs::remove(path);
  EXPECT_EQ(file.Read().Value("s", "k"), "3");
  file.Discard();
  EXPECT_FALSE(file.Read().HasSection("s"));
}

TEST_F(IniFileOnDisk, SaveReplacesTheFileKeepingModeAndLinks) {
  const std::string target = PathOf("target.ini");
  const std::string link = PathOf("link.ini");
  Put(target, "[s]\nk=1\n");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  fs::create_symlink(target, link);
  IniFile file(link);
  ASSERT_TRUE(file.Edit().SetValue("s", "k", "2"));
  ASSERT_TRUE(file.Save());
  EXPECT_EQ(Get(target), "[s]\nk=2\r\n");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
}

// Failed saves: the old file stays whole, nothing is left behind, the
// caller hears false and the next read sees the file as it is on disk.
TEST_F(IniFileOnDisk, DiskFullLeavesOldFileIntact) {
  const std::string path = PathOf("full.ini");
  Put(path, "[s]\r\nk=old\r\n");
  IniFile file(path);
  ASSERT_TRUE(file.Edit().SetValue("s", "k", std::string(4096, 'x')));

  // A file-size limit makes writes fail as a full disk would, even for root.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved_ok = file.Save();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous_handler);

  EXPECT_FALSE(saved_ok);
  EXPECT_EQ(Get(path), "[s]\r\nk=old\r\n");
  EXPECT_EQ(EntriesInFolder(), 1);
  EXPECT_EQ(file.Read().Value("s", "k"), "old");
}

TEST_F(IniFileOnDisk, UnwritablePathsFailWithoutCreatingAnything) {
  Put(PathOf("plain"), "not a folder");
  Put(PathOf("ro.ini"), "[s]\nk=1\n");
  ASSERT_EQ(::chmod(PathOf("ro.ini").c_str(), 0444), 0);  // read-only even for root
  fs::create_directory(PathOf("a_folder"));
  const std::string paths[] = {PathOf("ro.ini"), PathOf("missing/sub/x.ini"), PathOf("plain/x.ini"),
                               PathOf("a_folder"), ""};
  for (const std::string& path : paths) {
    IniFile file(path);
    ASSERT_TRUE(file.Edit().SetValue("s", "k", "v"));
    EXPECT_FALSE(file.Save()) << path;
    EXPECT_NE(file.Read().Value("s", "k"), "v") << path;
  }
  EXPECT_EQ(Get(PathOf("ro.ini")), "[s]\nk=1\n");
  EXPECT_EQ(Get(PathOf("plain")), "not a folder");
  EXPECT_EQ(EntriesInFolder(), 3);
}

}  // namespace
}  // namespace qx
