// What the qxconf tests share: running a command as the tool runs it, in the
// fixture folder tests/data/cli (so that file names in the output are the
// short names given); scratch folders and whole-file reads and writes come
// from TestSupport.h.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "cli/Commands.h"
#include "cli/Sources.h"
#include "tests/support/TestSupport.h"

namespace qx::cli::test {

namespace fs = std::filesystem;
using qx::test::ReadFile;
using qx::test::TempFolder;
using qx::test::WriteFile;

inline const fs::path kFixtures = fs::path(QX_TEST_DATA) / "cli";

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs command in folder (the fixture folder unless given) with streams of
// its own; the module description comes from the build's data folder.
inline Outcome RunIn(const std::function<int(Streams)>& command, const fs::path& folder = kFixtures) {
  setenv("QX_COMMON_APPDATA", QX_BUILD_DIR "/data", 1);
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  std::ostringstream out, err;
  const int status = command(Streams{out, err, nullptr});
  fs::current_path(previous);
  return {status, out.str(), err.str()};
}

// The record of the module at position in project line1 of folder.
inline ModuleConfig ProjectRecord(const fs::path& folder, const std::string& position) {
  std::string error;
  const auto m = LoadProjectModule((folder / "line1").string(), position, error);
  EXPECT_TRUE(m) << error;
  return m ? m->record : ModuleConfig{};
}

}  // namespace qx::cli::test
