#include "cli/Dump.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "cli/RecordFields.h"
#include "dataexch/RemoteAddress.h"
#include "platform/Inet.h"
#include "platform/Numbers.h"

namespace qx::cli {
namespace {

// "DataExchangeItem[2].ReadBlock.Quantity" -> {"DataExchangeItem", 2}, {"ReadBlock", 0}, {"Quantity", 0}.
struct Segment {
  std::string name;
  int index = 0;  // 1.. for an array element, 0 for a plain name
};

std::vector<Segment> Split(const std::string& path) {
  std::vector<Segment> out;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t dot = path.find('.', start);
    if (dot == std::string::npos) dot = path.size();
    std::string part = path.substr(start, dot - start);
    Segment s;
    const std::size_t bracket = part.find('[');
    if (bracket != std::string::npos) {
      s.index = ReadSigned32(std::string_view(part).substr(bracket + 1));
      part.resize(bracket);
    }
    s.name = part;
    out.push_back(s);
    start = dot + 1;
  }
  return out;
}

// A JSON value under construction: an object keeps its keys in the order
// they first appear; an array element is an object or a literal.
struct Node {
  std::string literal;  // set for leaves
  bool isArray = false;
  std::vector<std::pair<std::string, std::unique_ptr<Node>>> members;  // object
  std::vector<std::unique_ptr<Node>> elements;                         // array

