// Upload: one module's image read through the communication manager as the
// host's upload entry point reads it (the project's target settings, one
// transfer connection, UploadModule), but into a record of its own: nothing
// is written into the project.
//
// Each call opens and closes its own CXferKit and connection, so that calls
// may run on several threads at once.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "comm/ProgressWindow.h"
#include "config/ModuleConfig.h"

namespace qx::cli {

// What the project says about its modules and how to reach them.
struct ProjectTarget {
  std::string base;
  SessionFields session;  // TargetStation, DriverId, TargetIp, TargetPort
  struct Module {
    int rack = 1;
    int slot = 0;  // zero-based index
    uint32_t firmwareVersion = 0;
  };
  std::vector<Module> modules;  // the rack-1 slots of this module type, in slot order
};

// nullopt with a message when the project file is missing or has no
// "HW_CFG"; no modules when RACK_ID1 is empty.
std::optional<ProjectTarget> ReadProjectTarget(const std::string& base, std::string& error);

struct UploadResult {
  bool ok = false;
  ModuleConfig record;
  std::string reason;  // why it failed
};

// progress: shown during the upload when not null.
UploadResult UploadImage(const SessionFields& target, int rack, int slot, int port,
                         ProgressFactory* progress = nullptr);

// Why an upload failed, from UploadModule's result and the manager's last
// status word.
std::string UploadFailureReason(int result, int status);

}  // namespace qx::cli
