#include "cli/Csv.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "cli/Check.h"
#include "cli/Sources.h"
#include "config/ParameterCodec.h"
#include "config/HostProject.h"
#include "dataexch/ItemCsv.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "platform/TextTable.h"

namespace qx::cli {
namespace {

int Fail(Streams s, const std::string& message) {
  s.err << "qxconf: " << message << "\n";
  return kExitError;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// What csv export and import share: the project's module, its area bases
// and the language's texts.
struct CsvModule {
  ModuleSource module;
  std::string parameterFile;
  AreaBases bases;
  CProfileFile textFile;
  CTextTable texts{textFile};
};

bool Open(const std::string& projectArg, const std::string& position, const std::string& language,
          CsvModule& m, std::string& error) {
  const std::optional<std::string> base = ProjectBase(projectArg);
  if (!base) {
    error = projectArg + ": not a host project (no .ini with HW_CFG)";
    return false;
  }
  const std::string textTable = CsvTextTablePath(language);
  if (textTable.empty()) {
    error = "language \"" + language + "\" is not one of EN, CHT, CHS";
    return false;
  }
  // The English words are built in; a translation must be there.
  if (Upper(language) != "EN" && !PathExists(textTable)) {
    error = textTable + ": no text table for " + Upper(language);
    return false;
  }
  m.textFile.SetPathName(textTable.c_str());
  std::optional<ModuleSource> module = LoadProjectModule(*base, position, error);
  if (!module) return false;
  m.module = std::move(*module);
  m.parameterFile = *base + ".qx1";
  m.bases = LoadAreaBases(*base, m.module.rack, m.module.slot);
  return true;
}

std::string ProblemText(const CsvRowError& e, const CTextTable& texts) {
  switch (e.problem) {
    case CsvProblem::kFieldCount:
      return "the row does not hold a leading comma and " + std::to_string(kCsvColumns) + " values";
    case CsvProblem::kNotNumber:
      return "not a number";
    case CsvProblem::kNotFlag:
      return "must be 1 or 0";
    case CsvProblem::kBadIp:
      return "not an IP address";
    case CsvProblem::kDeviceType:
      return "not a device type";
    case CsvProblem::kLocalAddress:
      return "not a D register of the module's area";
    case CsvProblem::kKind:
      return "no address kind of the device type in brackets";
    case CsvProblem::kRemoteAddress:
      return "not an address of that kind";
    case CsvProblem::kRejected: {
      // The Item Edit dialog's own message, in the language's words.
      const std::string format = texts.Message(e.message.key);
      return format.empty() ? "refused by the item editor (" + e.message.key + ")"
                            : SafeFormat(format, e.message.args);
    }
    case CsvProblem::kNotThisModule:
      return "not a KM31QX-2C data exchange table (MODULE_ID is not 0x5881)";
    case CsvProblem::kNoRows:
      return "no data exchange items (no DE_ITEM1)";
    case CsvProblem::kNone:
      break;
  }
  return "bad row";
}

struct BadRow {
  int row = 0;
  std::string column;
  std::string reason;
};

// Every row of the file through the page's row reader, into a scratch copy
// of the record; the bad rows in row order.
std::vector<BadRow> CheckRows(const CProfileFile& file, const CsvModule& m, const ItemLimits& limits) {
  const CDeviceAddrTable table;
  const std::array<std::string, kCsvColumns> titles = CsvTitles(m.texts);
  std::vector<std::string> keys;
  file.GetKeyNames(kCsvSection, keys);
  for (std::string& key : keys) key = Upper(key);  // profile keys ignore case
  const auto has = [&keys](int n) { return std::ranges::find(keys, CsvItemKey(n)) != keys.end(); };

  std::vector<BadRow> bad;
  ModuleConfig scratch = m.module.record;
  int rows = 0;
  while (rows < layout::kMaxItems && has(rows + 1)) {
    const int n = ++rows;
    const std::string row = file.GetString(kCsvSection, CsvItemKey(n).c_str());
    if (auto e = ParseItemRow(row, n, table, limits, m.bases, scratch, n)) {
      bad.push_back({n, e->column > 0 ? titles[e->column - 1] : "row", ProblemText(*e, m.texts)});
    }
  }
  // Rows the reader stops before: after a gap, or past the table's 64 items.
  const std::string prefix = "DE_ITEM";
  for (const std::string& key : keys) {
    if (key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix) != 0 ||
        key.find_first_not_of("0123456789", prefix.size()) != std::string::npos ||
        key.size() > prefix.size() + 9) {
      continue;
    }
    const int n = std::stoi(key.substr(prefix.size()));
    if (n <= rows && key == CsvItemKey(n)) continue;
    std::string reason = "not read: row " + std::to_string(rows + 1) + " is missing";
    if (key != CsvItemKey(n) || n == 0)
      reason = "not read: rows are DE_ITEM1 to DE_ITEM64, without leading zeros";
    if (n > layout::kMaxItems) reason = "beyond the table's " + std::to_string(layout::kMaxItems) + " items";
    bad.push_back({n, "row", reason});
  }
  std::ranges::stable_sort(bad, {}, &BadRow::row);
  return bad;
}

// True for a file this command may replace: one the page or this command
// wrote (a lone section SLOT00 naming the module). Anything else, such as
// the project's own files given by mistake, is only replaced with --force.
bool IsCsvFile(const std::string& path) {
  CProfileFile file;
  file.SetPathName(path.c_str());
  const std::vector<std::string> sections = file.SectionNames();
  return sections.size() == 1 && Upper(sections.front()) == kCsvSection &&
         file.GetString(kCsvSection, "MODULE_NAME") == kCsvModuleName;
}

}  // namespace

std::string CsvTextTablePath(const std::string& language) {
  const std::string lang = Upper(language);
  const auto known = std::ranges::find(kCsvLanguages, lang);
  if (known == kCsvLanguages.end()) return "";
  const std::string module = kCsvModuleName;
  return DataDirectory() + module + "/" + module + "UI" + (lang == "EN" ? "" : "_" + lang) + ".ini";
}

int RunCsvExport(const std::string& project, const std::string& position, const std::string& file,
                 const std::string& language, bool force, Streams s) {
  CsvModule m;
  std::string error;
  if (!Open(project, position, language, m, error)) return Fail(s, error);
  if (!force && PathExists(file) && !IsCsvFile(file)) {
    return Fail(s, file + ": exists and is not a data exchange CSV file; not replaced (--force replaces it)");
  }
  if (!m.module.checksumsMatch) {
    s.err << "qxconf: " << m.module.file << " [" << m.module.section << "]: a checksum does not match\n";
  }
  const std::optional<std::string> text =
      CsvFileText(m.module.record, m.module.firmwareVersion, m.texts, m.bases);
  if (!text) return Fail(s, file + ": a text of the table holds a line break and cannot be written");
  if (!WriteFileAtomically(file, *text, &error)) return Fail(s, file + ": not written: " + error);
  const int items = std::min<int>(m.module.record.ItemCount(), layout::kMaxItems);
  s.out << BaseName(m.parameterFile) << " " << m.module.section << ": " << items
        << (items == 1 ? " item" : " items") << " exported to " << file << " (" << Upper(language) << ")\n";
  return kExitOk;
}

int RunCsvImport(const std::string& project, const std::string& position, const std::string& file,
                 const std::string& language, Streams s) {
  CsvModule m;
  std::string error;
  if (!Open(project, position, language, m, error)) return Fail(s, error);
  if (!PathExists(file)) return Fail(s, file + ": no such file");
  CProfileFile csv;
  csv.SetPathName(file.c_str());
  if (csv.GetString(kCsvSection, "MODULE_ID") != kModuleIdText) {
    return Fail(s, file + ": " + ProblemText({0, 0, CsvProblem::kNotThisModule, {}}, m.texts) +
                       "; nothing was imported");
  }
  if (!m.module.checksumsMatch) {
    s.err << "qxconf: " << m.module.file << " [" << m.module.section
          << "]: a checksum does not match; the section is written with the values as read\n";
  }
  const std::optional<std::string> base = ProjectBase(project);
  const ItemLimits limits = LimitsFor(m.module, base);
  const std::vector<BadRow> bad = CheckRows(csv, m, limits);
  for (const BadRow& b : bad) s.err << file << ":" << b.row << ": " << b.column << ": " << b.reason << "\n";
  if (!bad.empty()) {
    s.err << "qxconf: " << bad.size() << (bad.size() == 1 ? " bad row" : " bad rows") << " in " << file
          << "; nothing was imported\n";
    return kExitFindings;
  }
  // All rows are good: the page's own import puts them into the record.
  ModuleConfig record = m.module.record;
  if (const auto e = ReadCsvFile(file, CDeviceAddrTable(), limits, m.bases, record)) {
    if (e->row == 0) return Fail(s, file + ": " + ProblemText(*e, m.texts) + "; nothing was imported");
    return Fail(s, file + ":" + std::to_string(e->row) + ": changed while it was read; nothing was imported");
  }
  CProfileFile parameters;
  parameters.SetPathName(m.parameterFile.c_str());
  if (!WriteParameters(record, m.module.firmwareVersion, parameters, m.module.rack, m.module.slot, "")) {
    return Fail(s, m.parameterFile + ": not written: " + UnwritableReason(m.parameterFile));
  }
  const int items = record.ItemCount();
  s.out << BaseName(m.parameterFile) << " " << m.module.section << ": " << items
        << (items == 1 ? " item" : " items") << " imported from " << file << " into " << m.parameterFile
        << "\n";
  return kExitOk;
}

}  // namespace qx::cli