  Node& Member(const std::string& name) {
    for (auto& [key, node] : members) {
      if (key == name) return *node;
    }
    members.emplace_back(name, std::make_unique<Node>());
    return *members.back().second;
  }
  Node& Element(int index) {
    isArray = true;
    while (static_cast<int>(elements.size()) < index) elements.push_back(std::make_unique<Node>());
    return *elements[static_cast<std::size_t>(index - 1)];
  }
};

void Write(const Node& n, std::string& out, int indent) {
  const std::string pad(static_cast<std::size_t>(indent + 2), ' ');
  if (!n.literal.empty()) {
    out += n.literal;
  } else if (n.isArray && std::all_of(n.elements.begin(), n.elements.end(),
                                      [](const auto& e) { return !e->literal.empty(); })) {
    out += "[";
    for (std::size_t i = 0; i < n.elements.size(); ++i) out += (i ? ", " : "") + n.elements[i]->literal;
    out += "]";
  } else if (n.isArray) {
    out += "[\n";
    for (std::size_t i = 0; i < n.elements.size(); ++i) {
      out += pad;
      Write(*n.elements[i], out, indent + 2);
      out += i + 1 < n.elements.size() ? ",\n" : "\n";
    }
    out += std::string(static_cast<std::size_t>(indent), ' ') + "]";
  } else {
    out += "{\n";
    for (std::size_t i = 0; i < n.members.size(); ++i) {
      out += pad + "\"" + n.members[i].first + "\": ";
      Write(*n.members[i].second, out, indent + 2);
      out += i + 1 < n.members.size() ? ",\n" : "\n";
    }
    out += std::string(static_cast<std::size_t>(indent), ' ') + "}";
  }
}

std::string Hex(uint32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", static_cast<unsigned>(value));
  return buf;
}

// The item tables: one row per item for the device, one per block.
void ItemTables(const ModuleConfig& c, std::string& out) {
  const int items = ItemsInUse(c);
  if (items == 0) {
    out += "\nDataExchangeItem: no items in use\n";
    return;
  }
  std::vector<std::vector<std::string>> devices{
      {"Item", "Enabled", "DeviceType", "SlaveAddress", "IpAddress", "UpdateCycle", "Timeout", "SupportFc17"}};
  std::vector<std::vector<std::string>> blocks{{"Item", "Block", "LocalOffset", "RemoteKind", "RemoteAddress",
                                                "Quantity", "Command", "Segment1", "Segment2"}};
  std::vector<std::string> oddities;
  for (int i = 1; i <= items; ++i) {
    const auto item = c.Item(i);
    const uint16_t type = item.DeviceType();
    std::string typeName = DeviceTypeName(type);
    if (typeName.empty()) typeName = std::to_string(type) + " (unknown)";
    devices.push_back({std::to_string(i), item.Enabled() == 2 ? "yes" : item.Enabled() == 0 ? "no" : std::to_string(item.Enabled()),
                       typeName, std::to_string(item.SlaveAddress()), DottedQuad(item.IpAddress()),
                       std::to_string(item.UpdateCycle()), std::to_string(item.Timeout()),
                       item.SupportFc17() ? "yes" : "no"});
    for (const bool read : {true, false}) {
      const auto b = read ? item.ReadBlock() : item.WriteBlock();
      std::string kind = KindName(type, b.RemoteKind());
      if (kind.empty()) kind = std::to_string(b.RemoteKind()) + " (unknown)";
      const auto segment = [](uint32_t address, uint16_t length) {
        return length == 0 && address == 0 ? std::string("-") : Hex(address) + "+" + std::to_string(length);
      };
      blocks.push_back({std::to_string(i), read ? "Read" : "Write", std::to_string(b.LocalOffset()), kind,
                        FormatRemoteAddress(type, b.RemoteKind(), b.RemoteAddress()).display,
                        std::to_string(b.Quantity()),
                        b.Command() > 0xFF ? Hex(b.Command()) : std::to_string(b.Command()),
                        segment(b.Segment1Address(), b.Segment1Length()),
                        segment(b.Segment2Address(), b.Segment2Length())});
    }
    if (item.FixedValue() != 100) {
      oddities.push_back("Item " + std::to_string(i) + " FixedValue = " + std::to_string(item.FixedValue()));
    }
  }
  out += "\nDataExchangeItem\n";
  const auto indented = [&out](const std::string& table) {
    for (std::size_t at = 0; at < table.size();) {
      const std::size_t end = table.find('\n', at);
      out += "  " + table.substr(at, end - at + 1);
      at = end + 1;
    }
  };
  indented(FormatTable(devices, {true, false, false, true, false, true, true, false}));
  out += "\n";
  indented(FormatTable(blocks, {true, false, true, false, false, true, false, false, false}));
  for (const std::string& line : oddities) out += "  " + line + "\n";
}

bool TriggerEmpty(const std::vector<Field>& fields, const std::string& prefix) {
  for (const Field& f : fields) {
    if (!f.path.starts_with(prefix)) continue;
    if (f.path.ends_with(".Interval")) {
      if (f.json != "10") return false;
    } else if (!f.isDefault) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string FormatTable(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& rightAligned) {
  std::vector<std::size_t> width;
  for (const auto& row : rows) {
    if (width.size() < row.size()) width.resize(row.size(), 0);
    for (std::size_t i = 0; i < row.size(); ++i) width[i] = std::max(width[i], row[i].size());
  }
  std::string out;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      const bool last = i + 1 == row.size();
      const std::string pad(width[i] - row[i].size(), ' ');
      const bool right = i < rightAligned.size() && rightAligned[i];
      if (right) line += pad + row[i];
      else line += last ? row[i] : row[i] + pad;
      if (!last) line += "  ";
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

std::string DumpText(const ModuleSource& m) {
  std::string out = "# " + m.file + " [" + m.section + "]  FWVER=" + Hex(m.firmwareVersion).substr(2) + "\n";
  if (!m.checksumsMatch) out += "# warning: at least one value does not match its checksum (see qxconf check)\n";
  const std::vector<Field> fields = RecordFields(m.record);
  // Runs of wholly empty triggers are named on one line: "TriggerRecord[2..8]: empty".
  std::vector<std::string> empties;
  const auto flushEmpties = [&] {
    if (empties.empty()) return;
    const std::string first = empties.front(), last = empties.back();
    out += "\n" + (empties.size() == 1 ? first : first.substr(0, first.size() - 1) + ".." + last.substr(last.find('[') + 1)) +
           ": empty\n";
    empties.clear();
  };
  std::string group;
  bool itemsDone = false;
  bool skipGroup = false;
  for (const Field& f : fields) {
    if (f.jsonOnly || (f.reserved && f.isDefault)) continue;
    if (f.item != 0) {
      if (!itemsDone) ItemTables(m.record, out);
      itemsDone = true;
      continue;
    }
    const std::size_t dot = f.path.find('.');
    const std::string g = f.path.substr(0, dot);
    if (g != group) {
      if (!itemsDone && group == "DataExchangeSection") {
        ItemTables(m.record, out);
        itemsDone = true;
      }
      group = g;
      skipGroup = g.starts_with("TriggerRecord[") && TriggerEmpty(fields, g + ".");
      if (skipGroup) {
        empties.push_back(g);
        continue;
      }
      flushEmpties();
      out += "\n" + g + "\n";
    }
    if (!skipGroup) out += "  " + f.path.substr(dot + 1) + " = " + f.text + "\n";
  }
  flushEmpties();
  return out;
}

std::string DumpJson(const ModuleSource& m) {
  Node root;
  root.Member("file").literal = JsonQuoted(m.file);
  root.Member("section").literal = JsonQuoted(m.section);
  root.Member("firmwareVersion").literal = std::to_string(m.firmwareVersion);
  root.Member("checksumsMatch").literal = m.checksumsMatch ? "true" : "false";
  bool itemsListed = false;
  for (const Field& f : RecordFields(m.record)) {
    if (!itemsListed && !f.path.starts_with("DataExchange")) {
      root.Member("DataExchangeItem").isArray = true;  // [] when no item is in use
      itemsListed = true;
    }
    Node* n = &root;
    for (const Segment& s : Split(f.path)) {
      n = &n->Member(s.name);
      if (s.index > 0) n = &n->Element(s.index);
    }
    n->literal = f.json;
  }
  std::string out;
  Write(root, out, 0);
  return out + "\n";
}

}  // namespace qx::cli
