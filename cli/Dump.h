// Dump: one module's configuration as text a person reads (one line per
// field under the record's block names, the data-exchange items as two
// tables) or as JSON for programs (every field, reserved ones included,
// nested as the record is).
#pragma once

#include <string>
#include <vector>

#include "cli/Sources.h"

namespace qx::cli {

// Reserved fields appear only when they are not zero; triggers that are
// wholly empty are named on one line.
std::string DumpText(const ModuleSource& module);

// One JSON object: {"file", "section", "firmwareVersion", "checksumsMatch",
// "DataExchangeSection": {...}, "DataExchangeItem": [...], ...}.
std::string DumpJson(const ModuleSource& module);

// Columns padded to their widest cell, two blanks apart; the last column
// is not padded. The first row is the heading.
std::string FormatTable(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& rightAligned);

}  // namespace qx::cli
