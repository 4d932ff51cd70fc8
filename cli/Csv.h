// Csv: qxconf csv export and import, the data-exchange table of a project's
// module as the comma-separated file of the Data Exchange page
// (dataexch/ItemCsv.h): the same header row, one row per item in use.
//
// Export writes the file atomically, the header row in the words of the
// chosen language's text table. Import reads every row through the Item
// Edit dialog's validation with the limits and area bases the page uses for
// the module, lists every bad row, and writes the module's section of the
// project's parameter file only when all rows are good (all or nothing, as
// the page imports). Rows the page would not read (after a missing row, or
// beyond the 64th) are bad rows here, so that no row is dropped unnoticed.
#pragma once

#include <string>
#include <vector>

#include "cli/Commands.h"

namespace qx::cli {

// The languages of the text tables: "EN" (the default table), "CHT", "CHS".
inline const std::vector<std::string> kCsvLanguages = {"EN", "CHT", "CHS"};

// The text table file of language (any case): <data>/KM31QX-2C/KM31QX-2CUI[_CHT|_CHS].ini;
// "" for a language not in kCsvLanguages.
std::string CsvTextTablePath(const std::string& language);

}  // namespace qx::cli
