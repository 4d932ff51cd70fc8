// Helpers of the parameter-file tests: the fixtures' folder and lines of a
// text; temporary folders and whole-file reads come from TestSupport.h.
#pragma once

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

}  // namespace qx::test
