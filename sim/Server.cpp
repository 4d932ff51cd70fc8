#include "sim/Server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "comm/Envelope.h"
#include "comm/Frames.h"
#include "platform/SocketIo.h"
#include "sim/ModuleService.h"

namespace qx::sim {
namespace {

constexpr std::size_t kMaxConnections = 64;
constexpr std::size_t kReadChunk = 4096;
constexpr std::size_t kMaxQueuedReplies = 64;
constexpr std::size_t kTrickleBytes = 4;  // a trickled reply goes out this many bytes at a time

const char* OpName(uint16_t op) {
  return op == frames::kOpRead ? "read" : op == frames::kOpWrite ? "write" : "unknown";
}

}  // namespace

Server::Server(Plant& plant, FaultPlan faults, bool trace)
    : plant_(plant), faults_(std::move(faults)), trace_(trace) {
  if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) wake_[0] = wake_[1] = -1;
}

Server::~Server() {
  for (Connection& c : connections_) close(c.fd);
  if (listen_ >= 0) close(listen_);
  for (int fd : wake_) {
    if (fd >= 0) close(fd);
  }
}

bool Server::Listen(int port, std::string& error) {
  if (wake_[0] < 0) {
    error = "cannot create the wake-up pipe";
    return false;
  }
  if (port < 0 || port > 0xFFFF) {
    error = "port " + std::to_string(port) + " is out of range";
    return false;
  }
  listen_ = net::ListenLoopback(static_cast<uint16_t>(port), &port_);
  if (listen_ < 0) {
    error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void Server::Stop() {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = write(wake_[1], &byte, 1);
}

void Server::Run() {
  std::vector<pollfd> fds;
  for (;;) {
    const Clock::time_point now = Clock::now();
    fds.clear();
    fds.push_back({wake_[0], POLLIN, 0});
    fds.push_back({listen_, POLLIN, 0});
    for (const Connection& c : connections_) {
      const bool sendable = !c.out.empty() && c.out.front().due <= now;
      // A client that does not read its replies is not read from either.
      const bool readable = c.out.size() < kMaxQueuedReplies;
      fds.push_back({c.fd, static_cast<short>((readable ? POLLIN : 0) | (sendable ? POLLOUT : 0)), 0});
    }
    if (poll(fds.data(), fds.size(), PollTimeout(now)) < 0 && errno != EINTR) break;
    if (fds[0].revents != 0) break;
    // Only the connections polled above; Accept appends new ones after them.
    for (std::size_t i = 0; i + 2 < fds.size(); ++i) {
      if (fds[i + 2].revents & (POLLIN | POLLHUP | POLLERR)) Receive(connections_[i]);
      Flush(connections_[i]);
    }
    if (fds[1].revents & POLLIN) Accept();
    std::erase_if(connections_, [this](const Connection& c) {
      if (!c.closing) return false;
      Trace("c%d closed", c.id);
      close(c.fd);
      return true;
    });
  }
  for (Connection& c : connections_) close(c.fd);
  connections_.clear();
}

int Server::PollTimeout(Clock::time_point now) const {
  int timeout = -1;
  for (const Connection& c : connections_) {
    if (c.out.empty() || c.out.front().due <= now) continue;
    const int ms = net::PollTimeoutMs(c.out.front().due);
    timeout = timeout < 0 ? ms : std::min(timeout, ms);
  }
  return timeout;
}

void Server::Accept() {
  for (;;) {
    const int fd = accept4(listen_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    if (connections_.size() >= kMaxConnections) {
      close(fd);
      continue;
    }
    net::SetNoDelay(fd);
    connections_.push_back(Connection{fd, nextId_++});
    Trace("c%d accepted", connections_.back().id);
  }
}

void Server::Receive(Connection& c) {
  uint8_t chunk[kReadChunk];
  while (!c.closing) {
    const ssize_t n = recv(c.fd, chunk, sizeof chunk, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (n <= 0) {
      c.closing = true;
      return;
    }
    c.in.insert(c.in.end(), chunk, chunk + n);
    const bool drained = static_cast<std::size_t>(n) < sizeof chunk;
    // Whole envelopes are handled at once, so at most one partial envelope is kept.
    for (;;) {
      const envelope::ScanResult scan = envelope::ScanEnvelope(c.in, envelope::kKindRequest);
      if (envelope::IsMalformed(scan.state)) {
        Trace("c%d sent a malformed envelope", c.id);
        c.closing = true;
        return;
      }
      if (scan.state != envelope::Scan::kComplete) break;
      Handle(c, {c.in.data(), scan.size});
      c.in.erase(c.in.begin(), c.in.begin() + static_cast<std::ptrdiff_t>(scan.size));
      if (c.closing) return;
    }
    // A short read emptied the socket; poll reports anything newer.
    if (drained) return;
  }
}

void Server::Handle(Connection& c, std::span<const uint8_t> bytes) {
  const int number = ++requests_;
  const envelope::Request request = envelope::DecodeRequest(bytes);
  const std::span<const uint8_t> f = request.frame;
  if (const auto r = frames::ParseRequest(f)) {
    Trace("#%d c%d -> %s station %u rack %u slot %u address 0x%08X count %u (%zu bytes)", number, c.id,
          OpName(r->operation), r->station, r->rack, r->slotNumber, r->address, r->count, f.size());
  } else {
    Trace("#%d c%d -> short frame (%zu bytes)", number, c.id, f.size());
  }

  const Fault fault = faults_.For(number);
  if (fault.kind != FaultKind::kNone) Trace("#%d fault %s", number, FaultName(fault).c_str());
  if (fault.kind == FaultKind::kClose) {
    c.closing = true;
    return;
  }
  Answer answer = Serve(plant_, f, fault.kind != FaultKind::kStatus);
  if (!answer.error.empty()) std::fprintf(stderr, "qxcommd: %s\n", answer.error.c_str());
  switch (fault.kind) {
    case FaultKind::kDrop:
      return;
    case FaultKind::kStatus:
      answer.status = static_cast<uint16_t>(fault.value);
      break;
    case FaultKind::kEcho:
      // 'T' (read) and 'S' (write) differ in these bits.
      answer.frame[frames::kOpOffset + 1] ^= 0x07;
      break;
    case FaultKind::kTruncate:
      answer.frame.resize(std::min<std::size_t>(answer.frame.size(), fault.value));
      break;
    case FaultKind::kEmpty:
      answer.frame.clear();
      break;
    default:
      break;
  }
  std::vector<uint8_t> reply = envelope::EncodeReply(answer.status, answer.frame);
  if (fault.kind == FaultKind::kMalformed) reply[3] ^= 0xFF;
  Trace("#%d c%d <- status 0x%04X frame %zu bytes", number, c.id, answer.status, answer.frame.size());
  Clock::time_point due = Clock::now() + latency_;
  if (fault.kind == FaultKind::kDelay) due += std::chrono::milliseconds(fault.value);
  // Both copies go out in one write, so the second is on the wire before the
  // plug-in can send its next request.
  if (fault.kind == FaultKind::kDup) {
    const std::vector<uint8_t> copy = reply;
    reply.insert(reply.end(), copy.begin(), copy.end());
  }
  if (fault.kind == FaultKind::kTrickle) {
    for (std::size_t at = 0; at < reply.size(); at += kTrickleBytes) {
      const auto piece = reply.begin() + static_cast<std::ptrdiff_t>(at);
      c.out.push_back({due, std::vector<uint8_t>(piece, piece + static_cast<std::ptrdiff_t>(
                                                                    std::min(kTrickleBytes, reply.size() - at)))});
      due += std::chrono::milliseconds(fault.value);
    }
    return;
  }
  c.out.push_back({due, std::move(reply)});
}

void Server::Flush(Connection& c) {
  while (!c.closing && !c.out.empty() && c.out.front().due <= Clock::now()) {
    const std::vector<uint8_t>& bytes = c.out.front().bytes;
    const ssize_t n = send(c.fd, bytes.data() + c.headSent, bytes.size() - c.headSent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (n <= 0) {
      c.closing = true;
      return;
    }
    c.headSent += static_cast<std::size_t>(n);
    if (c.headSent == bytes.size()) {
      c.out.pop_front();
      c.headSent = 0;
    }
  }
}

void Server::Trace(const char* format, ...) const {
  if (!trace_) return;
  va_list args;
  va_start(args, format);
  std::fprintf(stderr, "qxcommd: ");
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
  va_end(args);
}

}  // namespace qx::sim
