// Helpers of the parameter-file tests: the fixtures' folder, lines of a text
// and saves counted; temporary folders and whole-file reads come from TestSupport.h.
#pragma once

#include <sys/inotify.h>
#include <unistd.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace qx::test {

inline std::string Fixture(const std::string& name) {
  return std::string(QX_TEST_DATA) + "/params/" + name;
}

// Lines split at LF, a CR before the LF dropped.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line); lines.push_back(line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
  }
  return lines;
}

// Each save renames a temporary file into the folder; closes are watched so that no renames merge.
inline int CountSaves(const std::string& folder, const std::function<void()>& action) {
  const int fd = inotify_init1(IN_NONBLOCK);
  if (fd < 0 || inotify_add_watch(fd, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE) < 0) return -1;
  action();
  int saves = 0;
  using Event = inotify_event;
  alignas(Event) char buf[64 * 1024];
  for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) {
    for (const char* p = buf; p < buf + n; p += sizeof(Event) + reinterpret_cast<const Event*>(p)->len) {
      saves += (reinterpret_cast<const Event*>(p)->mask & IN_MOVED_TO) != 0;
    }
  }
  close(fd);
  return saves;
}

}  // namespace qx::test
