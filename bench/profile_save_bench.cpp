// Saving and loading one module section of a project's parameter file that
// holds twelve full sections, against the way the platform's profile
// functions work: every key read or written re-reads the whole file, and
// every key written rewrites it.
//
// Both run on the same folder ($QX_BENCH_DIR, else the system's temporary
// folder). After the run the program prints how many times faster our save
// and load are than the baseline's.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "config/ParameterCodec.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace {

constexpr int kRack = 1;
constexpr int kSlot = 5;

// ---- The baseline: one whole-file read (and write) per key ------------------

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteWhole(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool IsHeader(const std::string& line, std::string_view section) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']' &&
         qx::EqualsIgnoreCaseAscii(std::string_view(line).substr(1, line.size() - 2), section);
}

bool IsKey(const std::string& line, std::string_view key) {
  const std::size_t eq = line.find('=');
  return eq != std::string::npos && qx::EqualsIgnoreCaseAscii(std::string_view(line).substr(0, eq), key);
}

// Finds the section's key line: fills the index of the header and of the
// key line (npos when missing) and of the section's last line.
struct Where {
  std::size_t header = std::string::npos, key = std::string::npos, last = std::string::npos;
};

Where Find(const std::vector<std::string>& lines, std::string_view section, std::string_view key) {
  Where w;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (w.header == std::string::npos) {
      if (IsHeader(lines[i], section)) w.header = w.last = i;
      continue;
    }
    if (!lines[i].empty() && lines[i].front() == '[') break;
    if (lines[i].find('=') != std::string::npos) w.last = i;
    if (w.key == std::string::npos && IsKey(lines[i], key)) w.key = i;
  }
  return w;
}

void BaselineWriteKey(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value) {
  std::vector<std::string> lines = SplitLines(ReadWhole(path));
  const Where w = Find(lines, section, key);
  const std::string line = key + "=" + value;
  if (w.key != std::string::npos) {
    lines[w.key] = line;
  } else if (w.header != std::string::npos) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(w.last) + 1, line);
  } else {
    lines.push_back("[" + section + "]");
    lines.push_back(line);
  }
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  WriteWhole(path, text);
}

std::string BaselineReadKey(const std::string& path, const std::string& section, const std::string& key) {
  const std::vector<std::string> lines = SplitLines(ReadWhole(path));
  const Where w = Find(lines, section, key);
  return w.key == std::string::npos ? std::string() : lines[w.key].substr(lines[w.key].find('=') + 1);
}

// ---- The file --------------------------------------------------------------------

qx::ModuleConfig BusyRecord(int seed) {
  qx::ModuleConfig c;
  c.SetDefaults();
  c.SetItemCount(64);
  for (int i = 1; i <= 64; ++i) {
    auto it = c.Item(i);
    it.SetEnabled(2), it.SetSlaveAddress(static_cast<uint16_t>(i)), it.SetIpAddress(0xC0A80100u + i);
    it.SetUpdateCycle(static_cast<uint16_t>(1000 + seed)), it.SetTimeout(500), it.SetFixedValue(100);
    it.ReadBlock().SetQuantity(32), it.ReadBlock().SetRemoteAddress(40001u + i), it.ReadBlock().SetCommand(3);
    it.WriteBlock().SetQuantity(16), it.WriteBlock().SetRemoteAddress(41001u + i),
        it.WriteBlock().SetCommand(16);
  }
  for (int r = 1; r <= 8; ++r) c.SetRecipientAddress(r, "operator" + std::to_string(r) + "@plant.example");
  for (int t = 1; t <= 8; ++t) c.Trigger(t).SetTriggerName("Trigger " + std::to_string(t));
  return c;
}

class BenchFile {
 public:
  BenchFile() {
    const std::string base =
        qx::EnvironmentValue("QX_BENCH_DIR").value_or(std::filesystem::temp_directory_path().string());
    std::string tmpl = (std::filesystem::path(base) /
                        "qx_bench_XXXXXX")
                           .string();
    if (!mkdtemp(tmpl.data())) std::abort();
    dir_ = tmpl;
  }
  ~BenchFile() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  // A new parameter file with twelve full sections.
  std::string Make(const std::string& name) const {
    const std::string path = dir_ + "/" + name;
    qx::CreateParameterFile(path);
    qx::CProfileFile file;
    file.SetPathName(path.c_str());
    for (int slot = 0; slot < 12; ++slot) qx::WriteParameters(BusyRecord(slot), 0, file, kRack, slot, "");
    return path;
  }

 private:
  std::string dir_;
};

const BenchFile& Files() {
  static const BenchFile files;
  return files;
}

// ---- Benchmarks ------------------------------------------------------------------------

void BM_SaveSection(benchmark::State& state) {
  const std::string path = Files().Make("save.qx1");
  qx::CProfileFile file;
  file.SetPathName(path.c_str());
  qx::ModuleConfig record = BusyRecord(kSlot);
  uint16_t n = 0;
  for (auto _ : state) {
    record.SetEnableCondition(n++ % 3);  // a real change every time
    if (!qx::WriteParameters(record, 0, file, kRack, kSlot, "")) state.SkipWithError("save failed");
  }
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

void BM_BaselineSaveSection(benchmark::State& state) {
  const std::string path = Files().Make("baseline_save.qx1");
  qx::ModuleConfig record = BusyRecord(kSlot);
  const std::string section = qx::SlotSectionName(kRack, kSlot);
  uint16_t n = 0;
  for (auto _ : state) {
    record.SetEnableCondition(n++ % 3);
    for (const auto& [key, value] : qx::ParameterValues(record)) BaselineWriteKey(path, section, key, value);
  }
}

void BM_LoadSection(benchmark::State& state) {
  const std::string path = Files().Make("load.qx1");
  qx::ModuleConfig record;
  for (auto _ : state) {
    qx::CProfileFile file;  // a fresh object: the file is read and parsed once per load
    file.SetPathName(path.c_str());
    benchmark::DoNotOptimize(qx::ReadParameters(record, file, kRack, kSlot, ""));
  }
}

void BM_BaselineLoadSection(benchmark::State& state) {
  const std::string path = Files().Make("baseline_load.qx1");
  const std::string section = qx::SlotSectionName(kRack, kSlot);
  qx::ModuleConfig record;
  record.SetDefaults();
  const auto keys = qx::ParameterValues(record);
  for (auto _ : state) {
    for (const auto& kv : keys) benchmark::DoNotOptimize(BaselineReadKey(path, section, kv.first));
  }
}

BENCHMARK(BM_SaveSection)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselineSaveSection)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadSection)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselineLoadSection)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's real time per iteration for the comparison.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        times_[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatio(const char* what, const std::string& ours, const std::string& baseline) const {
    const auto a = times_.find(ours), b = times_.find(baseline);
    if (a == times_.end() || b == times_.end() || a->second <= 0) return;
    std::printf("%s: ours %.1f us, baseline %.1f us, %.1fx faster\n", what, a->second * 1e6, b->second * 1e6,
                b->second / a->second);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("save one section", "BM_SaveSection", "BM_BaselineSaveSection");
  reporter.PrintRatio("load one section", "BM_LoadSection", "BM_BaselineLoadSection");
  benchmark::Shutdown();
  return 0;
}
