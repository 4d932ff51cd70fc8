// CProfileFile: the results callers rely on (null arguments, numbers, buffer
// and list sizing, section copies, batches).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ProfileFile.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

class ProfileFileTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string templ = (fs::temp_directory_path() / "qx_profile_XXXXXX").string();
    ASSERT_NE(::mkdtemp(templ.data()), nullptr);
    dir_ = templ;
    path_ = (dir_ / "p.ini").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Bind(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
    file_.SetPathName(path_.c_str());
  }
  std::string Get() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  ino_t Inode() const {
    struct stat st {};
    return ::stat(path_.c_str(), &st) == 0 ? st.st_ino : 0;
  }

  fs::path dir_;
  std::string path_;
  CProfileFile file_;
};

TEST_F(ProfileFileTest, NullArgumentsAndUnboundObjects) {
  EXPECT_FALSE(file_.WriteString("s", "k", "v"));  // unbound: nowhere to write
  Bind("[s]\r\nk=v\r\n");
  EXPECT_EQ(file_.GetString(nullptr, "k", "def  "), "def");
  EXPECT_EQ(file_.GetString("s", nullptr, "def\t "), "def\t");
  EXPECT_EQ(file_.GetString("s", "missing", nullptr), "");
  EXPECT_EQ(file_.GetInt(nullptr, "k", 7), 7u);
  EXPECT_FALSE(file_.WriteString(nullptr, "k", "v"));
  EXPECT_FALSE(file_.WriteString("s", nullptr, "v"));
  EXPECT_FALSE(file_.DeleteSection(nullptr));
  EXPECT_FALSE(file_.DeleteKey("s", nullptr));
  EXPECT_FALSE(file_.CopySection(nullptr, "t", false));
  EXPECT_FALSE(file_.CopySection("s", nullptr, false));
  EXPECT_EQ(Get(), "[s]\r\nk=v\r\n");
  EXPECT_TRUE(file_.WriteString("s", "k", nullptr));  // a null value writes ""
  EXPECT_EQ(Get(), "[s]\r\nk=\r\n");

  file_.SetPathName(nullptr);
  EXPECT_FALSE(file_.IsBound());
  EXPECT_EQ(file_.GetString("s", "k", "d"), "d");
  EXPECT_FALSE(file_.WriteString("s", "k", "v"));
}

TEST_F(ProfileFileTest, GetIntTable) {
  Bind(
      "[n]\r\nhex=0x1A\r\nff=ff\r\ntwelve=12\r\nbin=101\r\noct=017\r\nempty=\r\nword=abc\r\nneg=-1\r\nlong=" +
      std::string(63, '0') + "56\r\n");
  struct Case {
    const char* key;
    int base;
    unsigned long expected;
  };
  const Case cases[] = {
      {"hex", 16, 26},
      {"ff", 16, 255},
      {"twelve", 7, 12},
      {"twelve", 0, 12},
      {"bin", 2, 5},
      {"oct", 8, 15},
      {"oct", 10, 17},
      {"empty", 10, 99},
      {"missing", 16, 99},
      {"word", 10, 0},
      {"neg", 10, static_cast<unsigned long>(-1)},
      {"long", 10, 5},  // only the first 64 bytes count
  };
  for (const Case& c : cases)
    EXPECT_EQ(file_.GetInt("n", c.key, 99, c.base), c.expected) << c.key << " " << c.base;
}

TEST_F(ProfileFileTest, WriteIntTable) {
  struct Case {
    long long value;
    int base;
    std::string text;
  };
  const Case cases[] = {
      {5, 2, "101"},
      {0, 2, "0"},
      {-1, 2, std::string(64, '1')},
      {26, 16, "1A"},
      {-1, 16, "FFFFFFFF"},
      {8, 8, "10"},
      {-1, 8, "37777777777"},
      {-1, 10, "-1"},
      {123, 7, "123"},
      {2147483648LL, 10, "-2147483648"},
  };
  file_.SetPathName(path_.c_str());
  for (const Case& c : cases) {
    ASSERT_TRUE(file_.WriteInt("i", "v", c.value, c.base));
    EXPECT_EQ(Get(), "[i]\r\nv=" + c.text + "\r\n") << c.value << " base " << c.base;
  }
}

