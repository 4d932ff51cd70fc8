// What every test program shares: whole-file reads and writes, and a fresh
// temporary folder that is removed with everything in it at the end of its
// scope (as a plain object, or as the fixture TempFolderTest).
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace qx::test {

// The file's bytes; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Replaces the file by bytes, creating its folder first when it is missing.
inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::error_code ignored;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A folder of its own under the system's temporary folder, so that tests run
// side by side (ctest -j) never share a file.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qx_test_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      ADD_FAILURE() << "no temporary folder could be made";
      pattern = "/nonexistent";  // every file operation in it then fails
    }
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of name inside the folder.
  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  // How many entries the folder holds (files left behind show here).
  std::ptrdiff_t Entries() const { return std::distance(std::filesystem::directory_iterator(path_), {}); }

 private:
  std::filesystem::path path_;
};

// A fixture with a fresh temporary folder per test.
class TempFolderTest : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return folder_.Path(name); }

  TempFolder folder_;
};

}  // namespace qx::test
