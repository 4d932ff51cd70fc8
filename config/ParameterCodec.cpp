#include "config/ParameterCodec.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <utility>

#include "platform/AtomicFile.h"
#include "platform/Crc16.h"
#include "platform/IniFile.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

namespace qx {
namespace {

constexpr std::size_t kChecksumSpan = 1024;  // bytes the communication library's CRC looks at
constexpr std::size_t kHexPieceSize = 1000;
constexpr std::size_t kAssemblySize = 4 * kHexPieceSize;
constexpr int kTriggerModeMax = 3;

// ---- Number texts ------------------------------------------------------------

// Decimal fields read as every number of the system does
// (platform/Numbers.h): leading white space and a sign, digits up to the
// first other character, no digits give 0, a value above 32 bits gives
// 0xFFFFFFFF. A field keeps the low bits of that value (70000 in a 16-bit
// field stores 4464). Empty fields, which every absent value is made of,
// take the short way.
uint32_t DecimalToInt(std::string_view text) {
  return text.empty() ? 0 : ReadUnsigned32(text, 10);
}

template <typename T>
void AppendNumber(std::string& out, T value, int base) {
  char buf[16];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, base);
  out.append(buf, res.ptr);
}

// ---- Values --------------------------------------------------------------------

// Builds one comma-form value field by field; Finish() closes it with its
// checksum.
class FieldWriter {
 public:
  void D16(uint16_t v) { AppendNumber(Next(), v, 10); }
  void X16(uint16_t v) { AppendNumber(Next(), v, 16); }
  void X32(uint32_t v) { AppendNumber(Next(), v, 16); }
  void D32(int32_t v) { AppendNumber(Next(), v, 10); }
  void D8(uint8_t v) { AppendNumber(Next(), v, 10); }
  // The accessors already stop at the first NUL; a line break cannot stand
  // inside a profile value, so the text also ends at the first CR or LF.
  void Text(std::string_view v) {
    std::size_t n = 0;
    while (n < v.size() && v[n] != '\r' && v[n] != '\n') ++n;
    Next().append(v.data(), n);
  }
  std::string Finish() {
    text_ += ',';
    text_ += ValueChecksum(std::string_view(text_).substr(0, text_.size() - 1));
    return std::move(text_);
  }

 private:
  std::string& Next() {
    if (!first_) text_ += ',';
    first_ = false;
    return text_;
  }
  std::string text_;
  bool first_ = true;
};

// Takes the fields of a value's data one after the other, split at commas
// as FieldSplitter splits them; missing fields read as empty text (numbers
// 0).
class FieldReader {
 public:
  explicit FieldReader(std::string_view data) : rest_(data), done_(data.empty()) {}
  uint16_t D16() { return static_cast<uint16_t>(DecimalToInt(Next())); }
  uint16_t X16() { return static_cast<uint16_t>(HexToInt(Next())); }
  uint32_t X32() { return HexToInt(Next()); }
  int32_t D32() { return static_cast<int32_t>(DecimalToInt(Next())); }
  uint8_t D8() { return static_cast<uint8_t>(DecimalToInt(Next())); }
  std::string_view Text() { return Next(); }

