#include "sim/PlantFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string_view>

#include "platform/Numbers.h"
#include "platform/ProfileFile.h"
#include "platform/Text.h"

namespace qx::sim {
namespace {

// A number 0..255, given whole.
std::optional<int> ParseByte(std::string_view text) {
  const std::optional<uint32_t> value = ParseWholeNumber(text);
  if (!value || *value > 255) return std::nullopt;
  return static_cast<int>(*value);
}

// The number after prefix in name ("STATION12" -> 12), prefix ignoring case.
std::optional<int> NumberAfter(std::string_view name, std::string_view prefix) {
  if (name.size() <= prefix.size()) return std::nullopt;
  if (!EqualsIgnoreCaseAscii(name.substr(0, prefix.size()), prefix)) return std::nullopt;
  return ParseByte(name.substr(prefix.size()));
}

bool ReadSlots(std::string_view value, std::vector<int>& slots) {
  const std::vector<std::string_view> fields = SplitCommas(value);
  for (std::string_view field : fields) {
    const std::optional<int> slot = ParseByte(Trim(field));
    if (!slot) return false;
    slots.push_back(*slot);
  }
  return !fields.empty();
}

bool ReadStation(const CProfileFile& file, const std::string& section, int station,
                 std::vector<ModuleAddress>& modules, std::string& error) {
  for (const std::string& line : file.GetSectionLines(section.c_str())) {
    if (line.find('=') == std::string::npos) {
      error = "[" + section + "]: \"" + line + "\" is not a RACK<r>=<slots> line";
      return false;
    }
  }
  std::vector<std::string> keys;
  file.GetKeyNames(section.c_str(), keys);
  for (const std::string& key : keys) {
    const std::optional<int> rack = NumberAfter(key, "RACK");
    if (!rack) {
      error = "[" + section + "]: unknown key \"" + key + "\" (expected RACK<r> with r 0..255)";
      return false;
    }
    std::vector<int> slots;
    const std::string value = file.GetString(section.c_str(), key.c_str());
    if (!ReadSlots(value, slots)) {
      error = "[" + section + "] " + key + ": \"" + value + "\" is not a list of slot numbers 0..255";
      return false;
    }
    for (int slot : slots) modules.push_back({station, *rack, slot});
  }
  return true;
}

}  // namespace

std::optional<std::vector<ModuleAddress>> ReadPlantFile(const std::string& path, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    error = "plant file " + path + " not found";
    return std::nullopt;
  }
  CProfileFile file;
  file.SetPathName(path.c_str());
  std::vector<ModuleAddress> modules;
  for (const std::string& section : file.SectionNames()) {
    const std::optional<int> station = NumberAfter(section, "STATION");
    if (!station) {
      error = path + ": unknown section [" + section + "] (expected STATION<n> with n 0..255)";
      return std::nullopt;
    }
    if (!ReadStation(file, section, *station, modules, error)) {
      error = path + ": " + error;
      return std::nullopt;
    }
  }
  std::set<ModuleAddress> seen;
  for (const ModuleAddress& m : modules) {
    if (!seen.insert(m).second) {
      error = path + ": station " + std::to_string(m.station) + " rack " + std::to_string(m.rack) + " slot " +
              std::to_string(m.slot) + " is listed twice";
      return std::nullopt;
    }
  }
  if (modules.empty()) {
    error = path + ": no modules listed";
    return std::nullopt;
  }
  return modules;
}

}  // namespace qx::sim
