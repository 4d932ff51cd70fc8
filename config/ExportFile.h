// ExportFile: writes one module's parameters as a stand-alone export file
// (section SLOT00 with MODULE_ID and FWVER first, the comma form of
// ParameterCodec.h), replacing whatever file the user chose as a whole.
//
// The file goes through the system's one atomic writer
// (platform/AtomicFile.h): a failed export leaves an earlier file at that
// path as it was, a crash leaves either the old file or the whole new one,
// and no other file of the folder (a user's own "<chosen>.part", say) is
// ever replaced or deleted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/ModuleConfig.h"

namespace qx {

// The export file's bytes for the record; nullopt when a value could not be
// written as one line of the file.
std::optional<std::string> ExportFileText(const ModuleConfig& record, uint32_t firmwareVersion);

// Writes the record to path as a fresh export file. False, with the reason
// in *error when error is given, when the file could not be written or put
// in place; path is then untouched and no temporary file is left behind.
bool ExportParameterFile(const ModuleConfig& record, uint32_t firmwareVersion, const std::string& path,
                         std::string* error = nullptr);

}  // namespace qx
