// qxcommd as a program: its plant file, its options and fault plans, and
// the built daemon started, used and stopped by process id.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "comm/Transfer.h"
#include "sim/Options.h"
#include "sim/PlantFile.h"

extern char** environ;

namespace qx::sim {
namespace {

namespace fs = std::filesystem;

std::string WriteTemp(const std::string& name, const std::string& text) {
  const std::string path = testing::TempDir() + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST(PlantFileTest, ListsModulesOrExplainsTheMistake) {
  struct Case {
    const char* text;
    std::vector<ModuleAddress> modules;
    const char* error;
  };
  const Case cases[] = {
      {"; example\r\n[STATION1]\r\nRACK1=3,8\r\n", {{1, 1, 3}, {1, 1, 8}}, ""},
      {"[station2]\nrack0 = 1 , 12\nRACK255=255\n[STATION0]\nRACK1=1\n",
       {{2, 0, 1}, {2, 0, 12}, {2, 255, 255}, {0, 1, 1}},
       ""},
      {"[STATION1]\nRACK1=3,3\n", {}, "listed twice"},
      {"[STATION1]\nRACK1=3\n[STATION1]\nRACK2=4\n", {}, "listed twice"},
      {"[STATION256]\nRACK1=3\n", {}, "unknown section [STATION256]"},
      {"[RACK1]\n", {}, "unknown section"},
      {"[STATION1]\nSLOT1=3\n", {}, "unknown key \"SLOT1\""},
      {"[STATION1]\nRACK1=3,,8\n", {}, "not a list of slot numbers"},
      {"[STATION1]\nRACK1=x\n", {}, "not a list of slot numbers"},
      {"[STATION1]\nRACK1\n", {}, "is not a RACK<r>=<slots> line"},
      {"; nothing\n", {}, "no modules"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string error;
    const auto modules = ReadPlantFile(WriteTemp("qx_plant.ini", c.text), error);
    EXPECT_EQ(modules.value_or(std::vector<ModuleAddress>{}), c.modules);
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
  std::string error;
  EXPECT_FALSE(ReadPlantFile(testing::TempDir() + "/qx_no_such_plant.ini", error));
  EXPECT_FALSE(ReadPlantFile(QX_SOURCE_DIR "/examples/plant.ini", error)
                   .value_or(std::vector<ModuleAddress>{})
                   .empty());
}

TEST(OptionsTest, ParsesFaultsAndRefusesNonsense) {
  std::string error;
  auto o = ParseOptions(
      {"--plant", "p.ini", "--port", "0", "--fault", "3:delay:250", "--fault", "1:status:0x0102", "--trace"},
      error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->port, 0);
  EXPECT_TRUE(o->trace);
  EXPECT_EQ(o->faults.For(3), (Fault{FaultKind::kDelay, 250}));
  EXPECT_EQ(o->faults.For(1), (Fault{FaultKind::kStatus, 0x0102}));
  EXPECT_EQ(o->faults.For(2).kind, FaultKind::kNone);
  EXPECT_TRUE(ParseOptions({"--help"}, error)->help);
  for (const char* bad :
       {"", "--plant", "--plant p --port 70000", "--plant p --fault 0:drop", "--plant p --fault 1:delay",
        "--plant p --fault 1:drop:5", "--plant p --fault 1:drop --fault 1:close",
        "--plant p --fault-rate 1.5", "--plant p --bogus 1"}) {
    std::vector<std::string> args;
    for (std::istringstream in(bad); in >> error;) args.push_back(error);
    EXPECT_FALSE(ParseOptions(args, error)) << bad;
  }
}

TEST(FaultPlanTest, RandomFaultsFollowRateAndSeed) {
  auto draws = [](double rate, uint32_t seed) {
    FaultPlan plan;
    plan.SetRandom(rate, seed);
    std::vector<FaultKind> out;
    for (int n = 1; n <= 200; ++n) out.push_back(plan.For(n).kind);
    return out;
  };
  EXPECT_EQ(draws(0.3, 7), draws(0.3, 7));
  EXPECT_NE(draws(0.3, 7), draws(0.3, 8));
  const auto none = draws(0, 7), all = draws(1, 7);
  EXPECT_EQ(std::count(none.begin(), none.end(), FaultKind::kNone), 200);
  EXPECT_EQ(std::count(all.begin(), all.end(), FaultKind::kNone), 0);
}

// Starts the built qxcommd, waits for its ready file, uploads through it,
// and stops it with SIGTERM.
TEST(DaemonTest, StartsServesAndStopsCleanly) {
  const std::string program = QX_BUILD_DIR "/qxcommd";
  if (!fs::exists(program)) GTEST_SKIP() << "qxcommd not built";
  const std::string ready = testing::TempDir() + "/qx_daemon_ready";
  fs::remove(ready);
  std::vector<std::string> args{program,        "--plant", QX_SOURCE_DIR "/examples/plant.ini", "--port", "0",
                                "--ready-file", ready};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!fs::exists(ready) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  int port = 0;
  std::ifstream(ready) >> port;
  ASSERT_GT(port, 0);

  CXferKit link;
  ModuleConfig record;
  SessionFields session;
  TransferContext ctx{link, record, session};
  const int n = OpenTransferConnection(link, port);
  EXPECT_EQ(UploadModule(ctx, n, 1, 1, 8), 1);
  EXPECT_EQ(UploadModule(ctx, n, 1, 1, 4), -1);  // no module in slot number 4
  CloseTransferConnection(link, n);

  kill(pid, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(fs::exists(ready));
}

}  // namespace
}  // namespace qx::sim
