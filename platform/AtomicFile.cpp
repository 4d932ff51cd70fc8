#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/MemoryFiles.h"

namespace qx {
namespace {

std::string DirName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == path.npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == path.npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Creates a new file next to path that no one else uses; -1 on failure.
int CreateTemporary(const std::string& path, std::string& name) {
  static std::atomic<unsigned> counter{0};
  const std::string prefix =
      DirName(path) + "/.~" + BaseName(path).substr(0, 120) + "." + std::to_string(::getpid()) + ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = prefix + std::to_string(counter++) + ".tmp";
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// A path that is a symbolic link saves into the file it points to, so that
// the link stays.
std::string ResolveLink(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  if (char* target = ::realpath(path.c_str(), nullptr)) {
    std::string resolved(target);
    std::free(target);
    return resolved;
  }
  // A link to nothing yet: the file is created where it points, never in
  // place of the link (a missing folder there fails the write).
  std::string target(PATH_MAX, '\0');
  const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return path;
  target.resize(static_cast<std::size_t>(n));
  if (target.front() == '/') return target;
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? target : path.substr(0, slash + 1) + target;
}

bool Fail(std::string* error, const std::string& what) {
  if (error != nullptr) *error = what + ": " + std::strerror(errno);
  return false;
}

// The folder takes no new file, the file itself may be written: rewrite it.
bool RewriteInPlace(const std::string& path, std::string_view bytes, std::string* error, Durability durability) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return Fail(error, "cannot write " + path);
  bool ok = WriteAll(fd, bytes);
  if (ok && durability == Durability::kSynced) ok = ::fsync(fd) == 0;
  const int saved = errno;
  ok = (::close(fd) == 0) && ok;
  if (!ok) errno = saved;
  return ok || Fail(error, "cannot write " + path);
}

}  // namespace

bool WriteFileAtomically(const std::string& link, std::string_view bytes, std::string* error,
                         Durability durability) {
  if (link.empty()) {
    if (error != nullptr) *error = "no file name";
    return false;
  }
  if (MemoryFiles* memory = MemoryFiles::Active()) {
    memory->Put(link, bytes);
    return true;
  }
  const std::string path = ResolveLink(link);
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists) {
    errno = EISDIR;
    if (!S_ISREG(old.st_mode)) return Fail(error, path + " is not a file");
    // A file marked read-only stays so, even for a process that could write it.
    errno = EACCES;
    if ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) return Fail(error, path + " is read-only");
  }
  std::string temp;
  const int fd = CreateTemporary(path, temp);
  if (fd < 0) {
    if (exists && (errno == EACCES || errno == EPERM || errno == EROFS)) {
      return RewriteInPlace(path, bytes, error, durability);
    }
    return Fail(error, "cannot create a temporary file beside " + path);
  }
  bool ok = WriteAll(fd, bytes);
  if (ok && exists) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  if (ok && durability == Durability::kSynced) ok = ::fsync(fd) == 0;
  int saved = errno;
  ok = (::close(fd) == 0) && ok;
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    errno = saved;
    return Fail(error, "cannot write " + path);
  }
  return true;
}

}  // namespace qx
