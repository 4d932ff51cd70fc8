// Check: what qxconf check finds wrong in a module's parameters, each finding
// with the file, the line of the value, the field and the reason:
//  - a value whose checksum does not match its text, a missing value, a
//    value with the wrong number of fields (a comma inside a text);
//  - the record's invariants: ItemCount at most 64, items after ItemCount
//    empty, the mail and trigger length fields equal to their texts'
//    lengths, enumerations and cycles inside their ranges;
//  - every data-exchange item in use, put through the Item Edit dialog's own
//    validation (ValidateItem) with the project's limits, and the fields the
//    dialog derives (commands, segments) compared with those stored;
//  - local register ranges of two items' read blocks (or write blocks) that
//    overlap.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cli/Sources.h"
#include "dataexch/ItemLimits.h"
#include "platform/ProfileFile.h"

namespace qx::cli {

struct Finding {
  std::string file;
  int line = 0;  // 1-based; 0 when the file has no line for it
  std::string field;
  std::string reason;
  bool operator==(const Finding&) const = default;
};

// "file:line: field: reason".
std::string FormatFinding(const Finding& finding);

// Where each section and key stands in a profile file: 1-based line numbers
// of the first section of a name and of the first key of a name in it (names
// compared without regard to case, as the profile reader does).
class LineIndex {
 public:
  explicit LineIndex(std::string_view bytes);
  static LineIndex OfFile(const std::string& path);
  int Section(std::string_view section) const;               // 0 when missing
  int Key(std::string_view section, std::string_view key) const;  // 0 when missing

 private:
  std::unordered_map<std::string, int> sections_;  // lower case
  std::unordered_map<std::string, int> keys_;      // "section\nkey", lower case
};

// The limits the item editor would use for the module: those of the
// project's hardware file and the module description for a project module;
// none (offsets unchecked against an area) for a file on its own.
ItemLimits LimitsFor(const ModuleSource& module, const std::optional<std::string>& projectBase);

// A file as check reads it: its values and where they stand. Modules of one
// file share it, so that the file is parsed once.
struct CheckedFile {
  explicit CheckedFile(const std::string& path);
  CProfileFile values;
  LineIndex lines;
};

std::vector<Finding> CheckModule(const ModuleSource& module, const ItemLimits& limits, const CheckedFile& file);
std::vector<Finding> CheckModule(const ModuleSource& module, const ItemLimits& limits);

}  // namespace qx::cli
