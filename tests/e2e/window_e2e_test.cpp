// The configurator window driven as a person drives it: xvfb-run gives it a
// display, window_e2e.sh opens it through qxhost on a scratch copy of the
// example project and clicks and types with xdotool; the parameter file and
// the simulator's module images show what the window did. Also what qxhost
// says about the "set port" message when no window can open.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "config/ModuleConfig.h"
#include "config/ParameterCodec.h"
#include "tests/support/TestSupport.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using qx::test::ReadFile;

const std::string kBuild = QX_BUILD_DIR;
const fs::path kSource = QX_SOURCE_DIR;
// Far above a run on a loaded machine (about 20 s), so that only a hang hits it.
constexpr auto kScenarioLimit = std::chrono::seconds(150);

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "";
  while (!rest.empty()) {
    const size_t colon = rest.find(':');
    const std::string dir(rest.substr(0, colon));
    if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) return true;
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
  }
  return false;
}

// Runs argv in a process group of its own with stdout and stderr into log.
// The exit status, or -1 when it outlasted limit (the whole group, the X
// server included, is then killed).
int RunBounded(const std::vector<std::string>& args, const fs::path& log, std::chrono::seconds limit) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, argv[0], &files, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  posix_spawnattr_destroy(&attributes);
  if (spawned != 0) return -1;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(-pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Removes dir and all in it. xvfb-run does not wait for the X server it
// stops, which deletes its screen file in dir while this walks the tree.
void RemoveTree(const fs::path& dir) {
  std::error_code error;
  for (int attempt = 0; attempt < 50; ++attempt) {
    fs::remove_all(dir, error);
    if (!error) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ADD_FAILURE() << dir << " could not be removed: " << error.message();
}

// xvfb-run -a takes the first display number without a lock file, so two
// tests starting together would both take the same one and one X server
// would fail. Each test process starts its search somewhere else.
std::string FirstDisplayToTry() { return std::to_string(100 + getpid() % 800); }

// The value of key in the section, without its line end; empty when absent.
std::string SectionValue(const std::string& text, const std::string& section, const std::string& key) {
  const size_t start = text.find("[" + section + "]\r\n");
  if (start == std::string::npos) return {};
  const size_t end = text.find("\r\n[", start + 1);
  const size_t at = text.find("\r\n" + key + "=", start);
  if (at == std::string::npos || at > end) return {};
  const size_t from = at + 3 + key.size();
  return text.substr(from, text.find("\r\n", from) - from);
}

class WindowEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    work_ = fs::path(kBuild) / "scratch" / "e2e-window" / name;
    RemoveTree(work_);
    fs::create_directories(work_);
    fs::copy(kSource / "examples" / "project", work_ / "project");
    base_ = (work_ / "project" / "line1").string();
  }
  void TearDown() override {
    if (!HasFailure()) RemoveTree(work_);  // kept for a look at the logs and the last screen
  }

  // qxhost alone, without a display; its standard output.
  std::pair<int, std::string> Host(const std::string& calls) {
    const fs::path log = work_ / "headless.log";
    const int status = RunBounded({"/bin/sh", "-c",
                                   "QX_HEADLESS=1 QX_COMMON_APPDATA=" + kBuild + "/data " + kBuild +
                                       "/qxhost " + calls + " 2>/dev/null"},
                                  log, std::chrono::seconds(60));
    return {status, ReadFile(log)};
  }

  // Skips unless the window can be driven here; the reason says what is missing.
  bool SkipWithoutWindow() {
    for (const char* tool : {"xvfb-run", "xdotool"}) {
      if (!OnPath(tool)) {
        reason_ = std::string(tool) + " is not installed (./qx setup installs it)";
        return true;
      }
    }
    // A position the plug-in refuses: the probe leaves the project alone.
    if (Host("show " + base_ + " refused 0x409 0x110 --port 1").second.find("without the window layer") !=
        std::string::npos) {
      reason_ = "this build has no window layer (QX_GUI=OFF)";
      return true;
    }
    return false;
  }

  // The exit status of window_e2e.sh for scenario, run in its own X display.
  int Drive(const std::string& scenario) {
    const std::string work = work_.string();
    return RunBounded(
        {"env", "-u", "QX_HEADLESS", "-u", "QT_QPA_PLATFORM", "QX_COMMON_APPDATA=" + kBuild + "/data",
         "xvfb-run", "-a", "-n", FirstDisplayToTry(), "-s", "-screen 0 1280x1024x24 -fbdir " + work, "bash",
         (kSource / "tests" / "e2e" / "window_e2e.sh").string(), kBuild, base_, work, scenario},
        work_ / "driver.log", kScenarioLimit);
  }
  std::string Log(const char* name) { return ReadFile(work_ / name); }

  fs::path work_;
  std::string base_;
  std::string reason_;
};

