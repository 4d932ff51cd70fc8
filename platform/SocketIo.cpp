#include "platform/SocketIo.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace qx::net {

int PollTimeoutMs(Clock::time_point deadline) {
  const auto left = deadline - Clock::now();
  if (left <= Clock::duration::zero()) return 0;
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
  return ms > 1'000'000'000 ? 1'000'000'000 : static_cast<int>(ms);
}

bool SetNonBlocking(int fd) {
  const int flags = fcntl(fd, F_GETFL, 0);
  return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

void SetNoDelay(int fd) {
  int one = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

Wait WaitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd p{fd, events, 0};
    const int n = poll(&p, 1, PollTimeoutMs(deadline));
    if (n > 0) return Wait::kReady;  // POLLHUP/POLLERR included: the next call reports them
    if (n == 0) return Wait::kTimeout;
    if (errno != EINTR) return Wait::kError;
  }
}

int ConnectTcp(uint32_t ip, uint16_t port, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(ip);
  int rc = connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a);
  if (rc != 0 && errno == EINPROGRESS && WaitFor(fd, POLLOUT, deadline) == Wait::kReady) {
    int err = 0;
    socklen_t len = sizeof err;
    rc = (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0) ? 0 : -1;
  }
  if (rc != 0) {
    close(fd);
    return -1;
  }
  SetNoDelay(fd);
  return fd;
}

int ListenLoopback(uint16_t port, int* boundPort) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  int one = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  if (bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 || listen(fd, 16) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
    close(fd);
    return -1;
  }
  if (boundPort != nullptr) *boundPort = ntohs(a.sin_port);
  return fd;
}

bool SendAll(int fd, const uint8_t* data, std::size_t size, Clock::time_point deadline) {
  std::size_t sent = 0;
  while (sent < size) {
    const ssize_t n = send(fd, data + sent, size - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (WaitFor(fd, POLLOUT, deadline) != Wait::kReady) return false;
      continue;
    }
    return false;
  }
  return true;
}

}  // namespace qx::net
