// The built plug-in as the host sees it: libqx31.so loaded with dlopen and
// driven through its five exports on a scratch copy of the example project,
// headless, with and without qxcommd.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/exports/Exports.h"
#include "config/ParameterCodec.h"
#include "platform/Numbers.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using qx::test::ReadFile;

const std::string kBuild = QX_BUILD_DIR;
const fs::path kExample = fs::path(QX_SOURCE_DIR) / "examples";

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
    const std::string command = "echo $$; exec " + kBuild + "/qxcommd --port 0 --plant " + kExample.string() +
                                "/plant.ini --state " + state.string() + " " + options;
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

class PluginEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(show_ && upload_ && download_ && setLimits_ && clearLimits_) << dlerror();
    fs::remove_all(scratch_);
    fs::create_directories(scratch_ / "state");
    fs::copy(kExample / "project", scratch_ / "project");
  }
  void TearDown() override {
    EXPECT_EQ(ReadFile(base_ + ".ini"), ReadFile(kExample / "project/line1.ini"));  // never written
    fs::remove_all(scratch_);
  }
  std::string Parameters() { return ReadFile(base_ + ".qx1"); }

  ShowDialog31QxFn show_ = Export<ShowDialog31QxFn>("ShowDialog_31QX");
  Transfer31QxFn upload_ = Export<Transfer31QxFn>("Upload_31QX");
  Transfer31QxFn download_ = Export<Transfer31QxFn>("Download_31QX");
  SetLenMax31QxFn setLimits_ = Export<SetLenMax31QxFn>("SetDataExchangeLenMax_31QX");
  ClearLenMax31QxFn clearLimits_ = Export<ClearLenMax31QxFn>("ClearDataExchangeLenMax_31QX");
  fs::path scratch_ =
      kBuild + "/scratch/e2e/" + testing::UnitTest::GetInstance()->current_test_info()->name();
  std::string base_ = (scratch_ / "project/line1").string();
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
  Simulator simulator(scratch_ / "state");
  ASSERT_NE(simulator.port, 0) << "qxcommd did not start";
  EXPECT_EQ(download_(base_.c_str(), "00", simulator.port), 0);  // makes the parameter file
  EXPECT_TRUE(fs::exists(scratch_ / "state/station1_rack1_slot3.img"));
  EXPECT_TRUE(fs::exists(scratch_ / "state/station1_rack1_slot8.img"));
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
  Simulator simulator(scratch_ / "state", "--fault 1:status --fault 3:echo");
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

}  // namespace
