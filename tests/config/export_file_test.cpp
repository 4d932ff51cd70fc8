// Export File's write: a fresh file put in place whole, or nothing changed.
#include "config/ExportFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "config/ParameterCodec.h"
#include "tests/support/TestSupport.h"

namespace qx {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

class ExportFileTest : public test::TempFolderTest {
 protected:
  ExportFileTest() {
    record_.SetDefaults();
    record_.SetNtpUpdateCycle(33);
    WriteFile(folder_.path() / "project.qx1", "[SLOT13]\r\n");
    scratch_.SetPathName((folder_.path() / "project.qx1").c_str());
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_.path())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  ModuleConfig record_;
  CProfileFile scratch_;
};

// The chosen file is replaced as a whole by this module alone; the user's
// own files beside it, temporary-looking names included, stay as they were.
TEST_F(ExportFileTest, ReplacesTheChosenFileWholeAndLeavesEveryOtherFile) {
  const fs::path chosen = folder_.path() / "out.qx1";
  WriteFile(chosen, "[SLOT15]\r\nMODULE_ID=0x5881\r\n");
  WriteFile(folder_.path() / "out.qx1.part", "mine");
  WriteFile(folder_.path() / ".out.qx1.tmp", "mine too");
  ASSERT_TRUE(ExportParameterFile(record_, 0x110, chosen.string()));

  ModuleConfig reread;
  EXPECT_EQ(ReadParameters(reread, scratch_, 0, 0, chosen.string()), 1);
  EXPECT_EQ(reread, record_);
  const std::string text = ReadFile(chosen);
  EXPECT_EQ(text.rfind("[SLOT00]\r\nMODULE_ID=0x5881\r\nFWVER=110\r\n", 0), 0u);
  EXPECT_EQ(text.find("SLOT15"), std::string::npos);
  EXPECT_EQ(ReadFile(folder_.path() / "out.qx1.part"), "mine");
  EXPECT_EQ(ReadFile(folder_.path() / ".out.qx1.tmp"), "mine too");
  EXPECT_EQ(Names(), (std::vector<std::string>{".out.qx1.tmp", "out.qx1", "out.qx1.part", "project.qx1"}));
  EXPECT_EQ(scratch_.GetPathName(), (folder_.path() / "project.qx1").string());
}

// A failed export changes nothing in the folder and leaves no file behind.
TEST_F(ExportFileTest, AFailedExportChangesNothing) {
  fs::create_directory(folder_.path() / "taken.qx1");  // a folder where the file should go
  const std::vector<std::string> before = Names();
  const struct {
    fs::path path;
  } cases[] = {{folder_.path() / "taken.qx1"}, {folder_.path() / "missing" / "out.qx1"}, {fs::path()}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_FALSE(ExportParameterFile(record_, 0x110, c.path.string()));
    EXPECT_EQ(Names(), before);
    EXPECT_TRUE(fs::is_empty(folder_.path() / "taken.qx1"));
  }
  EXPECT_EQ(scratch_.GetPathName(), (folder_.path() / "project.qx1").string());
}

}  // namespace
}  // namespace qx
