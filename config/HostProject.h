// HostProject: the host's project file (base path + ".ini", read only) and
// what the plug-in looks up in it: the target settings of "COM_MAN", the
// rack of "HW_CFG", and the identity keys of each slot's section. Also the
// plug-in's data folder and whether the parameter file (base path + ".qx1")
// exists.
//
// The operations work on a ProjectContext of references, so that they run
// the same inside the application object, the command-line tools and tests.
#pragma once

#include <cstdint>
#include <string>

#include "config/ModuleConfig.h"

namespace qx {

class CProfileFile;

// What the project operations read and change. Every reference must outlive
// the context.
struct ProjectContext {
  CProfileFile& projectFile;    // the host's project file
  CProfileFile& parameterFile;  // the plug-in's parameter file
  ModuleConfig& record;         // written into sections that are created
  SessionFields& session;       // target settings are read into it
  std::string& projectFilePath;
  std::string& parameterFilePath;
};

inline constexpr int kModuleTypeCode = 22657;  // 0x5881
inline constexpr int kSlotsPerRack = 12;       // slot indices 0..11

// Sets both paths from the base path (".ini", ".qx1" appended as passed),
// binds the project file, and reads "COM_MAN" into the session's target
// settings. False, with the target settings unchanged, when the project file
// has no "HW_CFG" section (a missing file has none).
bool LoadTargetSettings(ProjectContext& context, const std::string& basePath);

// True when anything exists at the parameter file path.
bool ParameterFileExists(const ProjectContext& context);

// "0x5881": the text that marks a slot as holding this module type.
std::string ModuleIdText();

// Slots of a rack by the project's rack type code (RACK_ID2): 0 → 12,
// 1 → 8, 2 → 6, 3 → 4, anything else → 0.
int SlotCountOfRackType(int code);

// The plug-in's data folder: the common application data folder followed by
// "/Orvane Industrial Automation/SYSBUILD/Data/QXCONFIG/" (ends in '/').
std::string DataDirectory();

// The project's RACK_ID1 of "HW_CFG" ("" when missing): rack 1 is configured
// when it is not empty.
std::string RackId1(const ProjectContext& context);

// The project's RACK_ID2 of "HW_CFG" as atoi reads it ("" reads 0).
int RackTypeCode(const ProjectContext& context);

// True when the project's "MODULE_ID" of the section for (rack, slot) is
// exactly ModuleIdText().
bool ProjectSlotHoldsModule(const ProjectContext& context, int rack, int slot);

// The project's "SYNCH_ID" (decimal, default 0) and "FWVER" (hexadecimal,
// default 0) of the section for (rack, slot).
int ProjectSynchId(const ProjectContext& context, int rack, int slot);
uint32_t ProjectFirmwareVersion(const ProjectContext& context, int rack, int slot);

}  // namespace qx
