#include "sim/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace qx::sim {

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string& error) {
  const std::string temp = path + ".tmp." + std::to_string(getpid());
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = "cannot create " + temp + ": " + std::strerror(errno);
    return false;
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  // No fsync: the rename already keeps a crashed simulator from leaving half
  // a file, and a sync per accepted write would dominate every transfer.
  const bool written = done == bytes.size() && close(fd) == 0;
  if (!written || std::rename(temp.c_str(), path.c_str()) != 0) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    if (done != bytes.size()) close(fd);
    unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace qx::sim
