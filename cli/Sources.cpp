#include "cli/Sources.h"

#include "config/HostProject.h"
#include "config/ParameterCodec.h"
#include "config/SlotPosition.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "platform/Text.h"

namespace qx::cli {
namespace {

bool EndsWith(const std::string& text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

// ParseSlotPosition alone would take any four characters for the prefix.
bool IsPosition(const std::string& position) {
  std::string digits = position;
  if (digits.size() > 4) {
    if (!EqualsIgnoreCaseAscii(std::string_view(digits).substr(0, 4), "SLOT")) return false;
    digits = digits.substr(4);
  }
  if (digits.size() != 2 && digits.size() != 3) return false;
  for (char c : digits) {
    if (DigitIn(c, 10) < 0) return false;
  }
  return true;
}

namespace {

// Reads one section the way the configurator's import does (MODULE_ID
// checked, checksums compared, ".ini" in the hex form) into a record that
// starts from the defaults. file is bound to path: a comma-form section is
// read from it without parsing the file again.
std::optional<ModuleSource> ReadSection(CProfileFile& file, const std::string& path, int rack, int slot,
                                        std::string& error) {
  ModuleSource m;
  m.file = path;
  m.section = SlotSectionName(rack, slot);
  m.rack = rack;
  m.slot = slot;
  m.record.SetDefaults();
  const char* section = m.section.c_str();
  if (file.GetString(section, "MODULE_ID") != kModuleIdText) {
    error = path + ": section [" + m.section + "] holds no KM31QX-2C parameters";
    return std::nullopt;
  }
  m.firmwareVersion = static_cast<uint32_t>(file.GetInt(section, "FWVER", 0, 16));
  if (EndsWith(path, ".ini")) {
    CProfileFile hexForm;
    ReadParameters(m.record, hexForm, rack, slot, path);
    return m;
  }
  ReadParameters(m.record, file, rack, slot, "");
  for (const std::string& key : ParameterKeys()) {
    if (!ValueChecksumMatches(file.GetString(section, key.c_str()))) {
      m.checksumsMatch = false;
      break;
    }
  }
  return m;
}

}  // namespace

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

std::optional<std::string> ProjectBase(const std::string& argument) {
  std::string base = argument;
  if (EndsWith(base, ".ini") || EndsWith(base, ".qx1")) base.resize(base.size() - 4);
  if (!PathExists(base + ".ini")) return std::nullopt;
  CProfileFile project;
  project.SetPathName((base + ".ini").c_str());
  if (!project.IsSectionExist("HW_CFG")) return std::nullopt;
  return base;
}

bool NamesProject(const std::string& argument) {
  return !EndsWith(argument, ".qx1") && ProjectBase(argument).has_value();
}

std::optional<ModuleSource> LoadProjectModule(const std::string& base, const std::string& position,
                                              std::string& error) {
  int32_t rack = -1;
  int32_t slot = -1;
  if (!IsPosition(position) || !ParseSlotPosition(position, rack, slot)) {
    error = "position \"" + position + "\" is not of the form 12, 111 or SLOT12";
    return std::nullopt;
  }
  const std::string path = base + ".qx1";
  if (!PathExists(path)) {
    error = path + ": no parameter file (open the project in the configurator once)";
    return std::nullopt;
  }
  CProfileFile file;
  file.SetPathName(path.c_str());
  return ReadSection(file, path, rack, slot, error);
}

std::optional<std::vector<ModuleSource>> LoadFileModules(const std::string& path, std::string& error) {
  if (!PathExists(path)) {
    error = path + ": no such file";
    return std::nullopt;
  }
  CProfileFile file;
  file.SetPathName(path.c_str());
  std::vector<ModuleSource> modules;
  for (const std::string& section : file.SectionNames()) {
    if (file.GetString(section.c_str(), "MODULE_ID") != kModuleIdText) continue;
    int32_t rack = -1;
    int32_t slot = -1;
    if (!IsPosition(section) || !ParseSlotPosition(section, rack, slot)) continue;
    if (SlotSectionName(rack, slot) != section) continue;  // "SLOT012" and the like
    auto m = ReadSection(file, path, rack, slot, error);
    if (!m) return std::nullopt;
    modules.push_back(std::move(*m));
  }
  if (modules.empty()) {
    error = path + ": holds no KM31QX-2C parameters (no section with MODULE_ID=" + kModuleIdText + ")";
    return std::nullopt;
  }
  return modules;
}

std::optional<std::vector<ModuleSource>> LoadProjectModules(const std::string& base, std::string& error,
                                                            std::vector<std::string>* missing) {
  CProfileFile projectFile;
  CProfileFile parameterFile;
  ModuleConfig record;
  SessionFields session;
  std::string projectPath;
  std::string parameterPath;
  ProjectContext project{projectFile, parameterFile, record, session, projectPath, parameterPath};
  if (!LoadTargetSettings(project, base)) {
    error = base + ".ini: no hardware configuration (section HW_CFG)";
    return std::nullopt;
  }
  if (!PathExists(parameterPath)) {
    error = parameterPath + ": no parameter file (open the project in the configurator once)";
    return std::nullopt;
  }
  parameterFile.SetPathName(parameterPath.c_str());
  std::vector<ModuleSource> modules;
  for (int slot = 0; slot < kSlotsPerRack; ++slot) {
    if (!ProjectSlotHoldsModule(project, 1, slot)) continue;
    auto m = ReadSection(parameterFile, parameterPath, 1, slot, error);
    if (!m && missing) {
      missing->push_back(SlotSectionName(1, slot));
      error.clear();
      continue;
    }
    if (!m) return std::nullopt;
    modules.push_back(std::move(*m));
  }
  if (modules.empty() && (!missing || missing->empty())) {
    error = base + ".ini: no KM31QX-2C module in rack 1";
    return std::nullopt;
  }
  return modules;
}

}  // namespace qx::cli
