#include "config/HostProject.h"

#include <cstdio>

#include "config/ParameterCodec.h"
#include "platform/Inet.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"

namespace qx {
namespace {

constexpr char kHardwareSection[] = "HW_CFG";
constexpr char kCommSection[] = "COM_MAN";
constexpr char kDataSubPath[] = "/Orvane Industrial Automation/SYSBUILD/Data/QXCONFIG/";
constexpr uint32_t kDefaultTargetPort = 502;

}  // namespace

bool LoadTargetSettings(ProjectContext& context, const std::string& basePath) {
  context.projectFilePath = basePath + ".ini";
  context.parameterFilePath = basePath + ".qx1";
  CProfileFile& project = context.projectFile;
  project.SetPathName(context.projectFilePath.c_str());
  if (!project.IsSectionExist(kHardwareSection)) return false;

  SessionFields& s = context.session;
  s.TargetStation = static_cast<int32_t>(project.GetInt(kCommSection, "TARGET_STATION", 0, 10));
  s.DriverId = static_cast<int32_t>(project.GetInt(kCommSection, "DRIVER_ID", 0, 10));
  s.TargetIp = InetAddrHostOrder(project.GetString(kCommSection, "TARGET_IP", ""));
  s.TargetPort = static_cast<int32_t>(project.GetInt(kCommSection, "TARGET_PORT", kDefaultTargetPort, 10));
  return true;
}

bool ParameterFileExists(const ProjectContext& context) {
  return PathExists(context.parameterFilePath);
}

std::string ModuleIdText() {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(kModuleTypeCode));
  return text;
}

int SlotCountOfRackType(int code) {
  switch (code) {
    case 0:
      return 12;
    case 1:
      return 8;
    case 2:
      return 6;
    case 3:
      return 4;
    default:
      return 0;
  }
}

std::string DataDirectory() {
  return CommonAppDataFolder() + kDataSubPath;
}

std::string RackId1(const ProjectContext& context) {
  return context.projectFile.GetString(kHardwareSection, "RACK_ID1", "");
}

int RackTypeCode(const ProjectContext& context) {
  return ReadSigned32(context.projectFile.GetString(kHardwareSection, "RACK_ID2", ""));
}

bool ProjectSlotHoldsModule(const ProjectContext& context, int rack, int slot) {
  const std::string section = SlotSectionName(rack, slot);
  return context.projectFile.GetString(section.c_str(), "MODULE_ID", "") == ModuleIdText();
}

int ProjectSynchId(const ProjectContext& context, int rack, int slot) {
  const std::string section = SlotSectionName(rack, slot);
  return static_cast<int>(context.projectFile.GetInt(section.c_str(), "SYNCH_ID", 0, 10));
}

uint32_t ProjectFirmwareVersion(const ProjectContext& context, int rack, int slot) {
  const std::string section = SlotSectionName(rack, slot);
  return static_cast<uint32_t>(context.projectFile.GetInt(section.c_str(), "FWVER", 0, 16));
}

}  // namespace qx
