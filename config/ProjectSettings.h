// ProjectSettings: the host's project file (base path + ".ini", read only),
// the target settings read from it, the position text of a module, the
// plug-in's data folder, and how the parameter file (base path + ".qx1") is
// kept in step with the project: one slot section per module of this type,
// found again by its "SYNCH_ID" when the module moved to another slot.
//
// The operations work on a ProjectContext of references, so that they run
// the same inside the application object and in tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// Slots examined by reconciliation for a rack type code: 0 → 12, 1 → 8,
// 2 → 6, 3 → 4, anything else → 0.
int SlotCountOfRackType(int code);

// "13", "111", "SLOT13", "SLOT111" (by length: 2 or 3 characters, or 6 or 7
// with the first four dropped): rack = the first character, slot = the rest,
// each as atoi reads it (a non-digit piece gives 0). Any other length leaves
// rack and slot unchanged and returns false.
bool ParseSlotPosition(std::string_view text, int32_t& rack, int32_t& slot);

// atoi as the system reads it: the one decimal reader of platform/Numbers.h
// taken as a 32-bit signed value (leading white space, an optional sign, the
// digits up to the first non-digit; no digits gives 0; a value above
// 0xFFFFFFFF reads as 0xFFFFFFFF, that is -1).
int AtoiValue(std::string_view text);

// The first parameter-file section SLOT10..SLOT111 whose "SYNCH_ID" (decimal,
// an absent key reads 0) equals synchId; "" when none does, or when the
// project's RACK_ID1 is empty.
std::string FindSectionBySynchId(const ProjectContext& context, int synchId);

// Empties the section for (rack, slot), then writes the identity keys
// ("MODULE_ID", "SYNCH_ID" decimal, "FWVER" "%X") and the record as it
// stands. Saved once; false when the file could not be saved (inside an open
// WriteBatch the outermost batch tells).
bool CreateModuleSection(ProjectContext& context, int rack, int slot, int synchId, uint32_t fwVersion);

// Copies the section of (fromRack, fromSlot) over that of (toRack, toSlot)
// and empties the source. Nothing happens when both name the same section
// or the source does not exist.
void MoveModuleSection(ProjectContext& context, int fromRack, int fromSlot, int toRack, int toSlot);

// Deletes every key of the section for (rack, slot). The section header
// stays: an empty section reads like a missing one ("SYNCH_ID" 0), and the
// new-file layout of SLOT10..SLOT111 is kept that way.
void ClearModuleSection(ProjectContext& context, int rack, int slot);

// Brings the parameter file's rack-1 sections in step with the project: a
// module of this type keeps its section, gets the section stored under its
// "SYNCH_ID" in another slot, or a new one; slots no longer holding this
// module type are emptied. Saved once; false when the changes could not be
// saved (true when there were none). See the .cpp for the rules that keep
// stored parameters safe.
// REQUIRES: the parameter file is bound; the project file is bound.
bool ReconcileParameterFile(ProjectContext& context);

// For a parameter file just created: a new section for every rack-1 slot
// the project gives this module type. Saved once.
void CreateProjectModuleSections(ProjectContext& context);

// The plug-in's data folder: the common application data folder followed by
// "/Orvane Industrial Automation/SYSBUILD/Data/QXCONFIG/" (ends in '/').
std::string DataDirectory();

// ---- Project look-ups shared by the session and the transfers -------------

// The project's RACK_ID1 of "HW_CFG" ("" when missing): rack 1 is configured
// when it is not empty.
std::string RackId1(const ProjectContext& context);

// True when the project's "MODULE_ID" of the section for (rack, slot) is
// exactly ModuleIdText().
bool ProjectSlotHoldsModule(const ProjectContext& context, int rack, int slot);

// The project's "SYNCH_ID" (decimal, default 0) and "FWVER" (hexadecimal,
// default 0) of the section for (rack, slot).
int ProjectSynchId(const ProjectContext& context, int rack, int slot);
uint32_t ProjectFirmwareVersion(const ProjectContext& context, int rack, int slot);

// The parameter file's "SYNCH_ID" text of the section for (rack, slot).
std::string StoredSynchIdText(const ProjectContext& context, int rack, int slot);

}  // namespace qx
