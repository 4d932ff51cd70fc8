// ParameterCodec: the module's record as text in a profile-file section,
// one section per rack slot ("SLOT%d%d"), as the project's parameter file
// (".qx1") and the stand-alone export files hold it.
//
// Comma form (written and read): each group of fields is one value, its
// fields in decimal or hexadecimal joined by commas, closed by a comma and
// the CRC-16 of the text before that comma ("%x"). Keys in the order written:
// DE, DE_ITEM1..64, NTP, SNMP, Mail_serverConf, Mail_remotAddr1..8,
// Mail_trigConf1..8 (MODULE_ID and FWVER first when a path is given).
//
// Hex form (read only, files whose name ends in ".ini"): NTP and SNMP hold
// hex dumps of their blocks, the mail block is split into pieces Mail_0..
// counted by MailCnt.
//
// Limits of the comma form, kept on purpose so that files stay readable by
// every installation:
// - No escapes: a comma inside a text splits the value when it is read, and
//   the reader takes the fields as split, so the editing pages have to
//   refuse commas in those texts.
//   A recipient address is the whole text before the last comma, so it may
//   hold commas.
// - A text cannot hold a line break: a text is written up to its first NUL,
//   CR or LF.
// - Blanks at the start of a recipient address are not written: the address
//   opens its value, and the profile format trims values when reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/ModuleConfig.h"
#include "platform/ProfileFile.h"

namespace qx {

class IniDocument;

inline constexpr char kModuleIdText[] = "0x5881";  // "0x%X" of 22657

// "SLOT%d%d": rack 1, slot 3 gives SLOT13; rack 1, slot 11 gives SLOT111.
std::string SlotSectionName(int rack, int slot);

// "%x" of the CRC-16/MODBUS of the text's bytes; only the first 1024 bytes
// count, as in the communication library.
std::string ValueChecksum(std::string_view text);

// Upper-cases, skips a leading "0X", then accumulates hexadecimal digits up
// to the first other character; no digit gives 0. More than eight digits
// keep the low 32 bits.
uint32_t HexToInt(std::string_view text);

// Each pair of hexadecimal digits (either case) becomes one byte; out is
// replaced by the bytes and their count returned. An odd length, or a
// character that is not a hexadecimal digit, returns -1 and leaves out
// untouched.
int HexToBytes(std::string_view text, std::vector<uint8_t>& out);

// Splits a text at every comma, keeping empty fields ("a,,b," has four
// fields, the last empty); an empty text has no fields.
// REQUIRES: the text outlives the splitter.
class FieldSplitter {
 public:
  explicit FieldSplitter(std::string_view text);
  std::size_t Count() const { return fields_.size(); }
  // Field n, counted from 0; beyond the last: "".
  std::string_view Field(std::size_t n) const { return n < fields_.size() ? fields_[n] : std::string_view(); }

 private:
  std::vector<std::string_view> fields_;
};

// Reads the pieces of a block split over keys: "<key>Cnt" gives their count
// in decimal, "<key>_0", "<key>_1", ... are hex dumps. Piece i goes to byte
// 1000 * i of the buffer and is cut at 1000 bytes (and at the buffer's end);
// pieces that would start past the buffer, odd-length or non-hex pieces are
// skipped. Returns the number of bytes placed. Bytes no piece covers are
// left as they were.
int ReadHexPieces(const CProfileFile& file, const char* section, const char* key, std::span<uint8_t> buffer);

// Whether a stored comma-form value ends in the checksum of the text before
// its last comma. A value without a comma has no checksum and does not match.
bool ValueChecksumMatches(std::string_view value);

// The section's comma-form keys in the order written (without MODULE_ID and
// FWVER): DE, DE_ITEM1..64, NTP, SNMP, Mail_serverConf, Mail_remotAddr1..8,
// Mail_trigConf1..8.
const std::vector<std::string>& ParameterKeys();

// The section's key=value pairs in the comma form, in the order written
// (without MODULE_ID and FWVER).
std::vector<std::pair<std::string, std::string>> ParameterValues(const ModuleConfig& record);

// One key's value as WriteParameters writes it; empty for a key that is not
// one of ParameterKeys().
std::string ParameterValue(const ModuleConfig& record, std::string_view key);

// Loads one stored value (checksum included or not; it is not checked) into
// the record as ReadParameters loads it, the two values it brings into range
// included. Returns false, record unchanged, for a key that is not one of
// ParameterKeys().
bool LoadParameterValue(ModuleConfig& record, std::string_view key, std::string_view value);

// Writes the record into the section of rack and slot. An empty path writes
// into the file parameterFile is bound to; a non-empty path binds
// parameterFile to it for the write (adding MODULE_ID and FWVER = "%X" of
// firmwareVersion first) and binds it back afterwards. The section is saved
// with one write of the file. Returns false when the file could not be saved.
bool WriteParameters(const ModuleConfig& record, uint32_t firmwareVersion, CProfileFile& parameterFile,
                     int rack, int slot, const std::string& path);

// Reads the section of rack and slot into the record. Results:
//   1  read;
//  -1  (path given) the section's MODULE_ID is not "0x5881": record unchanged;
//  -2  (path given) read, but at least one value (absent ones included) did
//      not match its checksum; the values are loaded all the same.
// An empty path reads the file parameterFile is bound to and gives 1. A path
// is used as for WriteParameters; when the text from its last '.' is exactly
// ".ini", the section is read in the hex form.
// Every field is stored as the file holds it (length bytes included, even
// when they disagree with their texts), but for two values the pages could
// not show: an ItemCount above 64 becomes 64, a TriggerMode above 3 becomes 0.
int ReadParameters(ModuleConfig& record, CProfileFile& parameterFile, int rack, int slot,
                   const std::string& path);

// A new project parameter file: its comment header and the empty sections
// SLOT10..SLOT111, lines ended by CR LF.
std::string NewParameterFileText();

// Creates or replaces the project's parameter file with NewParameterFileText().
// False when the file could not be written.
bool CreateParameterFile(const std::string& path);

// Puts a module's section into a profile document in memory, as
// WriteParameters writes it with a path: MODULE_ID and FWVER ("%X") first
// (kept where the section already has them), then the comma-form values.
// False when a value cannot stand on one line. Files built whole (export
// files, converted files) are written at once from such a document.
bool PutParameterSection(IniDocument& document, const std::string& section, const ModuleConfig& record,
                         uint32_t firmwareVersion);

}  // namespace qx