 private:
  std::string_view Next() {
    if (done_) return {};
    const std::size_t comma = rest_.find(',');
    if (comma == std::string_view::npos) {
      done_ = true;
      return rest_;
    }
    const std::string_view field = rest_.substr(0, comma);
    rest_.remove_prefix(comma + 1);
    return field;
  }
  std::string_view rest_;  // the fields not taken yet
  bool done_;              // no field left
};

// ---- Field lists: each value's writer and reader list the same fields ------

std::string HeaderText(const ModuleConfig& c) {
  FieldWriter w;
  w.D16(c.DeHeaderReserved());
  w.D16(c.EnableCondition());
  w.D16(c.ItemCount());
  return w.Finish();
}

void ReadHeader(FieldReader& r, ModuleConfig& c) {
  c.SetDeHeaderReserved(r.D16());
  c.SetEnableCondition(r.D16());
  c.SetItemCount(r.D16());
}

void WriteBlockFields(FieldWriter& w, TransferBlockView<const uint8_t> b) {
  w.D16(b.LocalOffset());
  w.D16(b.Quantity());
  w.X32(b.RemoteAddress());
  w.D16(b.RemoteKind());
  for (int k = 1; k <= 3; ++k) w.D16(b.ReservedWord(k));
  w.D16(b.Command());
  w.D16(b.Segment1Length());
  w.X32(b.Segment1Address());
  w.D16(b.Segment2Reserved());
  w.D16(b.Segment2Length());
  w.X32(b.Segment2Address());
}

void ReadBlockFields(FieldReader& r, TransferBlockView<uint8_t> b) {
  b.SetLocalOffset(r.D16());
  b.SetQuantity(r.D16());
  b.SetRemoteAddress(r.X32());
  b.SetRemoteKind(r.D16());
  for (int k = 1; k <= 3; ++k) b.SetReservedWord(k, r.D16());
  b.SetCommand(r.D16());
  b.SetSegment1Length(r.D16());
  b.SetSegment1Address(r.X32());
  b.SetSegment2Reserved(r.D16());
  b.SetSegment2Length(r.D16());
  b.SetSegment2Address(r.X32());
}

// The 32 reserved bytes at the item's end are not part of the text.
std::string ItemText(ItemView<const uint8_t> item) {
  FieldWriter w;
  w.D16(item.Enabled());
  w.D16(item.SlaveAddress());
  w.X32(item.IpAddress());
  w.D16(item.UpdateCycle());
  w.D16(item.Timeout());
  w.D16(item.SupportFc17());
  w.D16(item.DeviceType());
  w.D16(item.FixedValue());
  for (int k = 1; k <= 7; ++k) w.D16(item.ReservedWord(k));
  WriteBlockFields(w, item.ReadBlock());
  WriteBlockFields(w, item.WriteBlock());
  return w.Finish();
}

void ReadItem(FieldReader& r, ItemView<uint8_t> item) {
  item.SetEnabled(r.D16());
  item.SetSlaveAddress(r.D16());
  item.SetIpAddress(r.X32());
  item.SetUpdateCycle(r.D16());
  item.SetTimeout(r.D16());
  item.SetSupportFc17(r.D16());
  item.SetDeviceType(r.D16());
  item.SetFixedValue(r.D16());
  for (int k = 1; k <= 7; ++k) item.SetReservedWord(k, r.D16());
  ReadBlockFields(r, item.ReadBlock());
  ReadBlockFields(r, item.WriteBlock());
}

// NtpReserved2 is written in hexadecimal and read back in hexadecimal, so
// that any value survives a round trip (0, the only value pages leave there,
// reads the same in either radix).
std::string NtpText(const ModuleConfig& c) {
  FieldWriter w;
  w.D16(c.NtpClientEnable());
  w.D16(c.NtpUpdateCycle());
  w.X32(c.NtpServerIp());
  w.D16(c.DstEnable());
  w.D16(c.DstHour());
  w.X16(c.DstStart());
  w.X16(c.DstEnd());
  w.D16(c.TimeZoneIndex());
  w.D16(c.NtpReserved1());
  w.D32(c.TimeZoneSeconds());
  w.X32(c.NtpReserved2());
  w.D16(c.NtpServerEnable());
  w.D16(c.NtpReserved3());
  return w.Finish();
}

void ReadNtp(FieldReader& r, ModuleConfig& c) {
  c.SetNtpClientEnable(r.D16());
  c.SetNtpUpdateCycle(r.D16());
  c.SetNtpServerIp(r.X32());
  c.SetDstEnable(r.D16());
  c.SetDstHour(r.D16());
  c.SetDstStart(r.X16());
  c.SetDstEnd(r.X16());
  c.SetTimeZoneIndex(r.D16());
  c.SetNtpReserved1(r.D16());
  c.SetTimeZoneSeconds(r.D32());
  c.SetNtpReserved2(r.X32());
  c.SetNtpServerEnable(r.D16());
  c.SetNtpReserved3(r.D16());
}

std::string SnmpText(const ModuleConfig& c) {
  FieldWriter w;
  w.D16(c.SnmpControl());
  w.D16(c.SnmpReserved());
  for (int row = 1; row <= layout::kSnmpRows; ++row) w.D16(c.AccessType(row));
  w.Text(c.SnmpReservedText());
  for (int row = 1; row <= layout::kSnmpRows; ++row) w.Text(c.Community(row));
  return w.Finish();
}

void ReadSnmp(FieldReader& r, ModuleConfig& c) {
  c.SetSnmpControl(r.D16());
  c.SetSnmpReserved(r.D16());
  for (int row = 1; row <= layout::kSnmpRows; ++row) c.SetAccessType(row, r.D16());
  c.SetSnmpReservedText(r.Text());
  for (int row = 1; row <= layout::kSnmpRows; ++row) c.SetCommunity(row, r.Text());
}

std::string MailServerText(const ModuleConfig& c) {
  FieldWriter w;
  w.X32(c.SmtpServerIp());
  w.D16(c.SmtpPort());
  w.D8(c.PasswordLength());
  w.D8(c.UserNameLength());
  w.D8(c.AuthRequired());
  w.D8(c.SenderLength());
  w.D16(c.SubjectLength());
  for (int k = 1; k <= 8; ++k) w.D8(c.MailReserved(k));
  w.Text(c.SenderAddress());
  w.Text(c.UserNameText());
  w.Text(c.PasswordText());
  w.Text(c.Subject());
  return w.Finish();
}

void ReadMailServer(FieldReader& r, ModuleConfig& c) {
  c.SetSmtpServerIp(r.X32());
  c.SetSmtpPort(r.D16());
  c.SetPasswordLength(r.D8());
  c.SetUserNameLength(r.D8());
  c.SetAuthRequired(r.D8());
  c.SetSenderLength(r.D8());
  c.SetSubjectLength(r.D16());
  for (int k = 1; k <= 8; ++k) c.SetMailReserved(k, r.D8());
  c.SetSenderAddress(r.Text());
  c.SetUserNameText(r.Text());
  c.SetPasswordText(r.Text());
  c.SetSubject(r.Text());
}

// The address opens the value, and a profile value loses its leading
// blanks when read: they are left out here so that the value still matches
// its checksum when read back.
std::string RecipientText(const ModuleConfig& c, int r) {
  const std::string address = c.RecipientAddress(r);
  const std::size_t start = std::min(address.find_first_not_of(" \t\v"), address.size());
  FieldWriter w;
  w.Text(std::string_view(address).substr(start));
  return w.Finish();
}

std::string TriggerText(TriggerView<const uint8_t> t) {
  FieldWriter w;
  w.D8(t.NameLength());
  w.D8(t.MessageLength());
  w.D8(t.TriggerReserved2());
  w.D8(t.TriggerFlags());
  w.D8(t.RecipientMask());
  w.D8(t.TriggerMode());
  w.D8(t.TriggerReserved6());
  w.D8(t.TriggerReserved7());
  w.D32(static_cast<int32_t>(t.TriggerReserved8()));
  w.D16(t.Interval());
  w.D16(t.TriggerReserved14());
  w.Text(t.TriggerName());
  w.Text(t.UserMessage());
  for (int a = 1; a <= layout::kAttachments; ++a) {
    w.D16(t.AttachmentDevice(a));
    w.D16(t.AttachmentNumber(a));
    w.D16(t.AttachmentLength(a));
  }
  return w.Finish();
}

void ReadTrigger(FieldReader& r, TriggerView<uint8_t> t) {
  t.SetNameLength(r.D8());
  t.SetMessageLength(r.D8());
  t.SetTriggerReserved2(r.D8());
  t.SetTriggerFlags(r.D8());
  t.SetRecipientMask(r.D8());
  t.SetTriggerMode(r.D8());
  t.SetTriggerReserved6(r.D8());
  t.SetTriggerReserved7(r.D8());
  t.SetTriggerReserved8(static_cast<uint32_t>(r.D32()));
  t.SetInterval(r.D16());
  t.SetTriggerReserved14(r.D16());
  t.SetTriggerName(r.Text());
  t.SetUserMessage(r.Text());
  for (int a = 1; a <= layout::kAttachments; ++a) {
    t.SetAttachmentDevice(a, r.D16());
    t.SetAttachmentNumber(a, r.D16());
    t.SetAttachmentLength(a, r.D16());
  }
}

// ---- Keys ------------------------------------------------------------------------

enum class ValueKind { kHeader, kItem, kNtp, kSnmp, kMailServer, kRecipient, kTrigger };

struct ValueKey {
  ValueKind kind;
  int number;  // item, recipient or trigger number; 0 otherwise
  std::string name;
};

std::vector<ValueKey> MakeValueKeys() {
  std::vector<ValueKey> keys;
  keys.push_back({ValueKind::kHeader, 0, "DE"});
  for (int i = 1; i <= layout::kMaxItems; ++i)
    keys.push_back({ValueKind::kItem, i, "DE_ITEM" + std::to_string(i)});
  keys.push_back({ValueKind::kNtp, 0, "NTP"});
  keys.push_back({ValueKind::kSnmp, 0, "SNMP"});
  keys.push_back({ValueKind::kMailServer, 0, "Mail_serverConf"});
  for (int r = 1; r <= layout::kRecipients; ++r) {
    keys.push_back({ValueKind::kRecipient, r, "Mail_remotAddr" + std::to_string(r)});
  }
  for (int t = 1; t <= layout::kTriggers; ++t) {
    keys.push_back({ValueKind::kTrigger, t, "Mail_trigConf" + std::to_string(t)});
  }
  return keys;
}

const std::vector<ValueKey>& ValueKeys() {
  static const std::vector<ValueKey> keys = MakeValueKeys();
  return keys;
}

const ValueKey* FindValueKey(std::string_view name) {
  const auto& keys = ValueKeys();
  const auto it = std::find_if(keys.begin(), keys.end(), [name](const ValueKey& k) { return k.name == name; });
  return it == keys.end() ? nullptr : &*it;
}

// A stored value's data: the text before its last comma (the whole text when
// it has none).
std::string_view ValueData(std::string_view value) {
  return value.substr(0, value.rfind(','));
}

std::string ValueText(const ModuleConfig& c, const ValueKey& key) {
  switch (key.kind) {
    case ValueKind::kHeader:
      return HeaderText(c);
    case ValueKind::kItem:
      return ItemText(c.Item(key.number));
    case ValueKind::kNtp:
      return NtpText(c);
    case ValueKind::kSnmp:
      return SnmpText(c);
    case ValueKind::kMailServer:
      return MailServerText(c);
    case ValueKind::kRecipient:
      return RecipientText(c, key.number);
    case ValueKind::kTrigger:
      return TriggerText(c.Trigger(key.number));
  }
  return {};
}

void StoreValue(ModuleConfig& c, const ValueKey& key, std::string_view data) {
  if (key.kind == ValueKind::kRecipient) {
    // Everything before the checksum is the address, commas included.
    c.SetRecipientAddress(key.number, data);
    return;
  }
  FieldReader r(data);
  switch (key.kind) {
    case ValueKind::kHeader:
      ReadHeader(r, c);
      break;
    case ValueKind::kItem:
      ReadItem(r, c.Item(key.number));
      break;
    case ValueKind::kNtp:
      ReadNtp(r, c);
      break;
    case ValueKind::kSnmp:
      ReadSnmp(r, c);
      break;
    case ValueKind::kMailServer:
      ReadMailServer(r, c);
      break;
    case ValueKind::kTrigger:
      ReadTrigger(r, c.Trigger(key.number));
      break;
    case ValueKind::kRecipient:
      break;
  }
}

// ---- Reading -----------------------------------------------------------------------

// Binds the parameter file object to path for one operation and back to
// what it was bound to before (or unbound) when the operation ends.
class ScopedBinding {
 public:
  ScopedBinding(CProfileFile& file, const std::string& path) : file_(file), active_(!path.empty()) {
    if (!active_) return;
    wasBound_ = file.IsBound();
    previous_ = file.GetPathName();
    file.SetPathName(path.c_str());
  }
  ~ScopedBinding() {
    if (active_) file_.SetPathName(wasBound_ ? previous_.c_str() : nullptr);
  }
  ScopedBinding(const ScopedBinding&) = delete;
  ScopedBinding& operator=(const ScopedBinding&) = delete;

