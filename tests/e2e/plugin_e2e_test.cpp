// The built plug-in end to end on a scratch copy of the example project:
// libqx31.so driven headless through its exports by the host stand-in qxhost,
// with and without qxcommd; and the configurator window driven as a person
// drives it: xvfb-run gives it a display, window_e2e.sh opens it through
// qxhost, starts qxcommd on a port the host posts to the window, and clicks
// and types with xdotool. The parameter file and the simulator's module
// images show what was done.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

#include "app/exports/Exports.h"
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

// qxcommd with the example plant on a free port. The shell prints its pid,
// then becomes qxcommd, which prints "qxcommd: listening on 127.0.0.1:N".
struct Simulator {
  explicit Simulator(const fs::path& state, const std::string& options = "") {
    const std::string command = "echo $$; exec " + kBuild + "/qxcommd --port 0 --plant " +
                                (kSource / "examples/plant.ini").string() + " --state " + state.string() +
                                " " + options;
    out = popen(command.c_str(), "r");
    if (std::fscanf(out, "%d qxcommd: listening on %*[^:]:%d", &pid, &port) != 2) port = 0;
  }
  ~Simulator() {
    if (pid > 0) kill(pid, SIGTERM);
    pclose(out);
  }
  FILE* out;
  int pid = 0, port = 0;
};

// A scratch copy of the example project per test, kept after a failure for a
// look at what is left (logs, the last screen). rm -rf, because xvfb-run does
// not wait for the X server it stops, which deletes its screen file in the
// folder while the tree is walked.
class ScratchProject : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveTree();
    fs::create_directories(work_ / "state");
    fs::copy(kSource / "examples/project", work_ / "project");
  }
  void TearDown() override {
    EXPECT_EQ(ReadFile(base_ + ".ini"), ReadFile(kSource / "examples/project/line1.ini"));  // never written
    if (!HasFailure()) RemoveTree();
  }
  void RemoveTree() { EXPECT_EQ(Shell("rm -rf '" + work_.string() + "'", "/dev/null"), 0); }

  const fs::path work_ =
      kBuild + "/scratch/e2e/" + testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string base_ = (work_ / "project/line1").string();
};

