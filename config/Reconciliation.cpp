#include "config/Reconciliation.h"

#include <utility>
#include <vector>

#include "config/ParameterCodec.h"
#include "platform/ProfileFile.h"
#include "platform/Text.h"

namespace qx {
namespace {

constexpr char kModuleIdKey[] = "MODULE_ID";
constexpr char kSynchIdKey[] = "SYNCH_ID";
constexpr char kFwVersionKey[] = "FWVER";
constexpr int kReconciledRack = 1;

bool HoldsKeys(const CProfileFile& file, const std::string& section) {
  std::vector<std::string> keys;
  file.GetKeyNames(section.c_str(), keys);
  return !keys.empty();
}

int StoredSynchId(const CProfileFile& file, const std::string& section) {
  return static_cast<int>(file.GetInt(section.c_str(), kSynchIdKey, 0, 10));
}

void ClearSection(CProfileFile& file, const std::string& section) {
  std::vector<std::string> keys;
  file.GetKeyNames(section.c_str(), keys);
  CProfileFile::WriteBatch batch(file);
  for (const std::string& key : keys) file.DeleteKey(section.c_str(), key.c_str());
}

// Moving a section onto itself would only empty it, so that is refused too.
void MoveSection(CProfileFile& file, const std::string& from, const std::string& to) {
  if (EqualsIgnoreCaseAscii(from, to) || !file.IsSectionExist(from.c_str())) return;
  CProfileFile::WriteBatch batch(file);
  file.CopySection(from.c_str(), to.c_str(), false);
  ClearSection(file, from);
}

// ---- Reconciliation ------------------------------------------------------
//
// The rules, and why they go beyond a plain walk over the slots:
//  - A module keeps its own section when that section already holds its
//    "SYNCH_ID" (even when another section carries the same number).
//  - Otherwise it takes the first section SLOT10..SLOT111 that holds keys and
//    carries its "SYNCH_ID". Empty sections are never taken: moving one over
//    a slot would only wipe the slot. So "SYNCH_ID" 0 matches the first
//    section that holds parameters without a "SYNCH_ID" key.
//  - Sources are read before anything is written (they are parked in
//    temporary sections), so two modules that swapped slots both keep their
//    parameters; a source is emptied only when no module of the project now
//    lives there.
//  - With an empty RACK_ID1 no stored section can be matched, and a plain
//    walk would overwrite every module's section with the record in memory.
//    Then reconciliation only creates the sections that hold nothing yet and
//    neither moves, replaces nor empties any section.
//  - The whole reconciliation is one write batch: the file is saved once.

struct PlannedSlot {
  int slot = 0;
  int synchId = 0;
  uint32_t fwVersion = 0;
  std::string own;     // the slot's section name
  std::string source;  // own: in place; "": create; else: move from there
};

std::string ParkingSection(const PlannedSlot& p) {
  return "QX_MOVING_" + p.own;
}

std::string FindStoredSection(const ProjectContext& context, const PlannedSlot& p) {
  const CProfileFile& file = context.parameterFile;
  if (HoldsKeys(file, p.own) && StoredSynchId(file, p.own) == p.synchId) return p.own;
  for (int i = 0; i < kSlotsPerRack; ++i) {
    const std::string name = SlotSectionName(kReconciledRack, i);
    if (HoldsKeys(file, name) && StoredSynchId(file, name) == p.synchId) return name;
  }
  return "";
}

std::vector<PlannedSlot> PlanSlots(const ProjectContext& context, int slots, bool rackConfigured) {
  std::vector<PlannedSlot> plan;
  for (int i = 0; i < slots; ++i) {
    if (!ProjectSlotHoldsModule(context, kReconciledRack, i)) continue;
    PlannedSlot p;
    p.slot = i;
    p.synchId = ProjectSynchId(context, kReconciledRack, i);
    p.fwVersion = ProjectFirmwareVersion(context, kReconciledRack, i);
    p.own = SlotSectionName(kReconciledRack, i);
    if (rackConfigured) {
      p.source = FindStoredSection(context, p);
    } else {
      p.source = HoldsKeys(context.parameterFile, p.own) ? p.own : "";
    }
    plan.push_back(std::move(p));
  }
  return plan;
}

bool IsMove(const PlannedSlot& p) {
  return !p.source.empty() && p.source != p.own;
}

bool IsSomeModulesSection(const std::vector<PlannedSlot>& plan, const std::string& section) {
  for (const PlannedSlot& p : plan) {
    if (p.own == section) return true;
  }
  return false;
}

void ApplyPlan(ProjectContext& context, const std::vector<PlannedSlot>& plan) {
  CProfileFile& file = context.parameterFile;
  for (const PlannedSlot& p : plan) {
    if (IsMove(p)) file.CopySection(p.source.c_str(), ParkingSection(p).c_str(), false);
  }
  for (const PlannedSlot& p : plan) {
    if (p.source.empty()) {
      CreateModuleSection(context, kReconciledRack, p.slot, p.synchId, p.fwVersion);
    } else if (IsMove(p)) {
      MoveSection(file, ParkingSection(p), p.own);
      file.DeleteSection(ParkingSection(p).c_str());
    }
  }
  for (const PlannedSlot& p : plan) {
    if (IsMove(p) && !IsSomeModulesSection(plan, p.source)) ClearSection(file, p.source);
  }
}

}  // namespace

std::string FindSectionBySynchId(const ProjectContext& context, int synchId) {
  if (RackId1(context).empty()) return "";
  for (int i = 0; i < kSlotsPerRack; ++i) {
    const std::string name = SlotSectionName(kReconciledRack, i);
    if (StoredSynchId(context.parameterFile, name) == synchId) return name;
  }
  return "";
}

bool CreateModuleSection(ProjectContext& context, int rack, int slot, int synchId, uint32_t fwVersion) {
  CProfileFile& file = context.parameterFile;
  const std::string section = SlotSectionName(rack, slot);
  CProfileFile::WriteBatch batch(file);
  ClearSection(file, section);
  file.WriteString(section.c_str(), kModuleIdKey, ModuleIdText().c_str());
  file.WriteInt(section.c_str(), kSynchIdKey, synchId, 10);
  file.WriteInt(section.c_str(), kFwVersionKey, static_cast<long long>(fwVersion), 16);
  WriteParameters(context.record, fwVersion, file, rack, slot, "");
  return batch.Commit();
}

void MoveModuleSection(ProjectContext& context, int fromRack, int fromSlot, int toRack, int toSlot) {
  MoveSection(context.parameterFile, SlotSectionName(fromRack, fromSlot), SlotSectionName(toRack, toSlot));
}

void ClearModuleSection(ProjectContext& context, int rack, int slot) {
  ClearSection(context.parameterFile, SlotSectionName(rack, slot));
}

bool ReconcileParameterFile(ProjectContext& context) {
  CProfileFile::WriteBatch batch(context.parameterFile);
  const bool rackConfigured = !RackId1(context).empty();
  const int rackType = RackTypeCode(context);
  ApplyPlan(context, PlanSlots(context, SlotCountOfRackType(rackType), rackConfigured));
  if (rackConfigured) {
    for (int i = 0; i < kSlotsPerRack; ++i) {
      if (!ProjectSlotHoldsModule(context, kReconciledRack, i))
        ClearModuleSection(context, kReconciledRack, i);
    }
  }
  return batch.Commit();
}

void CreateProjectModuleSections(ProjectContext& context) {
  CProfileFile::WriteBatch batch(context.parameterFile);
  for (int i = 0; i < kSlotsPerRack; ++i) {
    if (!ProjectSlotHoldsModule(context, kReconciledRack, i)) continue;
    CreateModuleSection(context, kReconciledRack, i, ProjectSynchId(context, kReconciledRack, i),
                        ProjectFirmwareVersion(context, kReconciledRack, i));
  }
}

std::string StoredSynchIdText(const ProjectContext& context, int rack, int slot) {
  const std::string section = SlotSectionName(rack, slot);
  return context.parameterFile.GetString(section.c_str(), kSynchIdKey, "");
}

}  // namespace qx
