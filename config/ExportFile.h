// ExportFile: writes one module's parameters as a stand-alone export file
// (section SLOT00 with MODULE_ID and FWVER first, the comma form of
// ParameterCodec.h), replacing whatever file the user chose as a whole.
//
// The file is first written under a new, unique name in the chosen folder,
// synced to the disk, and only then renamed over the chosen path. So a
// failed export leaves an earlier file at that path exactly as it was, a
// crash leaves either the old file or the whole new one, and no other file
// of the folder (a user's own "<chosen>.part", say) is ever replaced or
// deleted.
#pragma once

#include <cstdint>
#include <string>

#include "config/ModuleConfig.h"
#include "platform/ProfileFile.h"

namespace qx {

// Writes the record to path as a fresh export file. scratch is bound to the
// temporary file for the write and bound back to its own path afterwards
// (the parameter file object serves). False when the file could not be
// written or put in place; path is then untouched and no temporary file is
// left behind.
bool ExportParameterFile(const ModuleConfig& record, uint32_t firmwareVersion, CProfileFile& scratch,
                         const std::string& path);

}  // namespace qx
