#include "dataexch/ItemLimits.h"

#include <algorithm>
#include <limits>

#include "platform/Numbers.h"
#include "platform/Text.h"

namespace qx {
namespace {

// value - 1 within int: a field can hold any 32-bit number.
int MinusOne(uint32_t value) {
  return static_cast<int>(std::min<int64_t>(int64_t{value} - 1, std::numeric_limits<int>::max()));
}

}  // namespace

// Fields may carry blanks after the comma ("a, b"); they are skipped as the
// platform's number readers skip them.
int LimitFromDescription(std::string_view value) {
  return MinusOne(ReadLeadingDigits32(TrimStart(CommaField(value, 4))));
}

int AreaMaxFromHardware(std::string_view value) {
  return MinusOne(BaseFromHardware(value));
}

uint32_t BaseFromHardware(std::string_view value) {
  return ReadLeadingDigits32(TrimStart(CommaField(value, 0)), 16);
}

std::string HardwareFilePath(std::string_view projectBasePath) {
  return std::string(projectBasePath) + ".hw";
}

std::string HardwareSection(int rack, int slot) {
  return std::to_string(rack) + std::to_string(static_cast<long long>(slot) + 1);
}

// The module directory is kept with its trailing separator; one is added
// when a caller passes it without.
std::string ModuleDescriptionPath(std::string_view moduleDirectory) {
  std::string path(moduleDirectory);
  if (!path.empty() && path.back() != '/') path += '/';
  return path + "KM31QX-2C.mds";
}

}  // namespace qx
