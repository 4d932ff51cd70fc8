// SocketIo: the few POSIX socket steps that CXferKit, the simulator and the
// tests share. Every socket made here is non-blocking, every wait is bounded
// by a deadline, and nothing raises SIGPIPE.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace qx::net {

using Clock = std::chrono::steady_clock;

enum class Wait { kReady, kTimeout, kError };

// Milliseconds until deadline for poll(), rounded up; 0 once it has passed.
int PollTimeoutMs(Clock::time_point deadline);

bool SetNonBlocking(int fd);
// Small request and reply messages go out at once rather than waiting for
// an acknowledgement (Nagle's algorithm off).
void SetNoDelay(int fd);

// A non-blocking TCP socket connected to ip:port (ip in host byte order),
// or -1 when no connection was made within timeout.
int ConnectTcp(uint32_t ip, uint16_t port, std::chrono::milliseconds timeout);

// A non-blocking socket listening on 127.0.0.1:port (0: any free port), or
// -1; *boundPort receives the port actually bound.
int ListenLoopback(uint16_t port, int* boundPort);

// Waits until fd is ready for events (POLLIN or POLLOUT); a hang-up or error
// condition counts as ready so that the next read or write reports it.
Wait WaitFor(int fd, short events, Clock::time_point deadline);

// Writes all size bytes by the deadline; false on error or time-out.
bool SendAll(int fd, const uint8_t* data, std::size_t size, Clock::time_point deadline);

}  // namespace qx::net
