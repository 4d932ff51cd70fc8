// The built plug-in as the host sees it: libqx31.so loaded with dlopen and
// driven through its five exports on a scratch copy of the example project,
// headless, with and without the simulated communication manager; and the
// host stand-in qxhost's command line.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/exports/Exports.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

const std::string kBuild = QX_BUILD_DIR;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The library, loaded once for all tests as a host loads it.
class Plugin {
 public:
  static Plugin& Get() {
    static Plugin plugin;
    return plugin;
  }
  void* handle = nullptr;
  ShowDialog31QxFn show = nullptr;
  Transfer31QxFn upload = nullptr;
  Transfer31QxFn download = nullptr;
  SetLenMax31QxFn setLimits = nullptr;
  ClearLenMax31QxFn clearLimits = nullptr;

 private:
  Plugin() {
    setenv("QX_HEADLESS", "1", 1);
    setenv("QX_COMMON_APPDATA", (kBuild + "/data").c_str(), 1);
    handle = dlopen((kBuild + "/libqx31.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return;
    show = reinterpret_cast<ShowDialog31QxFn>(dlsym(handle, "ShowDialog_31QX"));
    upload = reinterpret_cast<Transfer31QxFn>(dlsym(handle, "Upload_31QX"));
    download = reinterpret_cast<Transfer31QxFn>(dlsym(handle, "Download_31QX"));
    setLimits = reinterpret_cast<SetLenMax31QxFn>(dlsym(handle, "SetDataExchangeLenMax_31QX"));
    clearLimits = reinterpret_cast<ClearLenMax31QxFn>(dlsym(handle, "ClearDataExchangeLenMax_31QX"));
  }
};

// qxcommd on a free port with the example plant, stopped by its pid.
class Simulator {
 public:
  explicit Simulator(const fs::path& state) {
    const std::string program = kBuild + "/qxcommd";
    built_ = fs::exists(program);
    if (!built_) return;
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string plant = std::string(QX_SOURCE_DIR) + "/examples/plant.ini";
    const std::string stateDir = state.string();
    const char* argv[] = {program.c_str(), "--plant",        plant.c_str(), "--port", "0",
                          "--state",       stateDir.c_str(), nullptr};
    const int spawned =
        posix_spawn(&pid_, program.c_str(), &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
      pid_ = -1;
      close(out[0]);
      return;
    }
    // "qxcommd: listening on 127.0.0.1:N" once it accepts connections.
    FILE* stream = fdopen(out[0], "r");
    char line[128] = {};
    if (stream != nullptr && std::fgets(line, sizeof line, stream) != nullptr) {
      const char* colon = std::strrchr(line, ':');
      if (colon != nullptr) port_ = std::atoi(colon + 1);
    }
    if (stream != nullptr) std::fclose(stream);
  }
  ~Simulator() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool Built() const { return built_; }
  int Port() const { return port_; }

 private:
  bool built_ = false;
  pid_t pid_ = -1;
  int port_ = 0;
};

class PluginEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(plugin_.handle, nullptr) << dlerror();
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    scratch_ = fs::path(kBuild) / "scratch" / "e2e" / name;
    fs::remove_all(scratch_);
    fs::create_directories(scratch_ / "state");
    fs::copy(fs::path(QX_SOURCE_DIR) / "examples" / "project", scratch_ / "project");
    base_ = (scratch_ / "project" / "line1").string();
    project_ = ReadText(base_ + ".ini");
  }
  void TearDown() override {
    EXPECT_EQ(ReadText(base_ + ".ini"), project_);  // the host's project file is never written
    fs::remove_all(scratch_);
  }
  std::string Parameters() { return ReadText(base_ + ".qx1"); }

  Plugin& plugin_ = Plugin::Get();
  fs::path scratch_;
  std::string base_;
  std::string project_;
};

