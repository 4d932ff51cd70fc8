#include "cli/Check.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "cli/RecordFields.h"
#include "config/HostProject.h"
#include "config/ParameterCodec.h"
#include "dataexch/DeviceAddrTable.h"
#include "dataexch/ItemEditor.h"
#include "dataexch/ItemValidation.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "platform/Text.h"
#include "platform/TextTable.h"

namespace qx::cli {
namespace {

// The blanks the profile files trim around names and lines.
constexpr std::string_view kBlanks = " \t\v\r";

std::string Item(int i) {
  return "DataExchangeItem[" + std::to_string(i) + "]";
}

// ---- The values' texts -----------------------------------------------------

struct ValueShape {
  std::string key;
  std::size_t fields;  // 0: any number (a recipient address may hold commas)
};

std::vector<ValueShape> ValueShapes() {
  std::vector<ValueShape> shapes{{"DE", 3}};
  for (int i = 1; i <= layout::kMaxItems; ++i) shapes.push_back({"DE_ITEM" + std::to_string(i), 41});
  shapes.push_back({"NTP", 13});
  shapes.push_back({"SNMP", 11});
  shapes.push_back({"Mail_serverConf", 19});
  for (int r = 1; r <= layout::kRecipients; ++r) shapes.push_back({"Mail_remotAddr" + std::to_string(r), 0});
  for (int t = 1; t <= layout::kTriggers; ++t) shapes.push_back({"Mail_trigConf" + std::to_string(t), 19});
  return shapes;
}

class Checker {
 public:
  Checker(const ModuleSource& m, const ItemLimits& limits, const CheckedFile& file)
      : m_(m), limits_(limits), lines_(file.lines), file_(file.values) {}

  std::vector<Finding> Run() {
    const bool hexForm = m_.file.size() >= 4 && m_.file.compare(m_.file.size() - 4, 4, ".ini") == 0;
    if (!hexForm) CheckValues();
    CheckRecord();
    CheckItems();
    CheckOverlaps(true);
    CheckOverlaps(false);
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return std::move(findings_);
  }

 private:
  int LineOf(const std::string& key) const {
    const int line = lines_.Key(m_.section, key);
    return line != 0 ? line : lines_.Section(m_.section);
  }
  void Add(const std::string& key, std::string field, std::string reason) {
    findings_.push_back({m_.file, LineOf(key), std::move(field), std::move(reason)});
  }

  // Checksums and field counts of the comma form, and the invariants the
  // reader restores silently (so they are judged on the raw text).
  void CheckValues() {
    for (const ValueShape& shape : ValueShapes()) {
      const std::string value = file_.GetString(m_.section.c_str(), shape.key.c_str());
      if (lines_.Key(m_.section, shape.key) == 0) {
        Add(shape.key, shape.key, "value missing: its fields read as 0");
        continue;
      }
      const std::size_t comma = value.rfind(',');
      if (comma == std::string::npos) {
        Add(shape.key, shape.key, "no checksum after the last comma");
        continue;
      }
      const std::string data = value.substr(0, comma);
      const std::string sum = value.substr(comma + 1);
      const std::string expected = ValueChecksum(data);
      if (sum != expected) {
        Add(shape.key, shape.key, "checksum " + sum + " does not match the value (its checksum is " + expected + ")");
      }
      const FieldSplitter fields(data);
      if (shape.fields != 0 && fields.Count() != shape.fields) {
        Add(shape.key, shape.key,
            std::to_string(fields.Count()) + " fields, " + std::to_string(shape.fields) +
                " expected (a comma inside a text splits it)");
        continue;
      }
      CheckRawValue(shape.key, fields);
    }
  }

