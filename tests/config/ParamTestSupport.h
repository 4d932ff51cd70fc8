// Helpers of the parameter-file tests: a temporary folder removed at the end
// of the test, whole-file reads, lines and the fixtures' folder.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace qx::testing {

class TempDir {
 public:
  TempDir() : path_((std::filesystem::temp_directory_path() / "qx_params_XXXXXX").string()) {
    if (!mkdtemp(path_.data())) path_ = "/nonexistent";  // every file operation then fails
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline std::string Fixture(const std::string& name) {
  return std::string(QX_TEST_DATA) + "/params/" + name;
}

// Lines split at LF, a CR before the LF dropped.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line); lines.push_back(line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
  }
  return lines;
}

}  // namespace qx::testing
