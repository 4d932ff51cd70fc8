// What the file-reading fuzz targets share: a scratch folder of the process,
// and the record's invariants that no file may break.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "config/ModuleConfig.h"

namespace qx::fuzz {

inline void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// A folder of this process, in memory where the system offers one: every
// run saves files, and a save syncs the file to its disk. Removed at exit.
inline const std::string& WorkDir() {
  static std::string dir;
  if (dir.empty()) {
    std::error_code ec;
    const bool shm = std::filesystem::is_directory("/dev/shm", ec);
    std::string pattern = shm ? "/dev/shm/qx_fuzz_XXXXXX" : "/tmp/qx_fuzz_XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    dir = pattern;
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(dir, ignored);
    });
  }
  return dir;
}

// The two values the reader brings into range stay inside their lists, so
// that pages, writers and transfers can index by them. Length bytes are data
// stored as the file holds them: every text ends at its first NUL or at its
// field's end, whatever its length byte says.
inline void CheckInvariants(const ModuleConfig& c) {
  Check(c.ItemCount() <= layout::kMaxItems);
  Check(c.PasswordText().size() <= ModuleConfig::kPasswordTextSize);
  Check(c.Subject().size() <= ModuleConfig::kSubjectSize);
  for (int t = 1; t <= layout::kTriggers; ++t) {
    const auto trig = c.Trigger(t);
    Check(trig.TriggerMode() <= 3);
    Check(trig.TriggerName().size() <= trig.kTriggerNameSize);
    Check(trig.UserMessage().size() <= trig.kUserMessageSize);
  }
}

}  // namespace qx::fuzz
