#include "app/TransferEntry.h"

#include <string>
#include <vector>

#include "comm/Transfer.h"
#include "comm/XferKit.h"
#include "config/ParameterCodec.h"
#include "config/Reconciliation.h"
#include "config/SlotPosition.h"
#include "platform/ProfileFile.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"

namespace qx {
namespace {

enum class Direction { kUpload, kDownload };

struct SlotRef {
  int rack;
  int slot;  // zero-based index
};

constexpr std::string_view kEveryModule = "00";
constexpr int kRack = 1;

std::vector<SlotRef> SelectedModules(const ProjectContext& project, std::string_view position) {
  std::vector<SlotRef> modules;
  if (position == kEveryModule) {
    for (int i = 0; i < kSlotsPerRack; ++i) {
      if (ProjectSlotHoldsModule(project, kRack, i)) modules.push_back({kRack, i});
    }
    return modules;
  }
  int32_t rack = 0;
  int32_t slot = 0;
  if (ParseSlotPosition(position, rack, slot) && ProjectSlotHoldsModule(project, rack, slot)) {
    modules.push_back({rack, slot});
  }
  return modules;
}

bool TransferOne(TransferEntryContext& c, int connection, const SlotRef& m, Direction direction) {
  ProjectContext& p = c.project;
  TransferContext transfer{c.link, p.record, p.session, &c.ui, &c.texts, nullptr};
  const int station = p.session.TargetStation;
  const char* operation = direction == Direction::kUpload ? "Upload" : "Download";
  const auto failed = [&](const std::string& why) {
    c.ui.LogFailure(FailureTrace(operation, station, m.rack, m.slot + 1, why));
    return false;
  };
  if (direction == Direction::kUpload) {
    if (UploadModule(transfer, connection, station, m.rack, m.slot + 1) < 0) return failed(transfer.failure);
    // An upload that cannot be kept in the project (read-only file or
    // folder, full disk) has failed for the host as much as a transfer that
    // broke off: it is told so instead of finding the old section later.
    if (!WriteParameters(p.record, p.session.FirmwareVersion, p.parameterFile, m.rack, m.slot, "")) {
      return failed("uploaded, but the parameter file " + p.parameterFile.GetPathName() + " could not be saved");
    }
    return true;
  }
  ReadParameters(p.record, p.parameterFile, m.rack, m.slot, "");
  if (DownloadModule(transfer, connection, station, m.rack, m.slot + 1) < 0) return failed(transfer.failure);
  return true;
}

bool RunEntry(TransferEntryContext& c, const std::string& basePath, std::string_view position, int port,
              Direction direction) {
  ProjectContext& p = c.project;
  p.session.Interactive = false;
  if (!LoadTargetSettings(p, basePath)) {
    c.ui.ShowMessage(c.texts.Message("Msg2"), MessageButtons::kOk);
    return false;
  }
  PrepareParameterFileForTransfers(p);

  const int connection = OpenTransferConnection(c.link, port);
  if (connection == -1) {
    c.ui.LogFailure(std::string(direction == Direction::kUpload ? "Upload" : "Download") + " " +
                    std::string(position) + " of " + basePath + ": no free connection to the communication manager");
    return true;
  }
  bool completed = true;
  if (!RackId1(p).empty()) {
    for (const SlotRef& m : SelectedModules(p, position)) {
      if (!TransferOne(c, connection, m, direction)) {
        completed = false;
        break;
      }
    }
  }
  CloseTransferConnection(c.link, connection);
  return completed;
}

}  // namespace

void PrepareParameterFileForTransfers(ProjectContext& project) {
  const char* path = project.parameterFilePath.c_str();
  if (ParameterFileExists(project)) {
    project.parameterFile.SetPathName(path);
    ReconcileParameterFile(project);
    return;
  }
  const bool created = CreateParameterFile(project.parameterFilePath);
  project.parameterFile.SetPathName(path);
  if (created) CreateProjectModuleSections(project);
}

bool UploadEntry(TransferEntryContext& context, const std::string& basePath, std::string_view position,
                 int port) {
  return RunEntry(context, basePath, position, port, Direction::kUpload);
}

bool DownloadEntry(TransferEntryContext& context, const std::string& basePath, std::string_view position,
                   int port) {
  return RunEntry(context, basePath, position, port, Direction::kDownload);
}

}  // namespace qx