TEST_F(WindowEndToEnd, NtpAddressAndCycleTypedOnTheNtpTabAreSavedByOk) {
  if (SkipWithoutWindow()) GTEST_SKIP() << reason_;
  ASSERT_EQ(Drive("ntp"), 0) << Log("driver.log") << Log("host.log");
  EXPECT_NE(Log("host.log").find("ShowDialog_31QX returned\n"), std::string::npos);

  const std::string ntp = SectionValue(ReadFile(base_ + ".qx1"), "SLOT12", "NTP");
  const qx::FieldSplitter fields(ntp);
  ASSERT_EQ(fields.Count(), 14u) << ntp;
  EXPECT_EQ(fields.Field(0), "1") << "client enabled: " << ntp;
  EXPECT_EQ(fields.Field(1), "25") << "update cycle: " << ntp;
  EXPECT_EQ(fields.Field(2), "c0a8010a") << "server address 192.168.1.10: " << ntp;
  const size_t checksumAt = ntp.rfind(',');
  EXPECT_EQ(ntp.substr(checksumAt + 1), qx::ValueChecksum(std::string_view(ntp).substr(0, checksumAt)))
      << ntp;
}

TEST_F(WindowEndToEnd, DownloadGoesThroughThePortTheHostPosted) {
  if (SkipWithoutWindow()) GTEST_SKIP() << reason_;
  if (!fs::exists(kBuild + "/qxcommd")) GTEST_SKIP() << "qxcommd is not built";
  ASSERT_EQ(Drive("download"), 0) << Log("driver.log") << Log("host.log");
  EXPECT_NE(Log("host.log").find(" posted to the configurator window\n"), std::string::npos)
      << Log("host.log");
  // The default port 8895 has no manager: only the posted port reaches qxcommd.
  const fs::path image = work_ / "state" / "station1_rack1_slot3.img";
  ASSERT_TRUE(fs::exists(image)) << Log("qxcommd.log");
  EXPECT_EQ(fs::file_size(image), 10180u);
  // Download stored the pages and saved them first: the NTP page gave the
  // time zone shown, (GMT-12:00), its offset in seconds.
  EXPECT_EQ(SectionValue(ReadFile(base_ + ".qx1"), "SLOT12", "NTP"),
            "0,10,0,0,0,400,900,0,0,-43200,0,0,0,1667");
}

// The value's fields without their checksum, after checking that checksum.
std::string CheckedFields(const std::string& value) {
  const size_t checksumAt = value.rfind(',');
  if (checksumAt == std::string::npos) return "no checksum: " + value;
  const std::string fields = value.substr(0, checksumAt);
  if (value.substr(checksumAt + 1) != qx::ValueChecksum(fields)) return "bad checksum: " + value;
  return fields;
}

std::string ImageBytes(const std::string& image, size_t offset, size_t count) {
  return image.size() >= offset + count ? image.substr(offset, count) : std::string();
}

TEST_F(WindowEndToEnd, MailSetUpByKeyboardIsSavedByOkAndDownloaded) {
  if (SkipWithoutWindow()) GTEST_SKIP() << reason_;
  if (!fs::exists(kBuild + "/qxcommd")) GTEST_SKIP() << "qxcommd is not built";
  ASSERT_EQ(Drive("mail"), 0) << Log("driver.log") << Log("host.log");
  EXPECT_NE(Log("host.log").find("ShowDialog_31QX returned\n"), std::string::npos);

  // Server 10.1.2.25 (hexadecimal a010219), port 587, user name and password
  // lengths 12 in Base64, account "Yes", sender 15 and subject 6 bytes, the
  // eight reserved bytes, then the texts; the credentials only in Base64.
  const std::string params = ReadFile(base_ + ".qx1");
  EXPECT_EQ(CheckedFields(SectionValue(params, "SLOT12", "Mail_serverConf")),
            "a010219,587,12,12,1,15,6,0,0,0,0,0,0,0,0,plc@example.net,b3BlcmF0b3I=,cGE1NXdvcmQ=,Line 1");
  // Trigger 1: name and message lengths 13, flags 9 (user message, PLC
  // device), recipients 1 and 2 (mask 3), "Periodic Timer" (3), interval 6,
  // attachment D (3) from 100, 10 long.
  EXPECT_EQ(CheckedFields(SectionValue(params, "SLOT12", "Mail_trigConf1")),
            "13,13,0,9,3,3,0,0,0,6,0,Hourly report,Line 1 report,3,100,10,0,0,0");
  EXPECT_EQ(CheckedFields(SectionValue(params, "SLOT12", "Mail_remotAddr1")), "ops@example.net");
  EXPECT_EQ(CheckedFields(SectionValue(params, "SLOT12", "Mail_remotAddr2")), "night@example.net");
  EXPECT_EQ(CheckedFields(SectionValue(params, "SLOT12", "Mail_remotAddr3")), "");

  // The module got the same in its register image.
  const std::string image = ReadFile(work_ / "state" / "station1_rack1_slot3.img");
  ASSERT_EQ(image.size(), 10180u) << Log("qxcommd.log");
  EXPECT_EQ(ImageBytes(image, 0x21C0, 12), std::string("\x02\x19\x0a\x01\x02\x4b\x0c\x0c\x01\x0f\x00\x06", 12));
  EXPECT_EQ(ImageBytes(image, 0x21D4, 16), std::string("plc@example.net\0", 16));
  EXPECT_EQ(ImageBytes(image, 0x2214, 13), std::string("b3BlcmF0b3I=\0", 13));
  EXPECT_EQ(ImageBytes(image, 0x2234, 13), std::string("cGE1NXdvcmQ=\0", 13));
  EXPECT_EQ(ImageBytes(image, 0x2264, 16), std::string("ops@example.net\0", 16));
  EXPECT_EQ(ImageBytes(image, 0x2264 + 64, 18), std::string("night@example.net\0", 18));
  const size_t trigger1 = 0x2464;
  EXPECT_EQ(ImageBytes(image, trigger1, 6), std::string("\x0d\x0d\x00\x09\x03\x03", 6));
  EXPECT_EQ(ImageBytes(image, trigger1 + 12, 2), std::string("\x00\x06", 2));
  EXPECT_EQ(ImageBytes(image, trigger1 + 16, 14), std::string("Hourly report\0", 14));
  EXPECT_EQ(ImageBytes(image, trigger1 + 32, 14), std::string("Line 1 report\0", 14));
  EXPECT_EQ(ImageBytes(image, trigger1 + 96, 12),
            std::string("\x00\x03\x00\x00\x00\x64\x00\x00\x00\x0a\x00\x00", 12));
  EXPECT_EQ(ImageBytes(image, trigger1 + 108 + 5, 1), std::string(1, '\0'));  // trigger 2 not configured
}

