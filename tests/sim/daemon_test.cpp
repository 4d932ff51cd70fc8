// qxcommd as a program: its plant file, its options and fault plans, and
// the built daemon started and stopped by process id.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "sim/Options.h"
#include "sim/PlantFile.h"
#include "tests/support/TestSupport.h"

extern char** environ;

namespace qx::sim {
namespace {

namespace fs = std::filesystem;

TEST(PlantFileTest, ListsModulesOrExplainsTheMistake) {
  const std::tuple<const char*, std::vector<ModuleAddress>, const char*> cases[] = {
      {"; example\r\n[STATION1]\r\nRACK1=3,8\r\n", {{1, 1, 3}, {1, 1, 8}}, ""},
      {"[station2]\nrack0 = 1 , 12\nRACK255=255\n[STATION0]\nRACK1=1\n",
       {{2, 0, 1}, {2, 0, 12}, {2, 255, 255}, {0, 1, 1}},
       ""},
      {"[STATION1]\nRACK1=3,3\n", {}, "listed twice"},
      {"[STATION256]\nRACK1=3\n", {}, "unknown section [STATION256]"},
      {"[STATION1]\nSLOT1=3\n", {}, "unknown key \"SLOT1\""},
      {"[STATION1]\nRACK1=3,,8\n", {}, "not a list of slot numbers"},
      {"[STATION1]\nRACK1=x\n", {}, "not a list of slot numbers"},
      {"[STATION1]\nRACK1\n", {}, "is not a RACK<r>=<slots> line"},
      {"; nothing\n", {}, "no modules"},
      {nullptr, {}, "not found"}};
  const test::TempFolder folder;
  const std::string path = folder.Path("plant.ini");
  for (const auto& [text, modules, message] : cases) {
    SCOPED_TRACE(text ? text : "no file");
    std::string error;
    fs::remove(path);
    if (text) test::WriteFile(path, text);
    const auto result = ReadPlantFile(path, error);
    EXPECT_EQ(std::tuple(result.has_value(), result.value_or(modules)),
              std::tuple(*message == '\0', modules));
    EXPECT_NE(error.find(message), std::string::npos) << error;
  }
}

TEST(OptionsTest, ParsesFaultsAndRefusesNonsense) {
  std::string error;
  auto o = ParseOptions({"--plant", "p.ini", "--port", "0", "--fault", "3:delay:250", "--fault",
                         "1:status:0x0102", "--trace", "--latency", "5"},
                        error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(std::tuple(o->port, o->trace, o->latencyMs), std::tuple(0, true, 5));
  EXPECT_EQ(o->faults.For(3), (Fault{FaultKind::kDelay, 250}));
  EXPECT_EQ(o->faults.For(1), (Fault{FaultKind::kStatus, 0x0102}));
  EXPECT_TRUE(ParseOptions({"--help"}, error)->help);
  EXPECT_EQ(ParseOptions({"--plant", "p"}, error)->latencyMs, 0);
  o = ParseOptions({"--plant", "p", "--fault", "2:dup", "--fault", "3:empty", "--fault", "4:trickle:7"},
                   error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(
      std::tuple(o->faults.For(2), o->faults.For(3), o->faults.For(4)),
      std::tuple(Fault{FaultKind::kDup, 0}, Fault{FaultKind::kEmpty, 0}, Fault{FaultKind::kTrickle, 7}));
  for (const char* bad :
       {"", "--plant", "--plant p --port 70000", "--plant p --fault 0:drop", "--plant p --fault 1:delay",
        "--plant p --fault 1:trickle", "--plant p --fault 1:dup:2", "--plant p --fault 1:empty:0",
        "--plant p --fault 1:drop:5", "--plant p --fault 1:drop --fault 1:close",
        "--plant p --fault-rate 1.5", "--plant p --bogus 1", "--plant p --latency -1",
        "--plant p --latency 60001", "--plant p --latency 5ms", "--plant p --latency"}) {
    std::vector<std::string> args;
    for (std::istringstream in(bad); in >> error;) args.push_back(error);
    EXPECT_FALSE(ParseOptions(args, error)) << bad;
  }
}

TEST(FaultPlanTest, RandomFaultsFollowRateAndSeed) {
  auto draws = [](double rate, uint32_t seed) {  // the kinds of requests 1..200, one digit each
    FaultPlan plan;
    plan.SetRandom(rate, seed);
    std::string kinds;
    for (int n = 1; n <= 200; ++n) kinds += char('0' + int(plan.For(n).kind));
    return kinds;
  };
  EXPECT_EQ(draws(0.3, 7), draws(0.3, 7));
  EXPECT_NE(draws(0.3, 7), draws(0.3, 8));
  EXPECT_EQ(std::tuple(draws(0, 7), draws(1, 7).find('0')),
            std::tuple(std::string(200, '0'), std::string::npos));
}

// The built program: started with a ready file (which the install test's transfers go through),
// stopped by SIGTERM with status 0 and the ready file gone. A bad option is named once, with one
// pointer to --help.
TEST(DaemonTest, StopsCleanlyAndExplainsItsOptions) {
  const std::string program = QX_BUILD_DIR "/qxcommd";
  if (!fs::exists(program)) GTEST_SKIP() << "qxcommd not built";
  const test::TempFolder folder;
  const std::string ready = folder.Path("ready");
  std::vector<std::string> args{program,        "--plant", QX_SOURCE_DIR "/examples/plant.ini", "--port", "0",
                                "--ready-file", ready};
  std::vector<char*> argv{nullptr};
  for (auto& a : args) argv.insert(argv.end() - 1, a.data());
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
  for (int i = 0; i < 2000 && !fs::exists(ready); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_GT(std::atoi(test::ReadFile(ready).c_str()), 0);
  kill(pid, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(fs::exists(ready));

  FILE* pipe = popen((program + " --plant p --fault 1:bogus 2>&1").c_str(), "r");
  std::string out;
  for (int c; (c = std::fgetc(pipe)) != EOF;) out += static_cast<char>(c);
  EXPECT_EQ(std::pair(WEXITSTATUS(pclose(pipe)), out),
            std::pair(2, std::string("qxcommd: --fault 1:bogus: expected N:KIND[:ARG] (see --help)\n")));
}

}  // namespace
}  // namespace qx::sim