 private:
  CProfileFile& file_;
  bool active_;
  bool wasBound_ = false;
  std::string previous_;
};

// Loads every comma-form value; returns the number of values whose checksum
// did not match. The checksum text must be exactly what the writer puts
// there ("%x", lower case); a value without a comma has none, and an absent
// key reads as empty text, so neither matches.
int ReadCommaForm(ModuleConfig& c, const CProfileFile& file, const char* section) {
  int mismatches = 0;
  for (const auto& key : ValueKeys()) {
    const std::string value = file.GetString(section, key.name.c_str());
    if (!ValueChecksumMatches(value)) ++mismatches;
    StoreValue(c, key, ValueData(value));
  }
  return mismatches;
}

// A hex dump of one block: a malformed dump (odd length, not hex) leaves the
// block as it was; a longer one is cut at the block's end.
void ReadHexBlock(const CProfileFile& file, const char* section, const char* key, std::span<uint8_t> block) {
  const std::string text = file.GetString(section, key);
  std::vector<uint8_t> bytes;
  if (text.empty() || HexToBytes(text, bytes) < 0) return;
  std::copy_n(bytes.begin(), std::min(bytes.size(), block.size()), block.begin());
}

// The mail block is rebuilt from its pieces on a zeroed buffer. Without any
// piece it stays as it was: the block never picks up bytes of the NTP or SNMP
// dumps.
void ReadHexForm(ModuleConfig& c, const CProfileFile& file, const char* section) {
  ReadHexBlock(file, section, "NTP", c.Block(layout::kNtpOffset, layout::kNtpSize));
  ReadHexBlock(file, section, "SNMP", c.Block(layout::kSnmpOffset, layout::kSnmpSize));
  std::vector<uint8_t> assembly(kAssemblySize, 0);
  if (ReadHexPieces(file, section, "Mail", assembly) > 0) {
    auto mail = c.Block(layout::kMailOffset, layout::kMailSize);
    std::copy_n(assembly.begin(), mail.size(), mail.begin());
  }
}

// Values read are not range-checked by the file format, and every field is
// stored as the file holds it, length bytes included. Two values would make
// the editing pages index past their lists, so they are brought into range:
// an ItemCount above 64 reads as 64, a TriggerMode above 3 as 0 (none).
// Nothing reads a text by its length byte: texts end at their first NUL or
// at their field's end.
void RestoreInvariants(ModuleConfig& c) {
  if (c.ItemCount() > layout::kMaxItems) c.SetItemCount(layout::kMaxItems);
  for (int t = 1; t <= layout::kTriggers; ++t) {
    auto trig = c.Trigger(t);
    if (trig.TriggerMode() > kTriggerModeMax) trig.SetTriggerMode(0);
  }
}

bool IsHexFormPath(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  return dot != std::string_view::npos && path.substr(dot) == ".ini";
}

}  // namespace

