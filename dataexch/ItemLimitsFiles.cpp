// The file-reading half of ItemLimits.h, kept apart so that the number rules
// link without the profile-file engine.
#include <string>

#include "dataexch/ItemLimits.h"
#include "platform/ProfileFile.h"

namespace qx {
namespace {

std::string Value(const CProfileFile& file, const std::string& section, const char* key) {
  return file.GetString(section.c_str(), key);
}

}  // namespace

ItemLimits LoadItemLimits(const LimitSources& sources) {
  ItemLimits limits;
  if (sources.ProjectBasePath.empty()) return limits;
  if (sources.ReadLenMax && sources.WriteLenMax) {
    limits.ReadLimit = *sources.ReadLenMax;
    limits.WriteLimit = *sources.WriteLenMax;
  } else {
    CProfileFile description;
    description.SetPathName(ModuleDescriptionPath(sources.ModuleDirectory).c_str());
    limits.ReadLimit = LimitFromDescription(Value(description, "Params", "Param54"));
    limits.WriteLimit = LimitFromDescription(Value(description, "Params", "Param56"));
  }
  CProfileFile hardware;
  hardware.SetPathName(HardwareFilePath(sources.ProjectBasePath).c_str());
  const std::string section = HardwareSection(sources.Rack, sources.Slot);
  limits.ReadAreaMax = AreaMaxFromHardware(Value(hardware, section, "Param54"));
  limits.WriteAreaMax = AreaMaxFromHardware(Value(hardware, section, "Param56"));
  return limits;
}

AreaBases LoadAreaBases(std::string_view projectBasePath, int rack, int slot) {
  AreaBases bases;
  if (projectBasePath.empty()) return bases;
  CProfileFile hardware;
  hardware.SetPathName(HardwareFilePath(projectBasePath).c_str());
  const std::string section = HardwareSection(rack, slot);
  bases.ReadBaseRegister = BaseFromHardware(Value(hardware, section, "Param53"));
  bases.WriteBaseRegister = BaseFromHardware(Value(hardware, section, "Param55"));
  return bases;
}

}  // namespace qx
