#include "platform/FailureLog.h"

#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/Paths.h"

namespace qx {

std::string FailureLogPath() {
  std::string state = EnvironmentValue("XDG_STATE_HOME").value_or("");
  // A relative XDG_STATE_HOME is invalid and ignored, as the base directory rules say.
  if (state.empty() || state.front() != '/') {
    const std::string home = EnvironmentValue("HOME").value_or("");
    if (home.empty()) return "";
    state = home + "/.local/state";
  }
  return state + "/km31qx2c/transfers.log";
}

void AppendFailureLog(const std::string& line) {
  const std::string path = FailureLogPath();
  if (path.empty()) return;
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  std::ofstream out(path, std::ios::binary | std::ios::app);
  if (!out) return;
  char stamp[32] = "";
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  if (gmtime_r(&now, &utc) != nullptr) std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
  std::string text = line;
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  out << stamp << ' ' << text << '\n';
}

}  // namespace qx
