// qxcommd: the communication manager and its KM31QX-2C modules, simulated
// on 127.0.0.1 (see --help).
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/AtomicFile.h"
#include "sim/Options.h"
#include "sim/PlantFile.h"
#include "sim/Server.h"

namespace {

int g_wake_fd = -1;

// Only an async-signal-safe write: the poll loop does the stopping.
extern "C" void OnStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = write(g_wake_fd, &byte, 1);
}

void InstallSignalHandlers(int wakeFd) {
  g_wake_fd = wakeFd;
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

int Fail(int code, const std::string& message) {
  std::fprintf(stderr, "qxcommd: %s\n", message.c_str());
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace qx::sim;
  std::string error;
  std::optional<Options> options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) return Fail(2, error + " (see --help)");
  if (options->help) {
    std::fputs(HelpText(), stdout);
    return 0;
  }
  const auto modules = ReadPlantFile(options->plant, error);
  if (!modules) return Fail(2, error);
  Plant plant(*modules);
  if (!options->state.empty() && !plant.UseStateFolder(options->state, error)) return Fail(2, error);

  Server server(plant, std::move(options->faults), options->trace);
  server.SetLatency(std::chrono::milliseconds(options->latencyMs));
  if (!server.Listen(options->port, error)) return Fail(1, error);
  InstallSignalHandlers(server.WakeFd());
  std::printf("qxcommd: listening on 127.0.0.1:%d\n", server.Port());
  std::fflush(stdout);
  if (!options->readyFile.empty()) {
    const std::string port = std::to_string(server.Port()) + "\n";
    if (!qx::WriteFileAtomically(options->readyFile, port, &error)) {
      return Fail(1, error);
    }
  }
  server.Run();
  if (!options->readyFile.empty()) unlink(options->readyFile.c_str());
  return 0;
}
