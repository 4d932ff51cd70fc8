// The data-exchange table as a comma-separated file, laid out as a profile
// file: section SLOT00 with MODULE_NAME, MODULE_ID and FWVER, the header row
// under the "Item" word, then one row per item in use under DE_ITEM<n>, in
// the header's column order and in the words a person reads:
//
//   Item=,Enable,Slave Address,IP Address,Update Cycle,Timeout,Support ...
//   DE_ITEM1=,1,1,192.168.1.20,100,500,0,MODBUS TCP,D4096,1F (MODBUS Register Hex),10,D4608,0 (MODBUS Coil Hex),0
//
// Enable and the 0x17 support are 1 or 0; the device type is its list name;
// local addresses are the module's D registers (area base + local offset);
// a remote address is written in the device's notation with its kind's list
// name in brackets. A row starts with a comma, as the header row does, so
// that both line up under the key column.
//
// Reading rows back runs every row through the item editor's own validation
// (ItemValidation.h), so an imported item is stored exactly as the Item Edit
// dialog would store it. The first bad row stops the import with its row
// number, column and reason, and the table is left as it was.
//
// Plain logic over CProfileFile and CTextTable; no window toolkit.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ModuleConfig.h"
#include "dataexch/DeviceAddrTable.h"
#include "dataexch/ItemEditor.h"
#include "dataexch/ItemLimits.h"

namespace qx {

class CTextTable;

inline constexpr int kCsvColumns = 13;
inline constexpr char kCsvSection[] = "SLOT00";
inline constexpr char kCsvModuleName[] = "KM31QX-2C";

// The 13 column titles in the language of the text table (English defaults
// for missing words), and the header row made of them.
std::array<std::string, kCsvColumns> CsvTitles(const CTextTable& texts);
std::string CsvHeaderRow(const std::array<std::string, kCsvColumns>& titles);
// The key of the header row: the "TAB_DE_Item" word.
std::string CsvHeaderKey(const CTextTable& texts);
// "DE_ITEM<n>".
std::string CsvItemKey(int itemNumber);

// Row of item itemNumber (1..64) of the record.
std::string FormatItemRow(const ModuleConfig& config, int itemNumber, const AreaBases& bases);

enum class CsvProblem {
  kNone,
  kNotThisModule,  // MODULE_ID is not this module type's (row 0)
  kNoRows,         // no DE_ITEM1 (row 0)
  kFieldCount,     // not 13 values after the leading comma
  kNotNumber,      // a number column holds something else
  kNotFlag,        // Enable or 0x17 support is not 0 or 1
  kBadIp,          // not four dotted numbers of 0 to 255
  kDeviceType,     // not a device type name
  kLocalAddress,   // not "D" + a register inside the area from its base
  kKind,           // no kind name in brackets, or one the device type's list lacks
  kRemoteAddress,  // not an address of that kind in the device's notation
  kRejected,       // the item editor's validation refused it: see Message
};

struct CsvRowError {
  int row = 0;     // 1-based item row; 0 for the file as a whole
  int column = 0;  // 1..13 as in the header; 0 for the row or file as a whole
  CsvProblem problem = CsvProblem::kNone;
  MessageRef message;  // the editor's message (MsgStr key and arguments) for kRejected
};

// Parses row (the value of a DE_ITEM key) into item itemNumber of config
// through the editor's validation; on failure the item may be half written
// (use a scratch record). rowNumber is only reported.
std::optional<CsvRowError> ParseItemRow(std::string_view row, int rowNumber, const CDeviceAddrTable& table,
                                        const ItemLimits& limits, const AreaBases& bases, ModuleConfig& config,
                                        int itemNumber);

// The bytes of the file: section, header row and item rows (items in use
// only), each line a profile "key=value" line ended by CR LF. nullopt when a
// text of the table holds a line break and could not be written as a line.
std::optional<std::string> CsvFileText(const ModuleConfig& config, uint32_t firmwareVersion, const CTextTable& texts,
                                       const AreaBases& bases);

// Writes CsvFileText at path, replacing any file there atomically (a reader
// sees the old file or the whole new one). False when it could not be saved.
bool WriteCsvFile(const std::string& path, const ModuleConfig& config, uint32_t firmwareVersion,
                  const CTextTable& texts, const AreaBases& bases);

// Reads the rows of the file at path into the record's table (items and
// ItemCount; the Enable Condition stays). Rows are read from DE_ITEM1 up to
// the first missing key, at most 64. All or nothing: on an error the record
// is untouched.
std::optional<CsvRowError> ReadCsvFile(const std::string& path, const CDeviceAddrTable& table,
                                       const ItemLimits& limits, const AreaBases& bases, ModuleConfig& config);

}  // namespace qx
