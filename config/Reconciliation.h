// Reconciliation: how the parameter file (base path + ".qx1") is kept in
// step with the host's project: one slot section per module of this type,
// found again by its "SYNCH_ID" when the module moved to another slot, and
// the section operations that serve it.
#pragma once

#include <cstdint>
#include <string>

#include "config/HostProject.h"

namespace qx {

// The first parameter-file section SLOT10..SLOT111 whose "SYNCH_ID" (decimal,
// an absent key reads 0) equals synchId; "" when none does, or when the
// project's RACK_ID1 is empty.
std::string FindSectionBySynchId(const ProjectContext& context, int synchId);

// The parameter file's "SYNCH_ID" text of the section for (rack, slot).
std::string StoredSynchIdText(const ProjectContext& context, int rack, int slot);

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

}  // namespace qx