// A host may pass null texts: they are an empty base and position, which the
// plug-in refuses as a bad position.
TEST(PluginExports, NullTextsAreABadPosition) {
  setenv("QX_HEADLESS", "1", 1);
  setenv("QX_COMMON_APPDATA", (kBuild + "/data").c_str(), 1);
  void* library = dlopen((kBuild + "/libqx31.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  const auto show = reinterpret_cast<ShowDialog31QxFn>(dlsym(library, "ShowDialog_31QX"));
  ASSERT_NE(show, nullptr);
  testing::internal::CaptureStderr();
  show(nullptr, nullptr, 0, 0, 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "KM31QX-2C: Rack & Slot number error\n");
  // Left loaded, as a host keeps its plug-ins: unloaded, what the library keeps
  // for the process's lifetime would read as leaked.
}

// qxhost resolves the five exports and calls them in the order given: here
// against qxcommd, whose first and third requests fail (the transfer's
// reasons are tests/comm's), then without faults. A bad command line is
// status 2 before the library is loaded; a library that cannot be loaded, 3.
using HostStandIn = ScratchProject;

TEST_F(HostStandIn, CallsTheExportsAndRefusesBadCommandLines) {
  if (!fs::exists(kBuild + "/qxcommd")) GTEST_SKIP() << "qxcommd is not built";
  Simulator simulator(work_ / "state", "--fault 1:status --fault 3:echo");
  ASSERT_NE(simulator.port, 0) << "qxcommd did not start";
  const std::string slot12 = base_ + " 12 " + std::to_string(simulator.port);
  const std::string every = base_ + " 00 " + std::to_string(simulator.port);
  const std::string show = "show " + base_ + " 12 0x409 0x110";
  const std::tuple<std::string, int, std::string> cases[] = {
      {"download " + slot12, 1,
       "KM31QX-2C: trace: Download SLOT12 (station 1, rack 1, slot number 3): block 1 (header): "
       "write of 0x10001000+64: reply status 0x0101\nDownload_31QX returned 1 (failed)\n"},
      {"upload " + slot12, 1,
       "KM31QX-2C: trace: Upload SLOT12 (station 1, rack 1, slot number 3): block 3 (NTP): "
       "read of 0x10000000+16: reply echoes operation 0x4253, not 0x4254\nUpload_31QX returned 1 (failed)\n"},
      {"download " + every + " upload " + every, 0, "Download_31QX returned 0 (completed)\nUpload_31QX("},
      {"set-limits 100 0x200 " + show + " clear-limits", 0,
       "SetDataExchangeLenMax_31QX(100, 512) returned\nShowDialog_31QX(\"" + base_ +
           "\", \"12\", 0, 0x0409, 0x110)\nKM31QX-2C: no configurator window can be opened here; SLOT12 of " +
           base_ + " is ready in " + base_ +
           ".qx1\nShowDialog_31QX returned\nClearDataExchangeLenMax_31QX() returned\n"},
      {"", 2, "qxhost: no call given\n"},
      {"bogus " + slot12, 2, "qxhost: unknown call 'bogus'\n"},
      {"show b 13", 2, "qxhost: 'show' needs 4 arguments\n"},
      {"set-limits 1 x", 2, "qxhost: 'set-limits': 'x' is not a 32-bit number\n"},
      {"upload b 00 99999999999", 2, "qxhost: 'upload': '99999999999' is not a 32-bit number\n"},
      {show + " --port", 2, "qxhost: 'show --port' needs a PORT\n"},
      {"--lib", 2, "qxhost: --lib needs a PATH\n"},
      {"--lib /no/such/libqx31.so clear-limits", 3, "qxhost: cannot load /no/such/libqx31.so: "},
  };
  for (const auto& [args, status, text] : cases) {
    SCOPED_TRACE(args);
    const fs::path log = work_ / "host.log";
    EXPECT_EQ(Shell("QX_HEADLESS=1 QX_COMMON_APPDATA=" + kBuild + "/data " + kBuild + "/qxhost " + args, log),
              status);
    EXPECT_NE(ReadFile(log).find(text), std::string::npos) << ReadFile(log);
  }
}

// The window needs xvfb-run, xdotool, qxcommd and a build with the window
// layer; a position the plug-in refuses probes for the layer and leaves the
// project alone.
class WindowEndToEnd : public ScratchProject {
 protected:
  void SetUp() override {
    ScratchProject::SetUp();
    if (Shell("command -v xvfb-run && command -v xdotool", work_ / "tools.log") != 0)
      GTEST_SKIP() << "xvfb-run or xdotool is not installed (./qx setup installs them)";
    if (!fs::exists(kBuild + "/qxcommd")) GTEST_SKIP() << "qxcommd is not built";
    Shell("QX_HEADLESS=1 QX_COMMON_APPDATA=" + kBuild + "/data " + kBuild + "/qxhost show " + base_ +
              " refused 0x409 0x110 --port 1",
          work_ / "headless.log");
    if (Log("headless.log").find("without the window layer") != std::string::npos)
      GTEST_SKIP() << "this build has no window layer (QX_GUI=OFF)";
  }

  // The exit status of window_e2e.sh for scenario in an X display of its own
  // (xvfb-run -a takes the first display number without a lock file: each
  // test process starts its search elsewhere). The time limit, far above a
  // run on a loaded machine (20 s), stops a hang, the X server included.
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
  // The value of key in [SLOT12] of the parameter file, its checksum included.
  std::string Saved(const std::string& key) {
    const std::string text = ReadFile(base_ + ".qx1");
    const size_t start = text.find("[SLOT12]\r\n"), at = text.find("\r\n" + key + "=", start);
    if (at == std::string::npos || at > text.find("\r\n[", start + 1)) return "no " + key;
    const size_t from = at + 3 + key.size();
    return text.substr(from, text.find("\r\n", from) - from);
  }
};

// The E-Mail page set up by keyboard: the mail server, trigger 1 with a D
// block attached, two recipients of it; Download and OK.
TEST_F(WindowEndToEnd, MailSetUpByKeyboardIsSavedByOkAndDownloaded) {
  ASSERT_EQ(Drive("mail"), 0) << Log("driver.log") << Log("host.log");

  // Server 10.1.2.25 (hexadecimal a010219), port 587, user name and password
  // lengths 12 in Base64, account "Yes", sender 15 and subject 6 bytes, the
  // eight reserved bytes, then the texts; the credentials only in Base64.
  EXPECT_EQ(Saved("Mail_serverConf"),
            "a010219,587,12,12,1,15,6,0,0,0,0,0,0,0,0,plc@example.net,b3BlcmF0b3I=,cGE1NXdvcmQ=,Line 1,6ab4");
  // Trigger 1: name and message lengths 13, flags 9 (user message, PLC
  // device), recipients 1 and 2 (mask 3), "Periodic Timer" (3), interval 6,
  // attachment D (3) from 100, 10 long.
  EXPECT_EQ(Saved("Mail_trigConf1"),
            "13,13,0,9,3,3,0,0,0,6,0,Hourly report,Line 1 report,3,100,10,0,0,0,b8e7");
  EXPECT_EQ(Saved("Mail_remotAddr1"), "ops@example.net,e1dc");
  EXPECT_EQ(Saved("Mail_remotAddr2"), "night@example.net,7455");
  EXPECT_EQ(Saved("Mail_remotAddr3"), ",ffff");

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
  EXPECT_EQ(Saved("DE"), "0,0,1,8fb1");
  // Enabled 0, slave 0, IP 0, cycle 10, timeout 10, no 0x17, MODBUS TCP, 100;
  // the read block at offset 0: 10 coils from 0x1F, command 1, one segment;
  // the write block: quantity 0 at coil 0, command 15.
  EXPECT_EQ(
      Saved("DE_ITEM1"),
      "0,0,0,10,10,0,0,100,0,0,0,0,0,0,0,0,10,1f,0,0,0,0,1,10,1f,0,0,0,0,0,0,0,0,0,0,15,0,0,0,0,0,6046");

  // The default port has no manager: only the posted port reaches qxcommd.
  const std::string bytes = Image();
  ASSERT_EQ(bytes.size(), qx::ModuleConfig::kSize) << Log("qxcommd.log") << Log("host.log");
  // It holds what the parameter file holds (the comma text read as tests/config reads it).
  qx::ModuleConfig saved;
  qx::CProfileFile file;
  file.SetPathName((base_ + ".qx1").c_str());
  qx::ReadParameters(saved, file, 1, 2, "");
  EXPECT_TRUE(bytes == std::string(saved.Bytes(), saved.Bytes() + qx::ModuleConfig::kSize));
}

}  // namespace