TEST_F(ProfileFileTest, StringIntoBuffer) {
  const std::string long_value(1500, 'v');
  Bind("[s]\r\nk=abcdef\r\nlong=" + long_value + "\r\n");
  struct Case {
    const char* key;
    int size;
    std::string text;  // also the length returned
  };
  const Case cases[] = {
      {"k", 7, "abcdef"}, {"k", 6, "abcde"}, {"k", 1, ""}, {"none", 8, "dflt"}, {"long", 2000, long_value}};
  for (const Case& c : cases) {
    std::vector<char> buffer(c.size + 1, '#');
    EXPECT_EQ(file_.GetString("s", c.key, buffer.data(), c.size, "dflt  "), static_cast<int>(c.text.size()));
    EXPECT_EQ(std::string(buffer.data()), c.text);
    EXPECT_EQ(buffer[c.size], '#');
  }
  EXPECT_EQ(file_.GetString("s", "long"), long_value);
  EXPECT_EQ(file_.GetString("s", "k", nullptr, 10, nullptr), 0);
}

// Lists: "ab", "c" need 2+1 + 1+1 + 1 = 6 bytes.
TEST_F(ProfileFileTest, ListSizing) {
  Bind("[ab]\r\nab\r\nc\r\n[c]\r\n");
  struct Case {
    int size;
    int expected;
    std::string bytes;  // the buffer's first size bytes
  };
  const Case cases[] = {
      {7, 5, std::string("ab\0c\0\0", 6)},  // fits, one byte to spare
      {6, 4, std::string("ab\0c\0\0", 6)},  // an exact fit counts as too small
      {5, 3, std::string("ab\0\0\0", 5)},   // the last item is cut to nothing
      {3, 1, std::string("a\0\0", 3)},     {2, 0, std::string("\0\0", 2)},
  };
  for (const Case& c : cases) {
    std::string text(16, '#');
    std::string names(16, '#');
    EXPECT_EQ(file_.GetSectionText("ab", text.data(), c.size), c.expected) << c.size;
    EXPECT_EQ(file_.GetSectionNames(names.data(), c.size), c.expected) << c.size;
    EXPECT_EQ(text.substr(0, c.bytes.size() + 1), c.bytes + '#');
    EXPECT_EQ(names.substr(0, c.bytes.size() + 1), c.bytes + '#');
  }
  EXPECT_EQ(file_.GetSectionText("ab", nullptr, 0), 6);
  EXPECT_EQ(file_.GetSectionNames(nullptr, 0), 6);
  for (const char* section : {"c", "missing"}) {  // empty lists: a single NUL
    std::string buffer(4, '#');
    EXPECT_EQ(file_.GetSectionText(section, buffer.data(), 4), 0);
    EXPECT_EQ(buffer, std::string("\0###", 4));
    EXPECT_EQ(file_.GetSectionText(section, nullptr, 0), 1);
  }
}

TEST_F(ProfileFileTest, KeyNamesNeedAnEqualsSignAfterTheFirstCharacter) {
  Bind("[k]\r\n  spaced\t = 1\r\n=nameless\r\n==odd\r\ntext only\r\n;c=1\r\n");
  std::vector<std::string> keys{"stale"};
  file_.GetKeyNames("k", keys);
  EXPECT_EQ(keys, (std::vector<std::string>{"spaced", "="}));
}

