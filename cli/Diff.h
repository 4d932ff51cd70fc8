// Diff: two configurations field by field, by the fields' names (see
// RecordFields.h); only the differences, each with both values. Items are
// compared while at least one side has them in use; an item in use on one
// side only is one difference, not forty.
#pragma once

#include <string>
#include <vector>

#include "config/ModuleConfig.h"

namespace qx::cli {

struct Difference {
  std::string field;  // "DataExchangeItem[2].IpAddress"
  std::string a;      // value on the first side, as a person reads it
  std::string b;
};

std::vector<Difference> DiffRecords(const ModuleConfig& a, const ModuleConfig& b);

// "field: a -> b" lines, each under the prefix when one is given.
std::string FormatDifferences(const std::vector<Difference>& differences, const std::string& prefix = "");

}  // namespace qx::cli
