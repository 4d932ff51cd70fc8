// Convert: an old parameter or export file whose sections hold the NTP, SNMP
// and mail blocks as hexadecimal dumps (files ending in ".ini") into the
// comma form with checksums that the configurator writes today. Each module
// section is read as the configurator's import reads it and written with its
// identity keys (MODULE_ID, SYNCH_ID when present, FWVER). The new file is
// written beside its final name and renamed over it.
#pragma once

#include <string>

namespace qx::cli {

// The output name when none is given: ".ini" replaced by ".qx1".
std::string ConvertedName(const std::string& input);

// Returns the number of sections converted, or -1 with a message in error
// (input unreadable or not in the old form, output exists and !overwrite,
// output not writable). Nothing is left at output on failure.
int ConvertFile(const std::string& input, const std::string& output, bool overwrite, std::string& error);

}  // namespace qx::cli
