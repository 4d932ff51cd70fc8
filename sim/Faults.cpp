#include "sim/Faults.h"

#include <array>

#include "platform/Numbers.h"

namespace qx::sim {
namespace {

struct KindInfo {
  std::string_view name;
  FaultKind kind;
  bool takesValue;
  uint32_t defaultValue;
};

constexpr std::array<KindInfo, 10> kKinds{{
    {"drop", FaultKind::kDrop, false, 0},
    {"delay", FaultKind::kDelay, true, 100},
    {"status", FaultKind::kStatus, true, 0x0101},
    {"echo", FaultKind::kEcho, false, 0},
    {"truncate", FaultKind::kTruncate, true, 2},
    {"malformed", FaultKind::kMalformed, false, 0},
    {"close", FaultKind::kClose, false, 0},
    {"dup", FaultKind::kDup, false, 0},
    {"empty", FaultKind::kEmpty, false, 0},
    {"trickle", FaultKind::kTrickle, true, 10},
}};

// Decimal, or hexadecimal with 0x.
std::optional<uint32_t> ParseNumber(std::string_view text) {
  return ParseWholeNumber(text);
}

}  // namespace

std::optional<Fault> ParseFault(std::string_view text) {
  const std::size_t colon = text.find(':');
  const std::string_view name = text.substr(0, colon);
  for (const KindInfo& k : kKinds) {
    if (k.name != name) continue;
    if (colon == std::string_view::npos) {
      // A delay and a trickle need their pause.
      if (k.kind == FaultKind::kDelay || k.kind == FaultKind::kTrickle) return std::nullopt;
      return Fault{k.kind, k.defaultValue};
    }
    if (!k.takesValue) return std::nullopt;
    const std::optional<uint32_t> value = ParseNumber(text.substr(colon + 1));
    if (!value || (k.kind == FaultKind::kStatus && *value > 0xFFFF)) return std::nullopt;
    return Fault{k.kind, *value};
  }
  return std::nullopt;
}

std::optional<std::pair<int, Fault>> ParseFaultOption(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::optional<uint32_t> number = ParseNumber(text.substr(0, colon));
  if (!number || *number == 0 || *number > 0x7FFFFFFF) return std::nullopt;
  const std::optional<Fault> fault = ParseFault(text.substr(colon + 1));
  if (!fault) return std::nullopt;
  return std::make_pair(static_cast<int>(*number), *fault);
}

std::string FaultName(const Fault& fault) {
  for (const KindInfo& k : kKinds) {
    if (k.kind == fault.kind) {
      return k.takesValue ? std::string(k.name) + ":" + std::to_string(fault.value) : std::string(k.name);
    }
  }
  return "none";
}

bool FaultPlan::Add(int requestNumber, Fault fault) {
  return planned_.emplace(requestNumber, fault).second;
}

void FaultPlan::SetRandom(double rate, uint32_t seed) {
  rate_ = rate;
  rng_.seed(seed);
}

Fault FaultPlan::For(int requestNumber) {
  if (auto it = planned_.find(requestNumber); it != planned_.end()) return it->second;
  if (rate_ <= 0) return {};
  // Integer draws keep a seed's sequence the same on every standard library.
  constexpr uint32_t kScale = 1'000'000;
  if (rng_() % kScale >= static_cast<uint32_t>(rate_ * kScale)) return {};
  const KindInfo& k = kKinds[rng_() % kKinds.size()];
  return {k.kind, k.defaultValue};
}

}  // namespace qx::sim
