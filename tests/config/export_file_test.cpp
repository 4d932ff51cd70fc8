// Export File's write: a fresh file put in place whole, or nothing changed.
#include <gtest/gtest.h>

#include <filesystem>

#include "config/ExportFile.h"
#include "config/ParameterCodec.h"
#include "tests/support/TestSupport.h"

namespace qx {
namespace {

using ExportFileTest = test::TempFolderTest;

// The chosen file is replaced as a whole by this module alone; the user's own files beside it, a
// temporary-looking name included, stay as they were. A failed export (here a folder stands where
// the file should go; the atomic writer's other failures are the profile-file tests') changes nothing.
TEST_F(ExportFileTest, ReplacesTheChosenFileWholeOrChangesNothing) {
  ModuleConfig record;
  record.SetDefaults();
  record.SetNtpUpdateCycle(33);
  const std::string chosen = PathOf("out.qx1");
  test::WriteFile(chosen, "[SLOT15]\r\nMODULE_ID=0x5881\r\n");
  test::WriteFile(PathOf(".out.qx1.tmp"), "mine");
  ASSERT_TRUE(ExportParameterFile(record, 0x110, chosen));
  const std::string text = test::ReadFile(chosen);
  EXPECT_EQ(text.rfind("[SLOT00]\r\nMODULE_ID=0x5881\r\nFWVER=110\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\nNTP=" + ParameterValue(record, "NTP") + "\r\n"), std::string::npos);
  EXPECT_EQ(text.find("SLOT15"), std::string::npos);
  EXPECT_EQ(test::ReadFile(PathOf(".out.qx1.tmp")), "mine");

  std::filesystem::create_directory(PathOf("taken.qx1"));
  EXPECT_FALSE(ExportParameterFile(record, 0x110, PathOf("taken.qx1")));
  EXPECT_TRUE(std::filesystem::is_empty(PathOf("taken.qx1")));
  EXPECT_EQ(folder_.Entries(), 3);  // nothing left behind
}

}  // namespace
}  // namespace qx
