// The configurator window driven as a person drives it: xvfb-run gives it a
// display, window_e2e.sh opens it through qxhost on a scratch copy of the
// example project, starts qxcommd on a port the host posts to the window,
// and clicks and types with xdotool; the parameter file and the simulator's
// module image show what the window did.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

#include "config/ModuleConfig.h"
#include "config/ParameterCodec.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using qx::test::ReadFile;

const std::string kBuild = QX_BUILD_DIR;
const fs::path kSource = QX_SOURCE_DIR;

// The exit status of the shell command, standard output and error into log.
int Shell(const std::string& command, const fs::path& log) {
  const int status = std::system(("(" + command + ") >'" + log.string() + "' 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class WindowEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = kBuild + "/scratch/e2e-window/" + testing::UnitTest::GetInstance()->current_test_info()->name();
    RemoveTree();
    fs::create_directories(work_);
    fs::copy(kSource / "examples" / "project", work_ / "project");
    base_ = (work_ / "project" / "line1").string();
    if (SkipWithoutWindow()) GTEST_SKIP() << reason_;
  }
  void TearDown() override {
    if (!HasFailure()) RemoveTree();  // kept for a look at the logs and the last screen
  }
  // rm -rf, because xvfb-run does not wait for the X server it stops, which
  // deletes its screen file in the folder while the tree is walked.
  void RemoveTree() { EXPECT_EQ(Shell("rm -rf '" + work_.string() + "'", "/dev/null"), 0); }

  // Skips unless the window can be driven here; the reason says what is missing.
  bool SkipWithoutWindow() {
    if (Shell("command -v xvfb-run && command -v xdotool", work_ / "tools.log") != 0) {
      reason_ = "xvfb-run or xdotool is not installed (./qx setup installs them)";
    } else if (!fs::exists(kBuild + "/qxcommd")) {
      reason_ = "qxcommd is not built";
    } else {
      // A position the plug-in refuses: the probe leaves the project alone.
      Shell("QX_HEADLESS=1 QX_COMMON_APPDATA=" + kBuild + "/data " + kBuild + "/qxhost show " + base_ +
                " refused 0x409 0x110 --port 1",
            work_ / "headless.log");
      if (Log("headless.log").find("without the window layer") != std::string::npos)
        reason_ = "this build has no window layer (QX_GUI=OFF)";
    }
    return !reason_.empty();
  }

  // The exit status of window_e2e.sh for scenario, run in an X display of its
  // own. xvfb-run -a takes the first display number without a lock file, so
  // each test process starts its search somewhere else. The time limit, far
  // above a run on a loaded machine (about 20 s), stops only a hang, and
  // then the whole process group, the X server included.
  int Drive(const std::string& scenario) {
    const std::string work = work_.string();
    return Shell("env -u QX_HEADLESS -u QT_QPA_PLATFORM QX_COMMON_APPDATA=" + kBuild +
                     "/data timeout -k 5 150 xvfb-run -a -n " + std::to_string(100 + getpid() % 800) +
                     " -s '-screen 0 1280x1024x24 -fbdir " + work + "' bash " +
                     (kSource / "tests/e2e/window_e2e.sh").string() + " " + kBuild + " " + base_ + " " +
                     work + " " + scenario,
                 work_ / "driver.log");
  }
  std::string Log(const char* name) { return ReadFile(work_ / name); }
  // What the module in slot index 2 holds after the download.
  std::string Image() { return ReadFile(work_ / "state" / "station1_rack1_slot3.img"); }
  // The value of key in [SLOT12] of the parameter file without its checksum,
  // after checking that checksum.
  std::string Saved(const std::string& key) {
    const std::string text = ReadFile(base_ + ".qx1");
    const size_t start = text.find("[SLOT12]\r\n"), at = text.find("\r\n" + key + "=", start);
    if (at == std::string::npos || at > text.find("\r\n[", start + 1)) return "no " + key;
    const size_t from = at + 3 + key.size(), end = text.find("\r\n", from), comma = text.rfind(',', end);
    if (comma == std::string::npos || comma < from) return "no checksum: " + key;
    const std::string value = text.substr(from, comma - from);
    if (text.substr(comma + 1, end - comma - 1) != qx::ValueChecksum(value)) return "bad checksum: " + value;
    return value;
  }

  fs::path work_;
  std::string base_;
  std::string reason_;
};

// The E-Mail page set up by keyboard: the mail server, trigger 1 with a D
// block attached, two recipients of it; Download and OK.
TEST_F(WindowEndToEnd, MailSetUpByKeyboardIsSavedByOkAndDownloaded) {
  ASSERT_EQ(Drive("mail"), 0) << Log("driver.log") << Log("host.log");
  EXPECT_NE(Log("host.log").find("ShowDialog_31QX returned\n"), std::string::npos);

  // Server 10.1.2.25 (hexadecimal a010219), port 587, user name and password
  // lengths 12 in Base64, account "Yes", sender 15 and subject 6 bytes, the
  // eight reserved bytes, then the texts; the credentials only in Base64.
  EXPECT_EQ(Saved("Mail_serverConf"),
            "a010219,587,12,12,1,15,6,0,0,0,0,0,0,0,0,plc@example.net,b3BlcmF0b3I=,cGE1NXdvcmQ=,Line 1");
  // Trigger 1: name and message lengths 13, flags 9 (user message, PLC
  // device), recipients 1 and 2 (mask 3), "Periodic Timer" (3), interval 6,
  // attachment D (3) from 100, 10 long.
  EXPECT_EQ(Saved("Mail_trigConf1"), "13,13,0,9,3,3,0,0,0,6,0,Hourly report,Line 1 report,3,100,10,0,0,0");
  EXPECT_EQ(Saved("Mail_remotAddr1"), "ops@example.net");
  EXPECT_EQ(Saved("Mail_remotAddr2"), "night@example.net");
  EXPECT_EQ(Saved("Mail_remotAddr3"), "");

  // The module got the same in its register image: the server block, the
  // texts, the recipients 64 bytes apart, then trigger 1 (trigger 2 empty).
  const std::string image = Image();
  ASSERT_EQ(image.size(), 10180u) << Log("qxcommd.log");
  const size_t trigger1 = 0x2464;
  const std::pair<size_t, std::string> bytes[] = {
      {0x21C0, std::string("\x02\x19\x0a\x01\x02\x4b\x0c\x0c\x01\x0f\x00\x06", 12)},
      {0x21D4, std::string("plc@example.net\0", 16)},
      {0x2214, std::string("b3BlcmF0b3I=\0", 13)},
      {0x2234, std::string("cGE1NXdvcmQ=\0", 13)},
      {0x2264, std::string("ops@example.net\0", 16)},
      {0x2264 + 64, std::string("night@example.net\0", 18)},
      {trigger1, std::string("\x0d\x0d\x00\x09\x03\x03", 6)},
      {trigger1 + 12, std::string("\x00\x06", 2)},
      {trigger1 + 16, std::string("Hourly report\0", 14)},
      {trigger1 + 32, std::string("Line 1 report\0", 14)},
      {trigger1 + 96, std::string("\x00\x03\x00\x00\x00\x64\x00\x00\x00\x0a\x00\x00", 12)},
      {trigger1 + 108 + 5, std::string(1, '\0')},
  };
  for (const auto& [offset, expected] : bytes) {
    EXPECT_EQ(image.substr(offset, expected.size()), expected) << offset;
  }
}

// New..., a double click on the new item, a remote address and a quantity
// typed into the Item Edit dialog, Enter; then Download and OK. The item is
// in the parameter file as comma text and in the module's image.
TEST_F(WindowEndToEnd, ItemAddedAndEditedIsSavedAndDownloaded) {
  ASSERT_EQ(Drive("dataexch"), 0) << Log("driver.log") << Log("host.log");
  // The default port has no manager: only the posted port reaches qxcommd.
  EXPECT_NE(Log("host.log").find(" posted to the configurator window\n"), std::string::npos);
  EXPECT_EQ(Saved("DE"), "0,0,1");
  // Enabled 0, slave 0, IP 0, cycle 10, timeout 10, no 0x17, MODBUS TCP, 100;
  // the read block at offset 0: 10 coils from 0x1F, command 1, one segment;
  // the write block: quantity 0 at coil 0, command 15.
  EXPECT_EQ(Saved("DE_ITEM1"),
            "0,0,0,10,10,0,0,100,0,0,0,0,0,0,0,0,10,1f,0,0,0,0,1,10,1f,0,0,0,0,0,0,0,0,0,0,15,0,0,0,0,0");

  const std::string bytes = Image();
  ASSERT_EQ(bytes.size(), qx::ModuleConfig::kSize) << Log("qxcommd.log");
  qx::ModuleConfig module;
  std::copy(bytes.begin(), bytes.end(), module.Bytes());
  const auto item = std::as_const(module).Item(1);
  const auto read = item.ReadBlock();
  EXPECT_EQ(std::tuple(module.ItemCount(), item.UpdateCycle(), item.Timeout(), item.DeviceType(),
                       item.FixedValue(), item.WriteBlock().Command()),
            std::tuple(1, 10, 10, 0, 100, 15));
  EXPECT_EQ(std::tuple(read.Quantity(), read.RemoteAddress(), read.RemoteKind(), read.Command(),
                       read.Segment1Address(), read.Segment1Length()),
            std::tuple(10, 0x1Fu, 0, 1, 0x1Fu, 10));
}

}  // namespace
