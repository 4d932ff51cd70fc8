#include "comm/XferKit.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/Crc16.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/SocketIo.h"

namespace qx {
namespace {

constexpr uint32_t kMaxTimeoutMs = 600'000;

// A whole number of milliseconds; anything else keeps the default.
int TimeoutFromEnvironment() {
  const std::optional<uint32_t> ms = ParseWholeNumber(EnvironmentValue("QX_RECV_TIMEOUT_MS").value_or(""));
  return !ms || *ms > kMaxTimeoutMs ? CXferKit::kDefaultTimeoutMs : static_cast<int>(*ms);
}

}  // namespace

CXferKit::CXferKit() : timeoutMs_(TimeoutFromEnvironment()) {}

CXferKit::~CXferKit() {
  for (Connection& c : connections_) Disconnect(c);
}

void CXferKit::SetModbusMode(int mode) {
  modbusMode_ = mode;
}

int CXferKit::GetSocketConnNum() {
  for (int n = 0; n < kMaxConnections; ++n) {
    if (!connections_[n].inUse) {
      connections_[n].inUse = true;
      return n;
    }
  }
  return -1;
}

int CXferKit::OpenSocket(int connection, int /*type*/, int ip, int port, int /*flags*/) {
  if (connection < 0 || connection >= kMaxConnections || !connections_[connection].inUse) return -1;
  Connection& c = connections_[connection];
  Disconnect(c);
  if (port <= 0 || port > 0xFFFF) return -1;
  c.fd = net::ConnectTcp(static_cast<uint32_t>(ip), static_cast<uint16_t>(port),
                         std::chrono::milliseconds(kConnectTimeoutMs));
  return c.fd >= 0 ? 0 : -1;
}

void CXferKit::CloseSocket(int connection) {
  if (connection < 0 || connection >= kMaxConnections) return;
  Disconnect(connections_[connection]);
  connections_[connection].inUse = false;
}

int CXferKit::SendCommMan(int connection, int driverId, int targetIp, int targetPort,
                          const unsigned char* frame, int length) {
  if (length < 0 || static_cast<std::size_t>(length) > envelope::kMaxRequestFrameSize) return -1;
  if (frame == nullptr && length > 0) return -1;
  Connection* c = Open(connection);
  if (c == nullptr) return -1;
  const std::vector<uint8_t> bytes =
      envelope::EncodeRequest(static_cast<uint32_t>(driverId), static_cast<uint32_t>(targetIp),
                              static_cast<uint32_t>(targetPort), {frame, static_cast<std::size_t>(length)});
  // Requests and replies alternate: whatever arrived before this request (a
  // duplicated or late reply, the rest of one) answers no request of ours.
  if (!DiscardPending(*c)) return Break(*c);
  const auto deadline = net::Clock::now() + std::chrono::milliseconds(timeoutMs_);
  // A request sent in part would leave the stream out of step: drop the link.
  if (!net::SendAll(c->fd, bytes.data(), bytes.size(), deadline)) return Break(*c);
  return length;
}

bool CXferKit::DiscardPending(Connection& c) {
  c.have = 0;
  c.answeredByStatus = false;
  uint8_t sink[512];
  for (;;) {
    const ssize_t n = recv(c.fd, sink, sizeof sink, MSG_DONTWAIT);
    if (n > 0) continue;
    if (n < 0 && errno == EINTR) continue;
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);  // 0: the manager hung up
  }
}

int CXferKit::RecvCommMan(int connection, int* status, unsigned char* reply) {
  if (status == nullptr || reply == nullptr) return -1;
  Connection* c = Open(connection);
  if (c == nullptr) return -1;
  // The manager answered this request with a status alone: no frame will
  // follow, so waiting again would only cost the time-out.
  if (c->answeredByStatus) return -1;
  const auto deadline = net::Clock::now() + std::chrono::milliseconds(timeoutMs_);
  for (;;) {
    const envelope::ScanResult scan =
        envelope::ScanEnvelope({c->pending.data(), c->have}, envelope::kKindReply);
    if (envelope::IsMalformed(scan.state)) return Break(*c);
    if (scan.state == envelope::Scan::kComplete) return Deliver(*c, scan.size, status, reply);
    // A reply is never there straight after its request: wait first, then read.
    const net::Wait w = net::WaitFor(c->fd, POLLIN, deadline);
    if (w == net::Wait::kTimeout) return 0;  // the bytes so far wait for the next call
    if (w == net::Wait::kError) return Break(*c);
    // The envelope being received is at most half the room, so there is always room for its rest.
    const ssize_t n = recv(c->fd, c->pending.data() + c->have, c->pending.size() - c->have, 0);
    if (n > 0) {
      c->have += static_cast<std::size_t>(n);
    } else if (n == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) {
      return Break(*c);
    }
  }
}

int CXferKit::Deliver(Connection& c, std::size_t size, int* status, unsigned char* reply) {
  const envelope::Reply r = envelope::DecodeReply({c.pending.data(), size});
  std::memcpy(reply, r.frame.data(), r.frame.size());  // at most 1500 bytes: ScanEnvelope's limit
  *status = r.status;
  std::memmove(c.pending.data(), c.pending.data() + size, c.have - size);
  c.have -= size;
  if (r.frame.empty()) {
    c.answeredByStatus = true;
    return -1;
  }
  return static_cast<int>(r.frame.size());
}

unsigned short CXferKit::GetCRC16(unsigned char* data, int length) {
  if (data == nullptr || length <= 0) return Crc16Modbus(nullptr, 0);
  return Crc16Modbus(data, static_cast<std::size_t>(length));
}

bool CXferKit::AdoptSocket(int connection, int fd) {
  if (connection < 0 || connection >= kMaxConnections || !connections_[connection].inUse || fd < 0)
    return false;
  Connection& c = connections_[connection];
  Disconnect(c);
  if (!net::SetNonBlocking(fd)) return false;
  c.fd = fd;
  return true;
}

CXferKit::Connection* CXferKit::Open(int connection) {
  if (connection < 0 || connection >= kMaxConnections) return nullptr;
  Connection& c = connections_[connection];
  return c.inUse && c.fd >= 0 ? &c : nullptr;
}

void CXferKit::Disconnect(Connection& c) {
  if (c.fd >= 0) close(c.fd);
  c.fd = -1;
  c.have = 0;
  c.answeredByStatus = false;
}

int CXferKit::Break(Connection& c) {
  Disconnect(c);
  return -1;
}

}  // namespace qx