TEST_F(ProfileFileTest, CopySectionRules) {
  const std::string start = "[src]\r\na=1\r\nloose\r\n[dst]\r\n; keep\r\nold=0\r\n";
  Bind(start);
  EXPECT_FALSE(file_.CopySection("src", " SRC ", false));
  EXPECT_FALSE(file_.CopySection("missing", "x", false));
  EXPECT_FALSE(file_.CopySection("src", "dst", true));
  EXPECT_EQ(Get(), start);

  EXPECT_TRUE(file_.CopySection("src", "dst", false));
  EXPECT_TRUE(file_.CopySection("src", "new", true));
  EXPECT_EQ(Get(), "[src]\r\na=1\r\nloose\r\n[dst]\r\n; keep\r\na=1\r\nloose\r\n[new]\r\na=1\r\nloose\r\n");
  EXPECT_TRUE(file_.DeleteKey("dst", "a"));
  EXPECT_TRUE(file_.DeleteSection("NEW"));
  EXPECT_EQ(Get(), "[src]\r\na=1\r\nloose\r\n[dst]\r\n; keep\r\nloose\r\n");
}

TEST_F(ProfileFileTest, NestedBatchesSaveOnceAtTheOutermostEnd) {
  Bind("[s]\r\n");
  const ino_t before = Inode();
  {
    CProfileFile::WriteBatch outer(file_);
    EXPECT_TRUE(file_.WriteString("s", "a", "1"));
    {
      CProfileFile::WriteBatch inner(file_);
      EXPECT_TRUE(file_.WriteInt("s", "b", 2));
      EXPECT_TRUE(inner.Commit());
    }
    EXPECT_TRUE(file_.CopySection("s", "t", false));
    EXPECT_EQ(file_.GetString("t", "b"), "2");  // reads see the batch's writes
    EXPECT_EQ(Inode(), before);
    EXPECT_EQ(Get(), "[s]\r\n");
  }  // the destructor commits
  EXPECT_EQ(Get(), "[s]\r\na=1\r\nb=2\r\n[t]\r\na=1\r\nb=2\r\n");

  // Outside a batch every write saves (each save is a new file).
  const ino_t saved = Inode();
  EXPECT_TRUE(file_.WriteString("s", "a", "2"));
  EXPECT_NE(Inode(), saved);
}

TEST_F(ProfileFileTest, BatchCommitReportsTheSave) {
  const std::string other = (dir_ / "other.ini").string();
  const std::string missing = (dir_ / "no" / "p.ini").string();
  file_.SetPathName(path_.c_str());
  CProfileFile::WriteBatch batch(file_);
  EXPECT_TRUE(file_.WriteString("s", "k", "first"));
  file_.SetPathName(other.c_str());  // the pending write goes to the old file first
  EXPECT_TRUE(file_.WriteString("s", "k", "second"));
  EXPECT_TRUE(batch.Commit());
  EXPECT_EQ(Get(), "[s]\r\nk=first\r\n");
  EXPECT_EQ(file_.GetString("s", "k"), "second");

  file_.SetPathName(missing.c_str());
  CProfileFile::WriteBatch failing(file_);
  EXPECT_TRUE(file_.WriteString("s", "k", "v"));
  EXPECT_FALSE(failing.Commit());
  EXPECT_EQ(file_.GetString("s", "k", "gone"), "gone");
}

// A module section of 85 keys rewritten in a file of 12 such sections.
TEST_F(ProfileFileTest, ModuleSectionInABatchSavesOnce) {
  std::string text = "// header\r\n";
  for (int s = 0; s < 12; ++s) {
    text += "[SLOT1" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < 85; ++k) text += "Key" + std::to_string(k) + "=" + std::string(40, 'a' + s) + "\r\n";
  }
  Bind(text);
  const ino_t before = Inode();
  {
    CProfileFile::WriteBatch batch(file_);
    for (int k = 0; k < 85; ++k) {
      ASSERT_TRUE(file_.WriteInt("SLOT15", ("Key" + std::to_string(k)).c_str(), 1000 + k));
      ASSERT_EQ(Inode(), before);
    }
  }
  EXPECT_NE(Inode(), before);
  EXPECT_EQ(file_.GetInt("SLOT15", "Key84", 0), 1084u);
  EXPECT_EQ(Get().size(), text.size() - 85 * (40 - 4));
}

}  // namespace
}  // namespace qx
