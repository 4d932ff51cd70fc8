// qxconf's two performance promises, measured in one run:
//  - backup of 16 projects x 12 modules through qxcommd (the built daemon,
//    started with --latency 5: every reply 5 ms late, as over a slow
//    network), with -j 8 against -j 1; the -j 8 run reports its speed-up
//    over the -j 1 run ("speedup_vs_j1", at least 6 wanted);
//  - check of a 12-module project of 16 items each (under 20 ms wanted).
// Every simulated module holds 8 items, so one upload is 7 requests. The
// export files go to memory (/dev/shm) where the system offers it, so that
// the figures are the transfers' and not the disk's.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "cli/Commands.h"
#include "config/ParameterCodec.h"
#include "dataexch/ItemEditor.h"
#include "dataexch/ItemValidation.h"
#include "platform/ProfileFile.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
constexpr int kProjects = 16;

fs::path ScratchRoot() {
  std::error_code ec;
  return fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
}
constexpr int kModules = 12;

// A configuration with n valid MODBUS TCP items, side by side in the areas.
qx::ModuleConfig Configuration(int items) {
  qx::ModuleConfig c;
  c.SetDefaults();
  c.SetItemCount(static_cast<uint16_t>(items));
  const qx::CDeviceAddrTable table;
  qx::ItemLimits limits;
  limits.ReadAreaMax = limits.WriteAreaMax = 511;
  for (int i = 1; i <= items; ++i) {
    auto item = c.Item(i);
    item.SetEnabled(2);
    item.SetIpAddress(0xC0A80A00u + static_cast<uint32_t>(i));
    item.SetSlaveAddress(1);
    item.ReadBlock().SetRemoteKind(2);
    item.ReadBlock().SetRemoteAddress(static_cast<uint32_t>(i * 100));
    item.ReadBlock().SetQuantity(10);
    item.ReadBlock().SetLocalOffset(static_cast<uint16_t>(i * 10));
    item.WriteBlock().SetRemoteKind(2);
    item.WriteBlock().SetRemoteAddress(static_cast<uint32_t>(0x8000 + i * 100));
    item.WriteBlock().SetQuantity(4);
    item.WriteBlock().SetLocalOffset(static_cast<uint16_t>(i * 4));
    auto fields = qx::LoadItemFields(table, c, i, limits, {});
    qx::ValidateItem(table, *fields, limits, c, i);
  }
  return c;
}

void WriteProject(const fs::path& base, int station) {
  std::ofstream ini(base.string() + ".ini", std::ios::binary);
  ini << "[HW_CFG]\r\nRACK_ID1=KR-B12\r\nRACK_ID2=0\r\n[COM_MAN]\r\nTARGET_STATION=" << station
      << "\r\nDRIVER_ID=2\r\nTARGET_IP=192.168.10.20\r\n";
  std::ofstream hw(base.string() + ".hw", std::ios::binary);
  for (int slot = 0; slot < kModules; ++slot) {
    ini << "[SLOT1" << slot << "]\r\nMODULE_ID=0x5881\r\nSYNCH_ID=" << 100 + slot << "\r\nFWVER=110\r\n";
    hw << "[1" << slot + 1 << "]\r\nParam53=0x1000\r\nParam54=0x200\r\nParam55=0x1200\r\nParam56=0x200\r\n";
  }
}

// The scratch plant: 16 projects, the daemon's plant file and module images.
struct Plant {
  fs::path dir = ScratchRoot() / ("qxconf_bench_" + std::to_string(getpid()));
  std::vector<std::string> projects;
  pid_t daemon = -1;
  int port = 0;

  Plant() {
    fs::remove_all(dir);
    fs::create_directories(dir / "state");
    fs::create_directories(dir / "out");
    std::ofstream plant(dir / "plant.ini", std::ios::binary);
    const qx::ModuleConfig image = Configuration(8);
    for (int p = 1; p <= kProjects; ++p) {
      projects.push_back((dir / ("line" + std::to_string(p))).string());
      WriteProject(projects.back(), p);
      plant << "[STATION" << p << "]\r\nRACK1=1,2,3,4,5,6,7,8,9,10,11,12\r\n";
      for (int n = 1; n <= kModules; ++n) {
        const std::string name = "station" + std::to_string(p) + "_rack1_slot" + std::to_string(n) + ".img";
        std::ofstream(dir / "state" / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(image.Bytes()), qx::ModuleConfig::kSize);
      }
    }
    plant.close();
    const std::string exe = QX_BUILD_DIR "/qxcommd";
    const std::string plantFile = (dir / "plant.ini").string(), state = (dir / "state").string(),
                      ready = (dir / "ready").string();
    std::vector<std::string> args{exe,    "--plant", plantFile,    "--state", state,    "--port",
                                  "0",    "--latency", "5",        "--ready-file", ready};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&daemon, exe.c_str(), &actions, nullptr, argv.data(), environ) != 0) daemon = -1;
    posix_spawn_file_actions_destroy(&actions);
    // Waits on the daemon's ready file, with a deadline.
    for (auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
         daemon > 0 && port == 0 && std::chrono::steady_clock::now() < until;) {
      std::ifstream in(ready);
      if (!(in >> port)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  ~Plant() {
    if (daemon > 0) {
      kill(daemon, SIGTERM);
      waitpid(daemon, nullptr, 0);
    }
    fs::remove_all(dir);
  }
};

Plant& ThePlant() {
  static Plant plant;
  return plant;
}

double g_j1Seconds = 0;

void BM_Backup(benchmark::State& state) {
  Plant& plant = ThePlant();
  if (plant.port == 0) {
    state.SkipWithError("qxcommd did not start");
    return;
  }
  const int jobs = static_cast<int>(state.range(0));
  double seconds = 0;
  for (auto _ : state) {
    std::ostringstream out, err;
    const auto start = std::chrono::steady_clock::now();
    const int status = qx::cli::RunBackup(plant.projects, plant.port, (plant.dir / "out").string(), jobs,
                                          qx::cli::Streams{out, err, nullptr});
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (status != 0) state.SkipWithError(err.str().c_str());
  }
  seconds /= static_cast<double>(state.iterations());
  state.counters["modules"] = kProjects * kModules;
  if (jobs == 1) g_j1Seconds = seconds;
  if (jobs > 1 && g_j1Seconds > 0) state.counters["speedup_vs_j1"] = g_j1Seconds / seconds;
}
BENCHMARK(BM_Backup)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Backup)->Arg(8)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CheckProject(benchmark::State& state) {
  const fs::path dir = ScratchRoot() / ("qxconf_check_bench_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const fs::path base = dir / "line1";
  WriteProject(base, 1);
  const std::string qx1 = base.string() + ".qx1";
  qx::CreateParameterFile(qx1);
  qx::CProfileFile file;
  file.SetPathName(qx1.c_str());
  const qx::ModuleConfig record = Configuration(16);
  for (int slot = 0; slot < kModules; ++slot) {
    const std::string section = qx::SlotSectionName(1, slot);
    file.WriteString(section.c_str(), "MODULE_ID", "0x5881");
    qx::WriteParameters(record, 0x110, file, 1, slot, "");
  }
  for (auto _ : state) {
    std::ostringstream out, err;
    const int status = qx::cli::RunCheck(base.string(), qx::cli::Streams{out, err, nullptr});
    if (status != 0) state.SkipWithError((out.str() + err.str()).c_str());
  }
  state.counters["modules"] = kModules;
  fs::remove_all(dir);
}
BENCHMARK(BM_CheckProject)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