  void CheckRawValue(const std::string& key, const FieldSplitter& f) {
    const auto number = [&](std::size_t n) { return std::atol(std::string(f.Field(n)).c_str()); };
    const auto length = [&](std::string field, std::size_t lengthAt, std::size_t textAt, std::size_t size) {
      const long stored = number(lengthAt);
      const std::size_t actual = std::min(f.Field(textAt).size(), size);
      if (stored != static_cast<long>(actual)) {
        Add(key, field, std::to_string(stored) + " but the text is " + std::to_string(actual) + " bytes long");
      }
    };
    if (key == "DE" && number(2) > layout::kMaxItems) {
      Add(key, "DataExchangeSection.ItemCount", std::to_string(number(2)) + " items; the table holds 64 at most");
    } else if (key == "Mail_serverConf") {
      length("MailSettings.PasswordLength", 2, 17, 32);
      length("MailSettings.UserNameLength", 3, 16, 32);
      length("MailSettings.SenderLength", 5, 15, 64);
      length("MailSettings.SubjectLength", 6, 18, 16);
    } else if (key.starts_with("Mail_trigConf")) {
      const std::string t = "TriggerRecord[" + key.substr(13) + "]";
      length(t + ".NameLength", 0, 11, 16);
      length(t + ".MessageLength", 1, 12, 64);
      if (number(5) > 3) Add(key, t + ".TriggerMode", std::to_string(number(5)) + " is no trigger mode (0..3)");
    }
  }

  void Range(const std::string& key, const std::string& field, long value, long low, long high) {
    if (value < low || value > high) {
      Add(key, field, std::to_string(value) + " is outside " + std::to_string(low) + ".." + std::to_string(high));
    }
  }

  void CheckRecord() {
    const ModuleConfig& c = m_.record;
    Range("DE", "DataExchangeSection.EnableCondition", c.EnableCondition(), 0, 2);
    const int inUse = std::min<int>(c.ItemCount(), layout::kMaxItems);
    ModuleConfig empty;
    empty.SetDefaults();
    for (int i = inUse + 1; i <= layout::kMaxItems; ++i) {
      const auto bytes = c.Block(ModuleConfig::ItemOffset(i), layout::kItemSize);
      if (!std::equal(bytes.begin(), bytes.end(), empty.Block(ModuleConfig::ItemOffset(i), layout::kItemSize).begin())) {
        Add("DE_ITEM" + std::to_string(i), Item(i),
            "not in use (ItemCount is " + std::to_string(c.ItemCount()) + ") but not empty");
      }
    }
    Range("NTP", "NtpSettings.NtpUpdateCycle", c.NtpUpdateCycle(), 1, 1440);
    Range("NTP", "NtpSettings.DstHour", c.DstHour(), 0, 23);
    Range("NTP", "NtpSettings.TimeZoneIndex", c.TimeZoneIndex(), 0, 73);
    for (const auto& [name, v] : {std::pair{"DstStart", c.DstStart()}, std::pair{"DstEnd", c.DstEnd()}}) {
      Range("NTP", std::string("NtpSettings.") + name + " month", (v >> 8) + 1, 1, 12);
      Range("NTP", std::string("NtpSettings.") + name + " day", (v & 0xFF) + 1, 1, 31);
    }
    for (int r = 1; r <= layout::kSnmpRows; ++r) {
      Range("SNMP", "SnmpSettings.AccessType[" + std::to_string(r) + "]", c.AccessType(r), 0, 1);
    }
    Range("Mail_serverConf", "MailSettings.AuthRequired", c.AuthRequired(), 0, 1);
    for (int t = 1; t <= layout::kTriggers; ++t) {
      const auto trig = c.Trigger(t);
      const std::string key = "Mail_trigConf" + std::to_string(t);
      const std::string name = "TriggerRecord[" + std::to_string(t) + "]";
      if (trig.TriggerMode() == 0) continue;
      Range(key, name + ".Interval", trig.Interval(), 1, 1440);
      for (int a = 1; a <= layout::kAttachments; ++a) {
        if (trig.TriggerFlags() & TriggerView<const uint8_t>::kFlagPlcDevice) {
          Range(key, name + ".AttachmentDevice[" + std::to_string(a) + "]", trig.AttachmentDevice(a), 0, 5);
        }
      }
    }
  }

