#include "platform/Paths.h"

#include <dlfcn.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/MemoryFiles.h"

#ifndef QX_INSTALL_SHARE
#define QX_INSTALL_SHARE "/usr/local/share"
#endif
#ifndef QX_INSTALL_PLUGINDIR
#define QX_INSTALL_PLUGINDIR "lib/km31qx2c"
#endif
#ifndef QX_INSTALL_BINDIR
#define QX_INSTALL_BINDIR "bin"
#endif
#ifndef QX_INSTALL_DATADIR
#define QX_INSTALL_DATADIR "share"
#endif

namespace qx {

std::optional<std::string> EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

namespace {

// The file this code was loaded from: the plug-in library when it runs
// inside a host, else the program.
std::string LoadedFrom() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&LoadedFrom), &info) == 0 || info.dli_fname == nullptr) return "";
  char resolved[PATH_MAX];
  if (::realpath(info.dli_fname, resolved) == nullptr) return "";
  return resolved;
}

}  // namespace

std::string InstalledShareFolder(const std::string& loadedFrom) {
  const std::size_t slash = loadedFrom.rfind('/');
  if (slash == std::string::npos) return "";
  const std::string folder = loadedFrom.substr(0, slash);
  for (const std::string& suffix : {std::string("/") + QX_INSTALL_PLUGINDIR, std::string("/") + QX_INSTALL_BINDIR}) {
    if (folder.size() > suffix.size() && folder.compare(folder.size() - suffix.size(), suffix.size(), suffix) == 0) {
      return folder.substr(0, folder.size() - suffix.size()) + "/" + QX_INSTALL_DATADIR;
    }
  }
  return "";
}

std::string CommonAppDataFolder() {
  std::string folder = EnvironmentValue("QX_COMMON_APPDATA").value_or("");
  if (folder.empty()) folder = InstalledShareFolder(LoadedFrom());
  if (folder.empty()) folder = QX_INSTALL_SHARE;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

bool PathExists(const std::string& path) {
  if (const MemoryFiles* memory = MemoryFiles::Active()) return memory->Find(path) != nullptr;
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

std::string ExecutableFolder() {
  std::vector<char> buffer(4096);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return ".";
  std::string path(buffer.data(), static_cast<std::size_t>(n));
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string UnwritableReason(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode)) return "it is not a regular file";
    if ((info.st_mode & 0222) == 0) return "the file is read-only";
    if (::access(path.c_str(), W_OK) != 0) return std::strerror(errno);
  }
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return "its folder: " + std::string(std::strerror(errno));
  return "the file system refused the write";
}

}  // namespace qx
