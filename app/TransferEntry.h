// TransferEntry: the host's Upload and Download without a window. Each call
// reads the project's target settings, brings the parameter file in step
// with the project, opens one connection to the communication manager on
// the port the host gives, transfers one module or every module of this type
// in rack 1 in slot order, and closes the connection.
//
// Position text: "00" selects every rack-1 slot the project gives this
// module type; any other text names one module as ParseSlotPosition reads
// it. A text of a length ParseSlotPosition does not accept names no module:
// nothing is transferred and the call completes.
//
// Results: true when the operation completed (also when nothing was to be
// transferred, no connection number was free, or rack 1 is not configured);
// false when the project file has no "HW_CFG" (MsgStr "Msg2" is shown) or a
// module's transfer failed. The first failing module ends the operation;
// modules before it stay transferred (and, uploading, saved).
#pragma once

#include <string>
#include <string_view>

#include "config/HostProject.h"

namespace qx {

class CTextTable;
class CXferKit;
class UiServices;

// REQUIRES: every reference outlives the context.
struct TransferEntryContext {
  ProjectContext& project;
  CXferKit& link;
  UiServices& ui;
  const CTextTable& texts;
};

// Each sets session.Interactive to false (no progress window); it stays so
// until the window session sets it again.
bool UploadEntry(TransferEntryContext& context, const std::string& basePath, std::string_view position,
                 int port);
bool DownloadEntry(TransferEntryContext& context, const std::string& basePath, std::string_view position,
                   int port);

// Binds the parameter file to its path and brings it in step with the
// project: reconciled when it exists; otherwise created with a section for
// every rack-1 slot of this module type. The file is bound even when it
// could not be created, so that no later write goes to another project's
// file.
void PrepareParameterFileForTransfers(ProjectContext& project);

}  // namespace qx
