// The failure trace's file: where it goes and what one line holds.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <regex>
#include <string>

#include "platform/FailureLog.h"
#include "platform/UiServices.h"
#include "tests/support/TestSupport.h"

namespace qx {
namespace {

using namespace test;

// The trace goes to the user's state folder, one stamped line per failure, the folder made first.
TEST(FailureLogTest, AppendsOneStampedLineInTheStateFolderOfTheUser) {
  const TempFolder folder;
  const std::string home = getenv("HOME") ? getenv("HOME") : "";
  setenv("HOME", "/home/eng", 1);
  setenv("XDG_STATE_HOME", "relative/state", 1);  // not absolute: ignored
  EXPECT_EQ(FailureLogPath(), "/home/eng/.local/state/km31qx2c/transfers.log");
  unsetenv("HOME");
  EXPECT_EQ(FailureLogPath(), "");
  AppendFailureLog("nowhere to go");  // and nothing breaks
  setenv("XDG_STATE_HOME", folder.path().c_str(), 1);
  EXPECT_EQ(FailureLogPath(), folder.Path("km31qx2c/transfers.log"));
  AppendFailureLog("Download SLOT13: block 1 (header): reply status 0x0101");
  HeadlessUi headless;
  UiServices& window = headless;
  window.UiServices::LogFailure("Upload SLOT18: line\r\nbreak");  // what a window's services do
  const std::string text = ReadFile(folder.Path("km31qx2c/transfers.log"));
  const std::regex expected(
      "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ Download SLOT13: block 1 \\(header\\): "
      "reply status 0x0101\n"
      "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ Upload SLOT18: line  break\n");
  EXPECT_TRUE(std::regex_match(text, expected)) << text;

  testing::internal::CaptureStderr();
  headless.LogFailure("Upload SLOT18: time-out");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "KM31QX-2C: trace: Upload SLOT18: time-out\n");
  unsetenv("XDG_STATE_HOME");
  setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace qx