TEST_F(PluginEndToEnd, ShowPreparesTheParameterFileAndSaysNoWindowOpened) {
  plugin_.setLimits(100, 200);
  testing::internal::CaptureStderr();
  plugin_.show(base_.c_str(), "12", 0, 0x0409, 0x110);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "KM31QX-2C: no configurator window can be opened here; SLOT12 of " + base_ + " is ready in " +
                base_ + ".qx1\n");
  plugin_.clearLimits();
  const std::string text = Parameters();
  EXPECT_EQ(text.rfind("// QX Configurator\r\n", 0), 0u);
  EXPECT_NE(text.find("[SLOT12]\r\nMODULE_ID=0x5881\r\nSYNCH_ID=1002\r\nFWVER=110\r\nDE=0,0,0,4f70\r\n"),
            std::string::npos);

  testing::internal::CaptureStderr();
  plugin_.show(base_.c_str(), "SLOT112", 0, 0x0404, 0x110);
  plugin_.show(nullptr, nullptr, 0, 0, 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "KM31QX-2C: Rack & Slot number error\nKM31QX-2C: Rack & Slot number error\n");
}

TEST_F(PluginEndToEnd, TransfersReportFailureToTheHost) {
  fs::remove(base_ + ".ini");
  testing::internal::CaptureStderr();
  EXPECT_EQ(plugin_.upload(base_.c_str(), "00", 1), 1);
  const std::string message = testing::internal::GetCapturedStderr();
  EXPECT_EQ(message.rfind("KM31QX-2C: The project file holds no hardware configuration.", 0), 0u) << message;
  project_.clear();  // ReadText of the removed file

  fs::copy(fs::path(QX_SOURCE_DIR) / "examples" / "project" / "line1.ini", base_ + ".ini");
  project_ = ReadText(base_ + ".ini");
  EXPECT_EQ(plugin_.download(base_.c_str(), "13", 1), 0);  // slot index 3 holds another type
  // No manager listens on port 1: the first module's transfer fails.
  EXPECT_EQ(plugin_.download(base_.c_str(), "00", 1), 1);
  EXPECT_NE(Parameters().find("[SLOT17]\r\nMODULE_ID=0x5881\r\nSYNCH_ID=1004\r\nFWVER=112\r\n"),
            std::string::npos);
}

TEST_F(PluginEndToEnd, DownloadAndUploadEveryModuleThroughTheSimulator) {
  Simulator simulator(scratch_ / "state");
  if (!simulator.Built()) GTEST_SKIP() << "qxcommd is not built";
  ASSERT_NE(simulator.Port(), 0) << "qxcommd did not start";
  EXPECT_EQ(plugin_.download(base_.c_str(), "00", simulator.Port()), 0);
  EXPECT_TRUE(fs::exists(scratch_ / "state" / "station1_rack1_slot3.img"));
  EXPECT_TRUE(fs::exists(scratch_ / "state" / "station1_rack1_slot8.img"));
  const std::string downloaded = Parameters();
  EXPECT_EQ(plugin_.upload(base_.c_str(), "00", simulator.Port()), 0);
  EXPECT_EQ(Parameters(), downloaded);  // what went down comes back unchanged
}

// Runs qxhost with args; its exit status and standard output.
std::pair<int, std::string> RunHost(const std::string& args) {
  const std::string command = kBuild + "/qxhost " + args + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(QxHost, CallsInOrderAndPrintsEachResult) {
  const auto [status, out] = RunHost("set-limits 100 0x200 clear-limits post-port 8895");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(
      out,
      "SetDataExchangeLenMax_31QX(100, 512) returned\n"
      "ClearDataExchangeLenMax_31QX() returned\n"
      "post-port 8895: needs the configurator window, which this build cannot open yet; nothing posted\n");
}

TEST(QxHost, RefusesABadCommandLine) {
  const char* bad[] = {"", "show base 13", "bogus", "set-limits 1 x", "upload b 00 99999999999", "--lib"};
  for (const char* args : bad) EXPECT_EQ(RunHost(args).first, 2) << args;
  EXPECT_EQ(RunHost("--help").first, 0);
  EXPECT_EQ(RunHost("--lib /no/such/libqx31.so clear-limits").first, 3);
}

}  // namespace
