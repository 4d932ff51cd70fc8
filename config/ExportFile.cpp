#include "config/ExportFile.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "config/ParameterCodec.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

constexpr int kNameAttempts = 100;

// Creates an empty file with a name no file of the folder has, beside path:
// ".<name>.<random>.export". Exclusive creation ("x") never opens a file that
// exists, so a name someone else took is simply skipped. Empty when none
// could be made.
std::string CreateFreshFileBeside(const std::string& path) {
  const fs::path chosen(path);
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%012llx.export",
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
    const fs::path fresh = chosen.parent_path() / ("." + chosen.filename().string() + suffix);
    if (std::FILE* file = std::fopen(fresh.c_str(), "wx")) {
      const bool closed = std::fclose(file) == 0;
      if (closed) return fresh.string();
      std::error_code ignored;
      fs::remove(fresh, ignored);
      return "";
    }
    std::error_code error;
    if (!fs::exists(fresh, error)) return "";  // not a name clash: the folder refuses new files
  }
  return "";
}

}  // namespace

bool ExportParameterFile(const ModuleConfig& record, uint32_t firmwareVersion, CProfileFile& scratch,
                         const std::string& path) {
  if (path.empty()) return false;
  const std::string fresh = CreateFreshFileBeside(path);
  if (fresh.empty()) return false;
  // The profile file saves by writing a temporary file, syncing it to the
  // disk and renaming it over the fresh one, so the bytes are on the disk
  // before the fresh file takes the chosen name.
  bool written = WriteParameters(record, firmwareVersion, scratch, 0, 0, fresh);
  std::error_code error;
  if (written) {
    fs::rename(fresh, path, error);
    written = !error;
  }
  if (!written) fs::remove(fresh, error);
  return written;
}

}  // namespace qx
