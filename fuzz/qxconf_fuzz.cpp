// Fuzzes qxconf's readers of a parameter or export file: the first module
// section found is checked, dumped as text and JSON and compared with the
// defaults. The first input byte chooses the file name (odd: "in.ini", the
// old hex form; even: "in.qx1"); the rest is the file. Whatever it holds,
// nothing may crash, every finding names a line of the file or none, and
// the record's invariants hold.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "cli/Check.h"
#include "cli/Diff.h"
#include "cli/Dump.h"
#include "cli/Sources.h"
#include "fuzz/FuzzSupport.h"

using qx::fuzz::Check;
using qx::fuzz::CheckInvariants;
using qx::fuzz::WorkDir;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string input = WorkDir() + ((data[0] & 1) ? "/in.ini" : "/in.qx1");
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  std::size_t lines = 1;
  for (std::size_t i = 1; i < size; ++i) lines += data[i] == '\n' || data[i] == '\r';

  std::string error;
  const auto modules = qx::cli::LoadFileModules(input, error);
  if (!modules) {
    Check(!error.empty());
    return 0;
  }
  qx::ModuleConfig defaults;
  defaults.SetDefaults();
  const qx::cli::CheckedFile file(input);
  for (const qx::cli::ModuleSource& m : *modules) {
    CheckInvariants(m.record);
    for (const qx::cli::Finding& f : qx::cli::CheckModule(m, qx::cli::LimitsFor(m, std::nullopt), file)) {
      Check(f.line >= 0 && static_cast<std::size_t>(f.line) <= lines && !f.reason.empty());
    }
    Check(!qx::cli::DumpText(m).empty());
    const std::string json = qx::cli::DumpJson(m);
    Check(json.front() == '{' && json[json.size() - 2] == '}');
    for (const qx::cli::Difference& d : qx::cli::DiffRecords(defaults, m.record)) Check(!d.field.empty());
    break;  // the first module only: the others take the same roads, and runs stay short
  }
  return 0;
}
