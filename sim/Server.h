// Server: qxcommd's network side. One thread runs a poll loop that accepts
// connections on 127.0.0.1, reassembles request envelopes, hands each frame
// to the module service, applies the fault plan and sends the replies in
// order, each connection independently. A connection that sends a
// malformed envelope (wrong magic or kind, body outside its limits) is
// closed: the stream cannot be brought back into step.
//
// Lifetime: the plant must outlive the server. Run blocks until Stop.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "sim/Faults.h"
#include "sim/Plant.h"

namespace qx::sim {

class Server {
 public:
  // trace: one line per request and per reply on standard error.
  Server(Plant& plant, FaultPlan faults, bool trace = false);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Binds 127.0.0.1:port (0: any free port). False with a message on failure.
  bool Listen(int port, std::string& error);
  int Port() const { return port_; }

  // Serves until Stop (or a byte written to WakeFd); then closes every
  // connection, dropping replies not yet sent.
  void Run();
  // Callable from any thread.
  void Stop();
  // Writing one byte here stops Run: what a signal handler may do.
  int WakeFd() const { return wake_[1]; }

  int RequestsReceived() const { return requests_.load(); }

  // Every reply is due this long after its request arrived, as over a slow
  // network. Replies wait in their own connection's queue, so a delayed
  // reply never holds up another connection. Set before Run.
  void SetLatency(std::chrono::milliseconds latency) { latency_ = latency; }

 private:
  using Clock = std::chrono::steady_clock;
  struct Outgoing {
    Clock::time_point due;
    std::vector<uint8_t> bytes;
  };
  struct Connection {
    int fd = -1;
    int id = 0;
    std::vector<uint8_t> in;
    std::deque<Outgoing> out;
    std::size_t headSent = 0;
    bool closing = false;
  };

  int PollTimeout(Clock::time_point now) const;
  void Accept();
  void Receive(Connection& c);
  void Handle(Connection& c, std::span<const uint8_t> envelope);
  void Flush(Connection& c);
  void Trace(const char* format, ...) const __attribute__((format(printf, 2, 3)));

  Plant& plant_;
  FaultPlan faults_;
  bool trace_;
  std::chrono::milliseconds latency_{0};
  int listen_ = -1;
  int port_ = 0;
  int wake_[2] = {-1, -1};
  std::atomic<int> requests_{0};
  int nextId_ = 1;
  std::vector<Connection> connections_;
};

}  // namespace qx::sim
