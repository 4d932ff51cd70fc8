#include "dataexch/ItemCsv.h"

#include <algorithm>
#include <cstdio>

#include "config/ParameterCodec.h"
#include "dataexch/ItemValidation.h"
#include "dataexch/RemoteAddress.h"
#include "platform/AtomicFile.h"
#include "platform/Inet.h"
#include "platform/IniFile.h"
#include "platform/Numbers.h"
#include "platform/ProfileFile.h"
#include "platform/Text.h"
#include "platform/TextTable.h"

namespace qx {
namespace {

// Column numbers of the header row (1-based, after the key column).
enum Col {
  kEnableCol = 1,
  kSlaveCol,
  kIpCol,
  kCycleCol,
  kTimeoutCol,
  kFc17Col,
  kTypeCol,
  kReadLocalCol,
  kReadRemoteCol,
  kReadQuantityCol,
  kWriteLocalCol,
  kWriteRemoteCol,
  kWriteQuantityCol,
};
static_assert(kWriteQuantityCol == kCsvColumns);

constexpr int kLocalCol[] = {kReadLocalCol, kWriteLocalCol};
constexpr int kRemoteCol[] = {kReadRemoteCol, kWriteRemoteCol};
constexpr int kQuantityCol[] = {kReadQuantityCol, kWriteQuantityCol};
constexpr int kMaxOffsetDigits = 5;

int Side(Direction dir) {
  return dir == Direction::kRead ? 0 : 1;
}

// A value in quotes when it holds a comma or a quote (quotes doubled).
std::string Quoted(const std::string& value) {
  if (value.find_first_of(",\"") == std::string::npos) return value;
  std::string out = "\"";
  for (char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

// The comma-separated values of a row, quotes understood.
std::vector<std::string> SplitRow(std::string_view row) {
  std::vector<std::string> values(1);
  bool quoted = false;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const char c = row[i];
    if (quoted) {
      if (c == '"' && i + 1 < row.size() && row[i + 1] == '"') {
        values.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        values.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      values.emplace_back();
    } else {
      values.back() += c;
    }
  }
  return values;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<uint32_t> ParseIp(std::string_view text) {
  uint32_t ip = 0;
  for (int part = 0; part < 4; ++part) {
    const std::size_t dot = part < 3 ? text.find('.') : text.size();
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string_view octet = text.substr(0, dot);
    if (!AllDigits(octet) || octet.size() > 3 || ReadLeadingDigits32(octet) > 255) return std::nullopt;
    ip = ip << 8 | ReadLeadingDigits32(octet);
    text = part < 3 ? text.substr(dot + 1) : std::string_view();
  }
  return ip;
}

const KindNotation* Notation(uint16_t deviceType, uint16_t kind) {
  const DeviceTypeInfo* info = FindDeviceTypeInfo(deviceType);
  return info ? FindKindNotation(info->Family, kind) : nullptr;
}

std::string RemoteCell(uint16_t deviceType, TransferBlockView<const uint8_t> block) {
  const RemoteAddressText text = FormatRemoteAddress(deviceType, block.RemoteKind(), block.RemoteAddress());
  const KindNotation* kind = Notation(deviceType, block.RemoteKind());
  return text.display + " (" + (kind ? std::string(kind->Name) : std::to_string(block.RemoteKind())) + ")";
}

CsvRowError Error(int row, int column, CsvProblem problem) {
  return CsvRowError{row, column, problem, {}};
}

int ColumnOf(ItemField field) {
  switch (field) {
    case ItemField::kSlaveAddress:
      return kSlaveCol;
    case ItemField::kUpdateCycle:
      return kCycleCol;
    case ItemField::kTimeout:
      return kTimeoutCol;
    case ItemField::kReadLocalOffset:
      return kReadLocalCol;
    case ItemField::kReadQuantity:
      return kReadQuantityCol;
    case ItemField::kReadNumber:
    case ItemField::kReadBit:
      return kReadRemoteCol;
    case ItemField::kWriteLocalOffset:
      return kWriteLocalCol;
    case ItemField::kWriteQuantity:
      return kWriteQuantityCol;
    case ItemField::kWriteNumber:
    case ItemField::kWriteBit:
      return kWriteRemoteCol;
    case ItemField::kNone:
      break;
  }
  return 0;
}

// One block's three cells into the editor's fields.
std::optional<CsvRowError> ParseBlock(const std::vector<std::string>& v, int row, Direction dir,
                                      const CDeviceAddrTable& table, const AreaBases& bases, ItemFields& fields) {
  const int side = Side(dir);
  BlockFields& b = fields.Block(dir);
  // Local address: "D" + register, at or above the area's base.
  const std::string& local = v[kLocalCol[side]];
  const uint32_t base = dir == Direction::kRead ? bases.ReadBaseRegister : bases.WriteBaseRegister;
  if (local.size() < 2 || (local[0] != 'D' && local[0] != 'd') || !AllDigits(local.substr(1)) ||
      local.size() > 1 + 10) {
    return Error(row, kLocalCol[side], CsvProblem::kLocalAddress);
  }
  const uint64_t reg = ReadLeadingDigits32(local.substr(1));
  if (reg < base || std::to_string(reg - base).size() > kMaxOffsetDigits) {
    return Error(row, kLocalCol[side], CsvProblem::kLocalAddress);
  }
  b.LocalOffset = std::to_string(reg - base);

  // Remote address: "<display> (<kind name>)".
  const std::string& remote = v[kRemoteCol[side]];
  const std::size_t open = remote.rfind(" (");
  if (open == std::string::npos || remote.size() < open + 3 || remote.back() != ')') {
    return Error(row, kRemoteCol[side], CsvProblem::kKind);
  }
  const std::string name = remote.substr(open + 2, remote.size() - open - 3);
  const std::string display = UpperAscii(remote.substr(0, open));
  const auto found = std::ranges::find(b.KindNames, name);
  if (found == b.KindNames.end()) return Error(row, kRemoteCol[side], CsvProblem::kKind);
  b.Kind = static_cast<int>(found - b.KindNames.begin());
  const uint16_t typeId = SelectedDeviceTypeId(table, fields);
  const uint16_t kindId = SelectedKindId(table, fields, dir);
  const KindNotation* kind = Notation(typeId, kindId);
  const std::string prefix = kind ? kind->Prefix : "";
  if (!kind || display.compare(0, prefix.size(), prefix) != 0) {
    return Error(row, kRemoteCol[side], CsvProblem::kRemoteAddress);
  }
  const std::string number = display.substr(prefix.size());
  const std::size_t dot = number.find('.');
  const bool wordBit = kind->Style == AddrStyle::kWordBit;
  b.Number = wordBit ? number.substr(0, dot) : number;
  b.Bit = wordBit && dot != std::string::npos ? number.substr(dot + 1) : "0";
  const uint32_t address = ParseRemoteAddress(table, fields, dir);
  if (b.Number.empty() || FormatRemoteAddress(typeId, kindId, address).display != display) {
    return Error(row, kRemoteCol[side], CsvProblem::kRemoteAddress);
  }

  const std::string& quantity = v[kQuantityCol[side]];
  if (!AllDigits(quantity)) return Error(row, kQuantityCol[side], CsvProblem::kNotNumber);
  b.Quantity = quantity;
  return std::nullopt;
}

}  // namespace

std::array<std::string, kCsvColumns> CsvTitles(const CTextTable& texts) {
  const std::string input = texts.UiWord("TAB_DE_Input");
  const std::string output = texts.UiWord("TAB_DE_Output");
  const std::string local = texts.UiWord("TAB_DE_Local_Addr");
  const std::string remote = texts.UiWord("TAB_DE_Remote_Addr");
  const std::string quantity = texts.UiWord("TAB_DE_Quantity");
  return {texts.UiWord("TAB_DE_Enable"),
          texts.UiWord("TAB_DE_Slave_Addr"),
          texts.UiWord("TAB_DE_IP_Addr"),
          texts.UiWord("TAB_DE_Update_Cycle"),
          texts.UiWord("TAB_DE_Timeout"),
          texts.UiWord("TAB_DE_Support_Function"),
          texts.UiWord("TAB_DE_Device_Type"),
          input + " " + local,
          input + " " + remote,
          input + " " + quantity,
          output + " " + local,
          output + " " + remote,
          output + " " + quantity};
}

std::string CsvHeaderRow(const std::array<std::string, kCsvColumns>& titles) {
  std::string row;
  for (const std::string& title : titles) row += "," + Quoted(title);
  return row;
}

std::string CsvHeaderKey(const CTextTable& texts) {
  return texts.UiWord("TAB_DE_Item");
}

std::string CsvItemKey(int itemNumber) {
  return "DE_ITEM" + std::to_string(itemNumber);
}

std::string FormatItemRow(const ModuleConfig& config, int itemNumber, const AreaBases& bases) {
  const ItemView<const uint8_t> item = config.Item(itemNumber);
  const DeviceTypeInfo* type = FindDeviceTypeInfo(item.DeviceType());
  const std::array<std::string, kCsvColumns> values = {
      item.Enabled() == ItemView<const uint8_t>::kEnabledValue ? "1" : "0",
      std::to_string(item.SlaveAddress()),
      DottedQuad(item.IpAddress()),
      std::to_string(item.UpdateCycle()),
      std::to_string(item.Timeout()),
      item.SupportFc17() != 0 ? "1" : "0",
      type ? type->Name : std::to_string(item.DeviceType()),
      "D" + std::to_string(uint64_t{bases.ReadBaseRegister} + item.ReadBlock().LocalOffset()),
      RemoteCell(item.DeviceType(), item.ReadBlock()),
      std::to_string(item.ReadBlock().Quantity()),
      "D" + std::to_string(uint64_t{bases.WriteBaseRegister} + item.WriteBlock().LocalOffset()),
      RemoteCell(item.DeviceType(), item.WriteBlock()),
      std::to_string(item.WriteBlock().Quantity())};
  return CsvHeaderRow(values);
}

std::optional<CsvRowError> ParseItemRow(std::string_view row, int rowNumber, const CDeviceAddrTable& table,
                                        const ItemLimits& limits, const AreaBases& bases, ModuleConfig& config,
                                        int itemNumber) {
  const std::vector<std::string> v = SplitRow(row);
  if (v.size() != kCsvColumns + 1 || !v[0].empty()) return Error(rowNumber, 0, CsvProblem::kFieldCount);
  ItemFields fields;
  for (int col : {kEnableCol, kFc17Col}) {
    if (v[col] != "0" && v[col] != "1") return Error(rowNumber, col, CsvProblem::kNotFlag);
  }
  fields.Enabled = v[kEnableCol] == "1";
  fields.SupportFc17 = v[kFc17Col] == "1";
  for (int col : {kSlaveCol, kCycleCol, kTimeoutCol}) {
    if (!AllDigits(v[col])) return Error(rowNumber, col, CsvProblem::kNotNumber);
  }
  fields.SlaveAddress = v[kSlaveCol];
  fields.UpdateCycle = v[kCycleCol];
  fields.Timeout = v[kTimeoutCol];
  const std::optional<uint32_t> ip = ParseIp(v[kIpCol]);
  if (!ip) return Error(rowNumber, kIpCol, CsvProblem::kBadIp);
  fields.IpAddress = *ip;
  for (uint16_t t = 0; t < table.DeviceTypeCount(); ++t) {
    if (table.DeviceTypeName(t) == v[kTypeCol]) fields.DeviceType = t;
  }
  if (fields.DeviceType < 0) return Error(rowNumber, kTypeCol, CsvProblem::kDeviceType);
  FillKindLists(table, fields);
  for (Direction dir : {Direction::kRead, Direction::kWrite}) {
    if (auto error = ParseBlock(v, rowNumber, dir, table, bases, fields)) return error;
  }
  config.ResetItem(itemNumber);
  const ValidationResult result = ValidateItem(table, fields, limits, config, itemNumber);
  if (!result.ok)
    return CsvRowError{rowNumber, ColumnOf(result.focus), CsvProblem::kRejected, result.message};
  return std::nullopt;
}

std::optional<std::string> CsvFileText(const ModuleConfig& config, uint32_t firmwareVersion, const CTextTable& texts,
                                       const AreaBases& bases) {
  IniDocument file;
  char firmware[16];
  std::snprintf(firmware, sizeof firmware, "%X", firmwareVersion);
  bool ok = file.SetValue(kCsvSection, "MODULE_NAME", kCsvModuleName);
  ok = file.SetValue(kCsvSection, "MODULE_ID", kModuleIdText) && ok;
  ok = file.SetValue(kCsvSection, "FWVER", firmware) && ok;
  ok = file.SetValue(kCsvSection, CsvHeaderKey(texts), CsvHeaderRow(CsvTitles(texts))) && ok;
  const int count = std::min<int>(config.ItemCount(), layout::kMaxItems);
  for (int n = 1; n <= count; ++n) {
    ok = file.SetValue(kCsvSection, CsvItemKey(n), FormatItemRow(config, n, bases)) && ok;
  }
  if (!ok) return std::nullopt;
  return file.Serialize();
}

bool WriteCsvFile(const std::string& path, const ModuleConfig& config, uint32_t firmwareVersion,
                  const CTextTable& texts, const AreaBases& bases) {
  const std::optional<std::string> text = CsvFileText(config, firmwareVersion, texts, bases);
  return text && WriteFileAtomically(path, *text);
}

std::optional<CsvRowError> ReadCsvFile(const std::string& path, const CDeviceAddrTable& table,
                                       const ItemLimits& limits, const AreaBases& bases, ModuleConfig& config) {
  CProfileFile file;
  file.SetPathName(path.c_str());
  if (file.GetString(kCsvSection, "MODULE_ID") != kModuleIdText) return Error(0, 0, CsvProblem::kNotThisModule);
  ModuleConfig scratch = config;
  int rows = 0;
  std::vector<std::string> keys;
  file.GetKeyNames(kCsvSection, keys);
  for (std::string& key : keys) key = UpperAscii(key);  // profile keys ignore case
  for (int n = 1; n <= layout::kMaxItems; ++n) {
    const std::string key = CsvItemKey(n);
    if (std::ranges::find(keys, key) == keys.end()) break;
    const std::string row = file.GetString(kCsvSection, key.c_str());
    if (auto error = ParseItemRow(row, n, table, limits, bases, scratch, n)) return error;
    rows = n;
  }
  if (rows == 0) return Error(0, 0, CsvProblem::kNoRows);
  for (int n = rows + 1; n <= layout::kMaxItems; ++n) scratch.ResetItem(n);
  scratch.SetItemCount(static_cast<uint16_t>(rows));
  // Only the table changes: the items and their count.
  std::ranges::copy(scratch.Block(layout::kItemsOffset, layout::kMaxItems * layout::kItemSize),
                    config.Block(layout::kItemsOffset, layout::kMaxItems * layout::kItemSize).begin());
  config.SetItemCount(static_cast<uint16_t>(rows));
  return std::nullopt;
}

}  // namespace qx