  static std::string Reason(const MessageRef& m) {
    struct Text {
      const char* key;
      const char* text;
    };
    static constexpr Text kTexts[] = {
        {"Msg4", "the slave address is above 255"},
        {"Msg5", "the update cycle is outside 1..60000 ms"},
        {"Msg6", "the timeout is outside 10..60000 ms"},
        {"Msg7", "the local offset is above the data exchange length limit %d"},
        {"Msg10", "the bit number is above 15"},
        {"Msg12", "the quantity is above the kind's maximum of %d"},
        {"Msg15", "the remote address is outside the address ranges of the device type and kind"},
        {"Msg16", "the quantity runs past the end of the kind's address ranges"},
        {"Msg35", "the local offset is outside the data exchange area (last register %d)"},
        {"Msg36", "local offset + quantity runs past the data exchange area (at most %d)"},
    };
    for (const Text& t : kTexts) {
      if (m.key == t.key) return SafeFormat(t.text, m.args) + " (" + m.key + ")";
    }
    return "rejected by the item editor (" + m.key + ")";
  }

  static std::string FieldPath(int i, ItemField f) {
    switch (f) {
      case ItemField::kSlaveAddress: return Item(i) + ".SlaveAddress";
      case ItemField::kUpdateCycle: return Item(i) + ".UpdateCycle";
      case ItemField::kTimeout: return Item(i) + ".Timeout";
      case ItemField::kReadLocalOffset: return Item(i) + ".ReadBlock.LocalOffset";
      case ItemField::kReadQuantity: return Item(i) + ".ReadBlock.Quantity";
      case ItemField::kReadNumber:
      case ItemField::kReadBit: return Item(i) + ".ReadBlock.RemoteAddress";
      case ItemField::kWriteLocalOffset: return Item(i) + ".WriteBlock.LocalOffset";
      case ItemField::kWriteQuantity: return Item(i) + ".WriteBlock.Quantity";
      case ItemField::kWriteNumber:
      case ItemField::kWriteBit: return Item(i) + ".WriteBlock.RemoteAddress";
      case ItemField::kNone: break;
    }
    return Item(i);
  }

  // Each item in use as the Item Edit dialog would see it on OK: loaded into
  // its fields, validated, and the derived fields compared with the stored.
  void CheckItems() {
    const CDeviceAddrTable table;
    const int inUse = std::min<int>(m_.record.ItemCount(), layout::kMaxItems);
    for (int i = 1; i <= inUse; ++i) {
      const std::string key = "DE_ITEM" + std::to_string(i);
      auto fields = LoadItemFields(table, m_.record, i, limits_, AreaBases{});
      ModuleConfig edited = m_.record;
      const ValidationResult r = ValidateItem(table, *fields, limits_, edited, i);
      if (!r.ok) {
        Add(key, FieldPath(i, r.focus), Reason(r.message));
        continue;
      }
      const auto before = m_.record.Block(ModuleConfig::ItemOffset(i), layout::kItemSize);
      const auto after = edited.Block(ModuleConfig::ItemOffset(i), layout::kItemSize);
      if (std::equal(before.begin(), before.end(), after.begin())) continue;
      const std::vector<Field> stored = ItemFieldList(m_.record, i);
      const std::vector<Field> derived = ItemFieldList(edited, i);
      for (std::size_t k = 0; k < stored.size(); ++k) {
        if (stored[k].jsonOnly || stored[k].json == derived[k].json) continue;
        Add(key, stored[k].path, "stored " + stored[k].text + ", the item editor makes it " + derived[k].text);
      }
    }
  }

  // Registers of the module's area a block uses: one per unit for 16-bit
  // kinds, one per 16 units for bit kinds.
  uint32_t Registers(uint16_t deviceType, TransferBlockView<const uint8_t> b) const {
    const auto match = table_.FindRange(deviceType, b.RemoteKind(), b.RemoteAddress(), 1);
    const bool bits = match && match.Range->UnitBits == 1;
    return bits ? (b.Quantity() + 15u) / 16u : b.Quantity();
  }

