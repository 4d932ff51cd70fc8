#include "cli/Diff.h"

#include <algorithm>

#include "cli/RecordFields.h"

namespace qx::cli {

std::vector<Difference> DiffRecords(const ModuleConfig& a, const ModuleConfig& b) {
  const int items = std::max(ItemsInUse(a), ItemsInUse(b));
  const std::vector<Field> fa = RecordFields(a, items);
  const std::vector<Field> fb = RecordFields(b, items);
  // Both lists have the same fields in the same order: the same record
  // layout, listed for the same number of items.
  std::vector<Difference> out;
  int itemDone = 0;
  for (std::size_t i = 0; i < fa.size() && i < fb.size(); ++i) {
    const Field& x = fa[i];
    const Field& y = fb[i];
    if (x.jsonOnly) continue;
    if (x.item != 0 && x.notInUse != y.notInUse) {
      if (itemDone != x.item) {
        const std::string name = "DataExchangeItem[" + std::to_string(x.item) + "]";
        out.push_back({name, x.notInUse ? "(not in use)" : "in use", y.notInUse ? "(not in use)" : "in use"});
        itemDone = x.item;
      }
      continue;
    }
    if (x.json != y.json || x.text != y.text) out.push_back({x.path, x.text, y.text});
  }
  return out;
}

std::string FormatDifferences(const std::vector<Difference>& differences, const std::string& prefix) {
  std::string out;
  for (const Difference& d : differences) {
    out += prefix + d.field + ": " + d.a + " -> " + d.b + "\n";
  }
  return out;
}

}  // namespace qx::cli