// ---- Public operations ---------------------------------------------------------------

std::string SlotSectionName(int rack, int slot) {
  return "SLOT" + std::to_string(rack) + std::to_string(slot);
}

std::string ValueChecksum(std::string_view text) {
  const std::size_t n = std::min(text.size(), kChecksumSpan);
  std::string out;
  AppendNumber(out, Crc16Modbus(reinterpret_cast<const uint8_t*>(text.data()), n), 16);
  return out;
}

uint32_t HexToInt(std::string_view text) {
  std::size_t i = 0;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) i = 2;
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const int d = HexDigitValue(text[i]);
    if (d < 0) break;
    value = (value << 4) | static_cast<uint32_t>(d);
  }
  return value;
}

int HexToBytes(std::string_view text, std::vector<uint8_t>& out) {
  if (text.size() % 2 != 0) return -1;
  std::vector<uint8_t> bytes(text.size() / 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const int hi = HexDigitValue(text[2 * i]);
    const int lo = HexDigitValue(text[2 * i + 1]);
    if (hi < 0 || lo < 0) return -1;
    bytes[i] = static_cast<uint8_t>(hi << 4 | lo);
  }
  out = std::move(bytes);
  return static_cast<int>(out.size());
}

FieldSplitter::FieldSplitter(std::string_view text) : fields_(SplitCommas(text)) {}

