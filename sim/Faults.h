// Faults: misbehaviour qxcommd injects on purpose, so tests can see how the
// plug-in copes with a manager that drops, delays or damages replies.
// Requests are numbered from 1 in the order the daemon receives them, over
// all connections. A fault is planned for one request number, or drawn at
// random for every request with a given rate and seed (reproducible).
//
// Kinds, as written on the command line ("N:kind[:arg]"):
//   drop            the request is executed, its reply is never sent
//   delay:MS        the request is executed, its reply is sent MS ms later
//   status[:CODE]   the request is not executed; the reply looks normal but
//                   carries status CODE (default 0x0101)
//   echo            the request is executed; the reply's operation is the
//                   other one (read <-> write)
//   truncate[:N]    the request is executed; the reply frame is cut to its
//                   first N bytes (default 2)
//   malformed       the request is executed; the reply envelope has a wrong magic
//   close           the request is not executed; the connection is closed
//   dup             the request is executed; its reply is sent twice
//   empty           the request is executed; the reply carries its status
//                   and an empty frame
//   trickle:MS      the request is executed; the reply goes out a few bytes
//                   at a time, MS ms apart
// Random faults use the defaults, delay:100 and trickle:10.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace qx::sim {

enum class FaultKind { kNone, kDrop, kDelay, kStatus, kEcho, kTruncate, kMalformed, kClose, kDup, kEmpty, kTrickle };

struct Fault {
  FaultKind kind = FaultKind::kNone;
  uint32_t value = 0;  // delay or trickle pause in ms, status code, or kept frame bytes
  bool operator==(const Fault&) const = default;
};

// "drop", "delay:250", "status:0x0102", ...; nullopt when not a fault.
std::optional<Fault> ParseFault(std::string_view text);
// "N:kind[:arg]" with N >= 1.
std::optional<std::pair<int, Fault>> ParseFaultOption(std::string_view text);
std::string FaultName(const Fault& fault);

class FaultPlan {
 public:
  // False when the request number already has a fault.
  bool Add(int requestNumber, Fault fault);
  // REQUIRES: 0 <= rate <= 1.
  void SetRandom(double rate, uint32_t seed);
  // The planned fault of the request, else a random draw, else none.
  Fault For(int requestNumber);

 private:
  std::map<int, Fault> planned_;
  double rate_ = 0;
  std::mt19937 rng_{1};
};

}  // namespace qx::sim
