// The show-dialog call up to the window on a project of twelve KM31QX-2C
// modules: target settings, language, reconciliation of the parameter file
// and loading the module's section. The host waits on this before the
// window appears; it should stay well under 20 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/ModuleConfigApp.h"
#include "config/ParameterCodec.h"

namespace {

namespace fs = std::filesystem;

struct Project {
  Project() {
    std::string pattern = (fs::temp_directory_path() / "qx_bench_XXXXXX").string();
    folder = mkdtemp(pattern.data());
    base = folder + "/line1";
    std::ofstream ini(base + ".ini", std::ios::binary);
    ini << "[HW_CFG]\nRACK_ID1=KR-B12\nRACK_ID2=0\n[COM_MAN]\nTARGET_STATION=1\nTARGET_IP=192.168.10.20\n";
    for (int slot = 0; slot < 12; ++slot) {
      ini << "[SLOT1" << slot << "]\nMODULE_ID=0x5881\nSYNCH_ID=" << 100 + slot << "\nFWVER=110\n";
    }
    setenv("QX_COMMON_APPDATA", QX_BUILD_DIR "/data", 1);
    setenv("QX_HEADLESS", "1", 1);
    app.InitInstance();
  }
  ~Project() { fs::remove_all(folder); }

  std::string folder;
  std::string base;
  qx::CModuleConfigApp app;
};

// The parameter file already in step with the project: read and reconciled,
// nothing to write.
void BM_PrepareSettledProject(benchmark::State& state) {
  Project p;
  p.app.PrepareDialogSession(p.base, "13", 0x0409, 0x110);
  for (auto _ : state) {
    benchmark::DoNotOptimize(p.app.PrepareDialogSession(p.base, "13", 0x0409, 0x110));
  }
}
BENCHMARK(BM_PrepareSettledProject)->Unit(benchmark::kMillisecond);

// A parameter file with its twelve empty sections: reconciliation writes a
// section for every module and saves once.
void BM_PrepareTwelveNewSections(benchmark::State& state) {
  Project p;
  const std::string file = p.base + ".qx1";
  for (auto _ : state) {
    state.PauseTiming();
    qx::CreateParameterFile(file);
    state.ResumeTiming();
    benchmark::DoNotOptimize(p.app.PrepareDialogSession(p.base, "13", 0x0409, 0x110));
  }
}
BENCHMARK(BM_PrepareTwelveNewSections)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