int ReadHexPieces(const CProfileFile& file, const char* section, const char* key, std::span<uint8_t> buffer) {
  const std::string name(key);
  const int32_t count = ReadSigned32(file.GetString(section, (name + "Cnt").c_str()));
  int placed = 0;
  std::vector<uint8_t> bytes;
  // Bounded by the buffer, whatever the count claims.
  for (int32_t i = 0; i < count && static_cast<std::size_t>(i) * kHexPieceSize < buffer.size(); ++i) {
    const std::string text = file.GetString(section, (name + "_" + std::to_string(i)).c_str());
    if (HexToBytes(text, bytes) < 0) continue;
    const std::size_t at = static_cast<std::size_t>(i) * kHexPieceSize;
    const std::size_t n = std::min({bytes.size(), kHexPieceSize, buffer.size() - at});
    std::copy_n(bytes.begin(), n, buffer.begin() + static_cast<std::ptrdiff_t>(at));
    placed += static_cast<int>(n);
  }
  return placed;
}

bool ValueChecksumMatches(std::string_view value) {
  const std::size_t comma = value.rfind(',');
  return comma != std::string_view::npos && ValueChecksum(value.substr(0, comma)) == value.substr(comma + 1);
}

const std::vector<std::string>& ParameterKeys() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const auto& key : ValueKeys()) out.push_back(key.name);
    return out;
  }();
  return names;
}

