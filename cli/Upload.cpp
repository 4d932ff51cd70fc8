#include "cli/Upload.h"

#include <cstdio>

#include "comm/Transfer.h"
#include "comm/XferKit.h"
#include "config/HostProject.h"
#include "platform/ProfileFile.h"

namespace qx::cli {
namespace {

constexpr int kLoopback = 0x7F000001;
constexpr int kStatusOk = 0x100;
constexpr int kStatusNoModule = 0x101;

}  // namespace

std::optional<ProjectTarget> ReadProjectTarget(const std::string& base, std::string& error) {
  CProfileFile projectFile;
  CProfileFile parameterFile;
  ModuleConfig record;
  std::string projectPath;
  std::string parameterPath;
  ProjectTarget target;
  target.base = base;
  ProjectContext project{projectFile, parameterFile, record, target.session, projectPath, parameterPath};
  if (!LoadTargetSettings(project, base)) {
    error = base + ".ini: no hardware configuration (section HW_CFG)";
    return std::nullopt;
  }
  if (RackId1(project).empty()) return target;
  for (int slot = 0; slot < kSlotsPerRack; ++slot) {
    if (ProjectSlotHoldsModule(project, 1, slot)) {
      target.modules.push_back({1, slot, ProjectFirmwareVersion(project, 1, slot)});
    }
  }
  return target;
}

std::string UploadFailureReason(int result, int status) {
  const char* block = result == -1   ? "the data-exchange header"
                      : result == -2 ? "the NTP settings"
                                     : "the data-exchange items, SNMP or e-mail settings";
  std::string reason = std::string("reading ") + block + " failed";
  char buf[64];
  if (status == kStatusNoModule) {
    std::snprintf(buf, sizeof buf, ": no module at that position (status 0x%04X)", status);
  } else if (status != 0 && status != kStatusOk) {
    std::snprintf(buf, sizeof buf, ": the manager answered status 0x%04X", status);
  } else {
    std::snprintf(buf, sizeof buf, ": no valid reply");
  }
  return reason + buf;
}

UploadResult UploadImage(const SessionFields& target, int rack, int slot, int port, ProgressFactory* progress) {
  UploadResult result;
  result.record.SetDefaults();
  SessionFields session = target;
  session.Interactive = progress != nullptr;
  CXferKit link;
  // OpenTransferConnection does not look at OpenSocket's result (a failed
  // open shows up as failed receives); here the open is made the same way
  // so that "nobody listens" can be told from "the module did not answer".
  link.SetModbusMode(2);
  const int connection = link.GetSocketConnNum();
  if (connection < 0) {
    result.reason = "no free connection";
    return result;
  }
  if (link.OpenSocket(connection, 1, kLoopback, port, 0) != 0) {
    CloseTransferConnection(link, connection);
    result.reason = "cannot connect to the communication manager on 127.0.0.1:" + std::to_string(port);
    return result;
  }
  TransferContext ctx{link, result.record, session, nullptr, nullptr, progress};
  const int r = UploadModule(ctx, connection, session.TargetStation, rack, slot + 1);
  CloseTransferConnection(link, connection);
  result.ok = r >= 0;
  if (!result.ok) result.reason = UploadFailureReason(r, ctx.status);
  return result;
}

}  // namespace qx::cli