  void CheckOverlaps(bool read) {
    struct Span {
      int item;
      uint32_t first, last;
    };
    std::vector<Span> spans;
    const int inUse = std::min<int>(m_.record.ItemCount(), layout::kMaxItems);
    const char* block = read ? "ReadBlock" : "WriteBlock";
    for (int i = 1; i <= inUse; ++i) {
      const auto item = m_.record.Item(i);
      const auto b = read ? item.ReadBlock() : item.WriteBlock();
      const uint32_t n = Registers(item.DeviceType(), b);
      if (n == 0) continue;
      const Span s{i, b.LocalOffset(), b.LocalOffset() + n - 1};
      for (const Span& o : spans) {
        if (s.first <= o.last && o.first <= s.last) {
          Add("DE_ITEM" + std::to_string(i), Item(i) + "." + block + ".LocalOffset",
              std::string("local registers ") + std::to_string(s.first) + ".." + std::to_string(s.last) + " of the " +
                  (read ? "read" : "write") + " area overlap those of item " + std::to_string(o.item) + " (" +
                  std::to_string(o.first) + ".." + std::to_string(o.last) + ")");
        }
      }
      spans.push_back(s);
    }
  }

  const ModuleSource& m_;
  ItemLimits limits_;
  const LineIndex& lines_;
  const CProfileFile& file_;
  CDeviceAddrTable table_;
  std::vector<Finding> findings_;
};

}  // namespace

std::string FormatFinding(const Finding& f) {
  return f.file + ":" + std::to_string(f.line) + ": " + f.field + ": " + f.reason;
}

LineIndex::LineIndex(std::string_view bytes) {
  std::string section;
  int number = 0;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    ++number;
    std::string_view line = Trim(bytes.substr(start, end - start), kBlanks);
    if (const std::size_t nul = line.find('\0'); nul != std::string_view::npos) line = line.substr(0, nul);
    if (!line.empty() && line.front() == '[') {
      const std::size_t close = line.find(']');
      section = LowerAscii(
          Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1), kBlanks));
      sections_.emplace(section, number);  // the first of a name counts
    } else if (!line.empty() && line.front() != ';') {
      const std::size_t eq = line.find('=');
      if (eq != std::string_view::npos && eq > 0) {
        const std::string key = section + "\n" + LowerAscii(Trim(line.substr(0, eq), kBlanks));
        keys_.emplace(key, number);
      }
    }
    // CR LF is one line end.
    start = end + (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n' ? 2 : 1);
  }
}

LineIndex LineIndex::OfFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return LineIndex(bytes.str());
}

int LineIndex::Section(std::string_view section) const {
  const auto it = sections_.find(LowerAscii(section));
  return it == sections_.end() ? 0 : it->second;
}

int LineIndex::Key(std::string_view section, std::string_view key) const {
  const auto it = keys_.find(LowerAscii(section) + "\n" + LowerAscii(key));
  return it == keys_.end() ? 0 : it->second;
}

ItemLimits LimitsFor(const ModuleSource& module, const std::optional<std::string>& projectBase) {
  ItemLimits limits;
  if (!projectBase) {
    // No project, no areas: offsets are judged only against each other.
    limits.ReadAreaMax = limits.WriteAreaMax = kNoLimit;
    return limits;
  }
  LimitSources sources;
  sources.ProjectBasePath = *projectBase;
  sources.ModuleDirectory = DataDirectory() + "Module/";
  sources.Rack = module.rack;
  sources.Slot = module.slot;
  limits = LoadItemLimits(sources);
  // Without the module description the length limits are unknown, not -1.
  if (!PathExists(ModuleDescriptionPath(sources.ModuleDirectory))) limits.ReadLimit = limits.WriteLimit = kNoLimit;
  return limits;
}

CheckedFile::CheckedFile(const std::string& path) : lines(LineIndex::OfFile(path)) {
  values.SetPathName(path.c_str());
}

std::vector<Finding> CheckModule(const ModuleSource& module, const ItemLimits& limits, const CheckedFile& file) {
  return Checker(module, limits, file).Run();
}

std::vector<Finding> CheckModule(const ModuleSource& module, const ItemLimits& limits) {
  return CheckModule(module, limits, CheckedFile(module.file));
}

}  // namespace qx::cli