// New..., a double click on the new item, a remote address and a quantity
// typed into the Item Edit dialog, Enter; then Download and OK. The item is
// in the parameter file as comma text and in the module's image.
TEST_F(WindowEndToEnd, ItemAddedAndEditedIsSavedAndDownloaded) {
  if (SkipWithoutWindow()) GTEST_SKIP() << reason_;
  if (!fs::exists(kBuild + "/qxcommd")) GTEST_SKIP() << "qxcommd is not built";
  ASSERT_EQ(Drive("dataexch"), 0) << Log("driver.log") << Log("host.log");
  const std::string section = ReadFile(base_ + ".qx1");
  EXPECT_EQ(SectionValue(section, "SLOT12", "DE"), "0,0,1,8fb1");
  // Enabled 0, slave 0, IP 0, cycle 10, timeout 10, no 0x17, MODBUS TCP, 100;
  // the read block at offset 0: 10 coils from 0x1F, command 1, one segment;
  // the write block: quantity 0 at coil 0, command 15.
  EXPECT_EQ(SectionValue(section, "SLOT12", "DE_ITEM1"),
            "0,0,0,10,10,0,0,100,0,0,0,0,0,0,0,0,10,1f,0,0,0,0,1,10,1f,0,0,0,0,0,0,0,0,0,0,15,0,0,0,0,0,6046");

  const fs::path image = work_ / "state" / "station1_rack1_slot3.img";
  ASSERT_TRUE(fs::exists(image)) << Log("qxcommd.log");
  const std::string bytes = ReadFile(image);
  ASSERT_EQ(bytes.size(), qx::ModuleConfig::kSize);
  qx::ModuleConfig module;
  std::copy(bytes.begin(), bytes.end(), module.Bytes());
  const auto item = std::as_const(module).Item(1);
  const auto read = item.ReadBlock();
  EXPECT_EQ(module.ItemCount(), 1);
  EXPECT_EQ(std::tuple(item.UpdateCycle(), item.Timeout(), item.DeviceType(), item.FixedValue()),
            std::tuple(10, 10, 0, 100));
  EXPECT_EQ(std::tuple(read.Quantity(), read.RemoteAddress(), read.RemoteKind(), read.Command(),
                       read.Segment1Address(), read.Segment1Length()),
            std::tuple(10, 0x1Fu, 0, 1, 0x1Fu, 10));
  EXPECT_EQ(item.WriteBlock().Command(), 15);
}

TEST_F(WindowEndToEnd, WithoutAWindowTheHostSaysNoPortWasPosted) {
  const auto [status, out] =
      Host("post-port 77 show " + base_ + " 12 0x409 0x110 show " + base_ + " 12 0x409 0x110 --port 9000");
  EXPECT_EQ(status, 0);
  const std::string show =
      "ShowDialog_31QX(\"" + base_ + "\", \"12\", 0, 0x0409, 0x110)\nShowDialog_31QX returned\n";
  EXPECT_EQ(out.rfind("post-port 77: posted to the window of each later show call\n" + show +
                          "set port 77 not posted: ",
                      0),
            0u)
      << out;
  EXPECT_NE(out.find(show + "set port 9000 not posted: "), std::string::npos) << out;

  for (const char* bad : {"show b 12 1 1 --port", "show b 12 1 1 --port x", "post-port"}) {
    EXPECT_EQ(Host(bad).first, 2) << bad;
  }
}

}  // namespace
