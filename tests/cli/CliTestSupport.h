// What the qxconf tests share: running a command as the tool runs it, in the
// fixture folder tests/data/cli (so that file names in the output are the
// short names given), and a scratch folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "cli/Commands.h"

namespace qx::cli::test {

namespace fs = std::filesystem;

inline const fs::path kFixtures = fs::path(QX_TEST_DATA) / "cli";

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs command in the fixture folder with streams of its own; the module
// description comes from the build's data folder.
inline Outcome RunIn(const fs::path& folder, const std::function<int(Streams)>& command) {
  setenv("QX_COMMON_APPDATA", QX_BUILD_DIR "/data", 1);
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  std::ostringstream out, err;
  Outcome r;
  r.status = command(Streams{out, err, nullptr});
  fs::current_path(previous);
  r.out = out.str();
  r.err = err.str();
  return r;
}

inline Outcome RunInFixtures(const std::function<int(Streams)>& command) {
  return RunIn(kFixtures, command);
}

// A fresh scratch folder per test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    path_ = fs::path(testing::TempDir()) / ("qxconf_" + std::string(info->name()) + "_" + std::to_string(getpid()));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace qx::cli::test
