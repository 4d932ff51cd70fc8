// Options: qxcommd's command line and its help text.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/Faults.h"

namespace qx::sim {

constexpr int kDefaultPort = 8895;  // the configurator window's default manager port

struct Options {
  std::string plant;
  std::string state;      // empty: images in memory only
  std::string readyFile;  // empty: none
  int port = kDefaultPort;
  int latencyMs = 0;  // added to every reply
  bool trace = false;
  bool help = false;
  FaultPlan faults;
};

// The options of args (without the program name), or nullopt with a
// message in error. --help ends parsing and needs nothing else.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

const char* HelpText();

}  // namespace qx::sim
