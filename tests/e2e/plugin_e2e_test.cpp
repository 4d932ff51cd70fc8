// The built plug-in end to end on a scratch copy of the example project:
// libqx31.so loaded with dlopen and driven headless through its exports, with
// and without qxcommd; and the configurator window driven as a person drives
// it: xvfb-run gives it a display, window_e2e.sh opens it through qxhost,
// starts qxcommd on a port the host posts to the window, and clicks and types
// with xdotool. The parameter file and the simulator's module images show
// what was done.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

#include "app/exports/Exports.h"
#include "config/ModuleConfig.h"
#include "config/ParameterCodec.h"
#include "platform/Numbers.h"
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

// An export of the library, loaded once as a host loads it: headless, with
// the build's data folder.
template <typename Fn>
Fn Export(const char* name) {
  static void* const library = [] {
    setenv("QX_HEADLESS", "1", 1);
    setenv("QX_COMMON_APPDATA", (kBuild + "/data").c_str(), 1);
    return dlopen((kBuild + "/libqx31.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  }();
  return library ? reinterpret_cast<Fn>(dlsym(library, name)) : nullptr;
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
  std::string Parameters() { return ReadFile(base_ + ".qx1"); }

  const fs::path work_ =
      kBuild + "/scratch/e2e/" + testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string base_ = (work_ / "project/line1").string();
};

class PluginEndToEnd : public ScratchProject {
 protected:
  void SetUp() override {
    ASSERT_TRUE(show_ && upload_ && download_ && setLimits_ && clearLimits_) << dlerror();
    ScratchProject::SetUp();
  }

  ShowDialog31QxFn show_ = Export<ShowDialog31QxFn>("ShowDialog_31QX");
  Transfer31QxFn upload_ = Export<Transfer31QxFn>("Upload_31QX");
  Transfer31QxFn download_ = Export<Transfer31QxFn>("Download_31QX");
  SetLenMax31QxFn setLimits_ = Export<SetLenMax31QxFn>("SetDataExchangeLenMax_31QX");
  ClearLenMax31QxFn clearLimits_ = Export<ClearLenMax31QxFn>("ClearDataExchangeLenMax_31QX");
};

TEST_F(PluginEndToEnd, ShowPreparesTheParameterFileAndSaysNoWindowOpened) {
  setLimits_(100, 200);
  testing::internal::CaptureStderr();
  show_(base_.c_str(), "12", 0, 0x0409, 0x110);
  show_(nullptr, nullptr, 0, 0, 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "KM31QX-2C: no configurator window can be opened here; SLOT12 of " + base_ + " is ready in " +
                base_ + ".qx1\nKM31QX-2C: Rack & Slot number error\n");
  clearLimits_();
  EXPECT_NE(
      Parameters().find("[SLOT12]\r\nMODULE_ID=0x5881\r\nSYNCH_ID=1002\r\nFWVER=110\r\nDE=0,0,0,4f70\r\n"),
      std::string::npos);
}

// A parameter file as configurations compare: each section's items after its count are left out,
// because they are not in use (an upload leaves them as the record held them).
std::string ItemsInUse(const std::string& parameters) {
  std::string kept;
  int count = 0;
  for (std::size_t at = 0, end; at < parameters.size(); at = end) {
    end = std::min(parameters.find('\n', at), parameters.size() - 1) + 1;
    const std::string line = parameters.substr(at, end - at);
    if (line.starts_with("DE=")) count = qx::ReadSigned32(qx::FieldSplitter(line.substr(3)).Field(2));
    if (line.starts_with("DE_ITEM") && std::atoi(line.c_str() + 7) > count) continue;
    kept += line;
  }
  return kept;
}

TEST_F(PluginEndToEnd, DownloadAndUploadEveryModuleThroughTheSimulator) {
  if (!fs::exists(kBuild + "/qxcommd")) GTEST_SKIP() << "qxcommd is not built";
  Simulator simulator(work_ / "state");
  ASSERT_NE(simulator.port, 0) << "qxcommd did not start";
  EXPECT_EQ(download_(base_.c_str(), "00", simulator.port), 0);  // makes the parameter file
  {  // the module in slot index 2 gets two items, the one in slot index 7 keeps none
    qx::CProfileFile file;
    file.SetPathName((base_ + ".qx1").c_str());
    qx::ModuleConfig two;
    two.SetDefaults();
    two.SetItemCount(2);
    two.Item(1).SetSlaveAddress(17);
    two.Item(2).SetSlaveAddress(18);
    ASSERT_TRUE(qx::WriteParameters(two, 0, file, 1, 2, ""));
  }
  EXPECT_EQ(download_(base_.c_str(), "00", simulator.port), 0);
  const std::string downloaded = Parameters();
  EXPECT_EQ(upload_(base_.c_str(), "00", simulator.port), 0);
  EXPECT_EQ(ItemsInUse(Parameters()), ItemsInUse(downloaded));  // what went down comes back unchanged
  EXPECT_NE(ItemsInUse(downloaded).find("\r\nDE=0,0,2,"), std::string::npos);
  EXPECT_NE(Parameters(), downloaded);  // SLOT17 (no items in use) keeps the items the record held
}

TEST_F(PluginEndToEnd, FailedTransferIsTracedWithModuleBlockAndReason) {
  if (!fs::exists(kBuild + "/qxcommd")) GTEST_SKIP() << "qxcommd is not built";
  Simulator simulator(work_ / "state", "--fault 1:status --fault 3:echo");
  ASSERT_NE(simulator.port, 0) << "qxcommd did not start";
  testing::internal::CaptureStderr();
  EXPECT_EQ(download_(base_.c_str(), "12", simulator.port), 1);
  EXPECT_EQ(upload_(base_.c_str(), "12", simulator.port), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "KM31QX-2C: trace: Download SLOT12 (station 1, rack 1, slot number 3): block 1 (header): "
            "write of 0x10001000+64: reply status 0x0101\n"
            "KM31QX-2C: trace: Upload SLOT12 (station 1, rack 1, slot number 3): block 3 (NTP): "
            "read of 0x10000000+16: reply echoes operation 0x4253, not 0x4254\n");
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
};

// The E-Mail page set up by keyboard: the mail server, trigger 1 with a D
// block attached, two recipients of it; Download and OK.
TEST_F(WindowEndToEnd, MailSetUpByKeyboardIsSavedByOkAndDownloaded) {
  ASSERT_EQ(Drive("mail"), 0) << Log("driver.log") << Log("host.log");

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