std::string ParameterValue(const ModuleConfig& record, std::string_view key) {
  const ValueKey* found = FindValueKey(key);
  return found ? ValueText(record, *found) : std::string();
}

bool LoadParameterValue(ModuleConfig& record, std::string_view key, std::string_view value) {
  const ValueKey* found = FindValueKey(key);
  if (!found) return false;
  StoreValue(record, *found, ValueData(value));
  RestoreInvariants(record);
  return true;
}

std::vector<std::pair<std::string, std::string>> ParameterValues(const ModuleConfig& record) {
  std::vector<std::pair<std::string, std::string>> values;
  values.reserve(ValueKeys().size());
  for (const auto& key : ValueKeys()) values.emplace_back(key.name, ValueText(record, key));
  return values;
}

// The platform's writer reports success whatever happened; this one returns
// whether the file was really saved, so that callers can tell the user.
bool WriteParameters(const ModuleConfig& record, uint32_t firmwareVersion, CProfileFile& parameterFile,
                     int rack, int slot, const std::string& path) {
  const std::string section = SlotSectionName(rack, slot);
  ScopedBinding binding(parameterFile, path);
  CProfileFile::WriteBatch batch(parameterFile);  // the whole section in one save
  bool ok = true;
  if (!path.empty()) {
    char fw[16];
    std::snprintf(fw, sizeof fw, "%X", static_cast<unsigned>(firmwareVersion));
    ok &= parameterFile.WriteString(section.c_str(), "MODULE_ID", kModuleIdText);
    ok &= parameterFile.WriteString(section.c_str(), "FWVER", fw);
  }
  for (const auto& [key, value] : ParameterValues(record)) {
    ok &= parameterFile.WriteString(section.c_str(), key.c_str(), value.c_str());
  }
  return batch.Commit() && ok;
}

int ReadParameters(ModuleConfig& record, CProfileFile& parameterFile, int rack, int slot,
                   const std::string& path) {
  const std::string section = SlotSectionName(rack, slot);
  ScopedBinding binding(parameterFile, path);
  if (!path.empty() && parameterFile.GetString(section.c_str(), "MODULE_ID") != kModuleIdText) return -1;
  int mismatches = 0;
  // The hex form holds only the NTP, SNMP and mail blocks; comma-form keys
  // of such a section are not read.
  if (!path.empty() && IsHexFormPath(path)) {
    ReadHexForm(record, parameterFile, section.c_str());
  } else {
    mismatches = ReadCommaForm(record, parameterFile, section.c_str());
  }
  RestoreInvariants(record);
  // The project's own parameter file is read silently.
  return !path.empty() && mismatches > 0 ? -2 : 1;
}

std::string NewParameterFileText() {
  std::string text =
      "// QX Configurator\r\n// File Struct:\r\n// 1. Module ID\r\n// 2. Sync ID\r\n"
      "// 3. FW Version\r\n// 4. Parameters\r\n\r\n";
  for (int slot = 0; slot < 12; ++slot) text += "[" + SlotSectionName(1, slot) + "]\r\n";
  return text;
}

bool CreateParameterFile(const std::string& path) {
  return WriteFileAtomically(path, NewParameterFileText());
}

bool PutParameterSection(IniDocument& document, const std::string& section, const ModuleConfig& record,
                         uint32_t firmwareVersion) {
  char fw[16];
  std::snprintf(fw, sizeof fw, "%X", static_cast<unsigned>(firmwareVersion));
  bool ok = document.SetValue(section, "MODULE_ID", kModuleIdText);
  ok &= document.SetValue(section, "FWVER", fw);
  for (const auto& [key, value] : ParameterValues(record)) ok &= document.SetValue(section, key, value);
  return ok;
}

}  // namespace qx
