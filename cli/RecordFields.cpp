#include "cli/RecordFields.h"

#include <algorithm>
#include <cstdio>

#include "dataexch/DeviceAddrData.h"
#include "dataexch/RemoteAddress.h"
#include "platform/Inet.h"

namespace qx::cli {
namespace {

constexpr const char* kEnableConditions[] = {"Program Control", "PLC Run", "Always Enable"};
constexpr const char* kTriggerModes[] = {"none", "Device Register Trigger", "CPU ( STOP <=> RUN )",
                                         "Periodic Timer"};
constexpr const char* kAccessTypes[] = {"GET", "GET / SET"};
constexpr const char* kAttachmentDevices[] = {"X", "Y", "SR", "D", "T", "C"};

template <std::size_t N>
std::string NameOf(const char* const (&names)[N], unsigned value) {
  return value < N ? names[value] : "";
}

std::string Hex(uint32_t value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%0*X", width, static_cast<unsigned>(value));
  return buf;
}

}  // namespace

std::string JsonQuoted(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

namespace {

// Appends fields under a path prefix ("NtpSettings", "DataExchangeItem[2]").
class Builder {
 public:
  Builder(std::vector<Field>& out, std::string prefix, int item = 0)
      : out_(out), prefix_(std::move(prefix)), item_(item) {}

  // A number shown in decimal, with a name when one is given.
  void Number(std::string_view name, int64_t value, std::string label = "", bool reserved = false) {
    std::string text = std::to_string(value);
    if (!label.empty()) text += " (" + label + ")";
    Add(name, text, std::to_string(value), value == 0, reserved);
  }
  void HexNumber(std::string_view name, uint32_t value, int width, std::string suffix = "") {
    Add(name, Hex(value, width) + suffix, std::to_string(value), value == 0, false);
  }
  void Ip(std::string_view name, uint32_t value) {
    Add(name, DottedQuad(value), JsonQuoted(DottedQuad(value)), value == 0, false);
  }
  void Text(std::string_view name, std::string_view value, bool reserved = false) {
    Add(name, Quoted(value), JsonQuoted(value), value.empty(), reserved);
  }
  void Reserved(std::string_view name, int64_t value) { Number(name, value, "", true); }
  // A request code: a Modbus function in decimal, a CPU's own code in hexadecimal.
  void Command(std::string_view name, uint16_t value) {
    Add(name, value > 0xFF ? Hex(value, 4) : std::to_string(value), std::to_string(value), value == 0, false);
  }
  void JsonOnly(std::string_view name, std::string json) {
    Add(name, "", std::move(json), false, false);
    out_.back().jsonOnly = true;
  }
  void Sub(std::string_view name) { sub_ = std::string(name); }

 private:
  void Add(std::string_view name, std::string text, std::string json, bool isDefault, bool reserved) {
    Field f;
    f.path = prefix_ + "." + (sub_.empty() ? "" : sub_ + ".") + std::string(name);
    f.text = std::move(text);
    f.json = std::move(json);
    f.item = item_;
    f.reserved = reserved;
    f.isDefault = isDefault;
    out_.push_back(std::move(f));
  }

  std::vector<Field>& out_;
  std::string prefix_;
  std::string sub_;
  int item_;
};

std::string Indexed(std::string_view name, int n) {
  return std::string(name) + "[" + std::to_string(n) + "]";
}

void BlockFields(Builder& b, const char* name, uint16_t deviceType, TransferBlockView<const uint8_t> block) {
  b.Sub(name);
  b.Number("LocalOffset", block.LocalOffset());
  b.Number("Quantity", block.Quantity());
  const RemoteAddressText address = FormatRemoteAddress(deviceType, block.RemoteKind(), block.RemoteAddress());
  b.Number("RemoteKind", block.RemoteKind(), KindName(deviceType, block.RemoteKind()));
  // The device's notation is the readable form; the stored number goes to JSON as well.
  b.JsonOnly("RemoteAddressText", JsonQuoted(address.display));
  b.Number("RemoteAddress", block.RemoteAddress());
  for (int k = 1; k <= 3; ++k) b.Reserved(Indexed("ReservedWord", k), block.ReservedWord(k));
  b.Command("Command", block.Command());
  b.Number("Segment1Length", block.Segment1Length());
  b.HexNumber("Segment1Address", block.Segment1Address(), 4);
  b.Reserved("Segment2Reserved", block.Segment2Reserved());
  b.Number("Segment2Length", block.Segment2Length());
  b.HexNumber("Segment2Address", block.Segment2Address(), 4);
  b.Sub("");
}

void ItemFieldsOf(std::vector<Field>& out, ItemView<const uint8_t> item, int i) {
  Builder b(out, Indexed("DataExchangeItem", i), i);
  const uint16_t type = item.DeviceType();
  b.Number("Enabled", item.Enabled(), item.Enabled() == 2 ? "enabled" : item.Enabled() == 0 ? "disabled" : "");
  b.Number("SlaveAddress", item.SlaveAddress());
  b.Ip("IpAddress", item.IpAddress());
  b.Number("UpdateCycle", item.UpdateCycle());
  b.Number("Timeout", item.Timeout());
  b.Number("SupportFc17", item.SupportFc17());
  b.Number("DeviceType", type, DeviceTypeName(type));
  b.Number("FixedValue", item.FixedValue());
  for (int k = 1; k <= 7; ++k) b.Reserved(Indexed("ReservedWord", k), item.ReservedWord(k));
  BlockFields(b, "ReadBlock", type, item.ReadBlock());
  BlockFields(b, "WriteBlock", type, item.WriteBlock());
}

// The remote addresses: the stored number is shown in the device's notation.
void ShowAddressesInNotation(std::vector<Field>& fields, std::size_t from) {
  for (std::size_t i = from; i + 1 < fields.size(); ++i) {
    if (fields[i].jsonOnly && fields[i + 1].path.ends_with(".RemoteAddress")) {
      const std::string& json = fields[i].json;
      fields[i + 1].text = json.substr(1, json.size() - 2);
    }
  }
}

void NtpFields(std::vector<Field>& out, const ModuleConfig& c) {
  Builder b(out, "NtpSettings");
  b.Number("NtpClientEnable", c.NtpClientEnable());
  b.Number("NtpUpdateCycle", c.NtpUpdateCycle());
  b.Ip("NtpServerIp", c.NtpServerIp());
  b.Number("DstEnable", c.DstEnable());
  b.Number("DstHour", c.DstHour());
  auto monthDay = [](uint16_t v) {
    return " (month " + std::to_string((v >> 8) + 1) + ", day " + std::to_string((v & 0xFF) + 1) + ")";
  };
  b.HexNumber("DstStart", c.DstStart(), 4, monthDay(c.DstStart()));
  b.HexNumber("DstEnd", c.DstEnd(), 4, monthDay(c.DstEnd()));
  b.Number("TimeZoneIndex", c.TimeZoneIndex());
  b.Reserved("NtpReserved1", c.NtpReserved1());
  b.Number("TimeZoneSeconds", c.TimeZoneSeconds());
  b.Reserved("NtpReserved2", c.NtpReserved2());
  b.Number("NtpServerEnable", c.NtpServerEnable());
  b.Reserved("NtpReserved3", c.NtpReserved3());
}

void SnmpFields(std::vector<Field>& out, const ModuleConfig& c) {
  Builder b(out, "SnmpSettings");
  b.Reserved("SnmpControl", c.SnmpControl());
  b.Reserved("SnmpReserved", c.SnmpReserved());
  for (int r = 1; r <= layout::kSnmpRows; ++r) {
    b.Number(Indexed("AccessType", r), c.AccessType(r), NameOf(kAccessTypes, c.AccessType(r)));
  }
  b.Text("SnmpReservedText", c.SnmpReservedText(), true);
  for (int r = 1; r <= layout::kSnmpRows; ++r) b.Text(Indexed("Community", r), c.Community(r));
}

void MailFields(std::vector<Field>& out, const ModuleConfig& c) {
  Builder b(out, "MailSettings");
  b.Ip("SmtpServerIp", c.SmtpServerIp());
  b.Number("SmtpPort", c.SmtpPort());
  b.Number("PasswordLength", c.PasswordLength());
  b.Number("UserNameLength", c.UserNameLength());
  b.Number("AuthRequired", c.AuthRequired(), c.AuthRequired() == 0 ? "No" : c.AuthRequired() == 1 ? "Yes" : "");
  b.Number("SenderLength", c.SenderLength());
  b.Number("SubjectLength", c.SubjectLength());
  for (int k = 1; k <= 8; ++k) b.Reserved(Indexed("MailReserved", k), c.MailReserved(k));
  b.Text("SenderAddress", c.SenderAddress());
  b.Text("UserNameText", c.UserNameText());
  b.Text("PasswordText", c.PasswordText());
  b.Text("Subject", c.Subject());
  for (int r = 1; r <= layout::kRecipients; ++r) b.Text(Indexed("RecipientAddress", r), c.RecipientAddress(r));
}

void TriggerFields(std::vector<Field>& out, TriggerView<const uint8_t> t, int n) {
  Builder b(out, Indexed("TriggerRecord", n));
  b.Number("NameLength", t.NameLength());
  b.Number("MessageLength", t.MessageLength());
  b.Reserved("TriggerReserved2", t.TriggerReserved2());
  b.HexNumber("TriggerFlags", t.TriggerFlags(), 2);
  b.HexNumber("RecipientMask", t.RecipientMask(), 2);
  b.Number("TriggerMode", t.TriggerMode(), NameOf(kTriggerModes, t.TriggerMode()));
  b.Reserved("TriggerReserved6", t.TriggerReserved6());
  b.Reserved("TriggerReserved7", t.TriggerReserved7());
  b.Reserved("TriggerReserved8", t.TriggerReserved8());
  b.Number("Interval", t.Interval());
  b.Reserved("TriggerReserved14", t.TriggerReserved14());
  b.Text("TriggerName", t.TriggerName());
  b.Text("UserMessage", t.UserMessage());
  for (int a = 1; a <= layout::kAttachments; ++a) {
    b.Number(Indexed("AttachmentDevice", a), t.AttachmentDevice(a), NameOf(kAttachmentDevices, t.AttachmentDevice(a)));
    b.Number(Indexed("AttachmentNumber", a), t.AttachmentNumber(a));
    b.Number(Indexed("AttachmentLength", a), t.AttachmentLength(a));
  }
}

}  // namespace

std::vector<Field> ItemFieldList(const ModuleConfig& record, int i) {
  std::vector<Field> out;
  ItemFieldsOf(out, record.Item(i), i);
  ShowAddressesInNotation(out, 0);
  return out;
}

int ItemsInUse(const ModuleConfig& record) {
  return std::min<int>(record.ItemCount(), layout::kMaxItems);
}

std::vector<Field> RecordFields(const ModuleConfig& record, int items) {
  std::vector<Field> out;
  {
    Builder b(out, "DataExchangeSection");
    b.Reserved("DeHeaderReserved", record.DeHeaderReserved());
    b.Number("EnableCondition", record.EnableCondition(), NameOf(kEnableConditions, record.EnableCondition()));
    b.Number("ItemCount", record.ItemCount());
  }
  const int inUse = ItemsInUse(record);
  const int listed = std::clamp(items < 0 ? inUse : items, 0, layout::kMaxItems);
  for (int i = 1; i <= listed; ++i) {
    const std::size_t from = out.size();
    ItemFieldsOf(out, record.Item(i), i);
    ShowAddressesInNotation(out, from);
    if (i > inUse) {
      for (std::size_t k = from; k < out.size(); ++k) {
        out[k].notInUse = true;
        out[k].text.clear();
      }
    }
  }
  NtpFields(out, record);
  SnmpFields(out, record);
  MailFields(out, record);
  for (int t = 1; t <= layout::kTriggers; ++t) TriggerFields(out, record.Trigger(t), t);
  return out;
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string DeviceTypeName(uint16_t deviceType) {
  for (const auto& t : addr_data::kDeviceTypes) {
    if (t.Id == deviceType) return t.Name;
  }
  return "";
}

std::string KindName(uint16_t deviceType, uint16_t kind) {
  for (const auto& t : addr_data::kDeviceTypes) {
    if (t.Id != deviceType) continue;
    for (const auto& k : addr_data::kKindNotations) {
      if (k.Family == t.Family && k.Kind == kind) return k.Name;
    }
  }
  return "";
}

}  // namespace qx::cli
