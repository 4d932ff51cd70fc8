#include "platform/TextTable.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/ProfileFile.h"
#include "platform/Text.h"

namespace qx {
namespace {

// Larger widths or precisions are refused: a text table is data, and a
// "%999999999d" in it must not turn into a gigabyte of spaces.
constexpr int kMaxFieldWidth = 4096;

constexpr const char* kUiSection = "UIStr";
constexpr const char* kMessageSection = "MsgStr";

// One printf conversion as found in a format, before the argument is known.
struct Conversion {
  std::string flags;       // each of "-+ #0" at most once
  int width = -1;          // -1: none
  int precision = -1;      // -1: none
  char conversion = '\0';  // one of "diuxXocs"
  int bits = 32;           // width of the integer the length modifier names
  std::size_t end = 0;     // index just past the conversion character
};

bool IsFlag(char c) {
  return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads decimal digits at pos; nullopt when the number exceeds the cap.
std::optional<int> ReadBoundedNumber(std::string_view text, std::size_t& pos) {
  int value = 0;
  while (pos < text.size() && IsDigit(text[pos])) {
    value = value * 10 + (text[pos] - '0');
    if (value > kMaxFieldWidth) return std::nullopt;
    ++pos;
  }
  return value;
}

// Reads an integer length modifier (hh h l ll j z t) and returns the width
// of the integer it names on the platform the texts were written for, where
// int, long, size_t and ptrdiff_t are 32 bits: "%u" of -1 is 4294967295 and
// "%hd" of 70000 is 4464. Other modifiers (L, q, ...) are left in place, so
// the conversion check refuses them.
int ReadLengthModifier(std::string_view text, std::size_t& pos) {
  if (pos >= text.size()) return 32;
  const char c = text[pos];
  if (c == 'h' || c == 'l') {
    ++pos;
    const bool doubled = pos < text.size() && text[pos] == c;
    if (doubled) ++pos;
    if (c == 'h') return doubled ? 8 : 16;
    return doubled ? 64 : 32;
  }
  if (c == 'j') return ++pos, 64;
  if (c == 'z' || c == 't') return ++pos, 32;
  return 32;
}

// Parses the conversion whose '%' is at start (not "%%"). Nullopt for
// anything this formatter does not serve: '*' widths, positional arguments,
// %n, %p, floating conversions, wide characters, a cut-off conversion.
std::optional<Conversion> ParseConversion(std::string_view text, std::size_t start) {
  Conversion conv;
  std::size_t pos = start + 1;
  while (pos < text.size() && IsFlag(text[pos])) {
    if (conv.flags.find(text[pos]) == std::string::npos) conv.flags += text[pos];
    ++pos;
  }
  if (pos < text.size() && IsDigit(text[pos])) {
    const std::optional<int> width = ReadBoundedNumber(text, pos);
    if (!width) return std::nullopt;
    conv.width = *width;
  }
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    const std::optional<int> precision = ReadBoundedNumber(text, pos);
    if (!precision) return std::nullopt;
    conv.precision = *precision;
  }
  const std::size_t length_start = pos;
  conv.bits = ReadLengthModifier(text, pos);
  if (pos >= text.size()) return std::nullopt;
  const char c = text[pos];
  static constexpr std::string_view kServed = "diuxXocs";
  if (kServed.find(c) == std::string_view::npos) return std::nullopt;
  // "%ls" and "%lc" name wide characters, which we never pass.
  if ((c == 's' || c == 'c') && pos != length_start) return std::nullopt;
  conv.conversion = c;
  conv.end = pos + 1;
  return conv;
}

// Keeps only the flags that printf defines for the conversion, so the conversion
// given to snprintf is always a well-defined one.
std::string UsableFlags(const Conversion& conv) {
  std::string_view allowed;
  switch (conv.conversion) {
    case 'd':
    case 'i':
      allowed = "-+ 0";
      break;
    case 'u':
      allowed = "-0";
      break;
    case 'x':
    case 'X':
    case 'o':
      allowed = "-#0";
      break;
    default:  // c, s
      allowed = "-";
      break;
  }
  std::string flags;
  for (char f : conv.flags) {
    if (allowed.find(f) != std::string_view::npos) flags += f;
  }
  return flags;
}

std::string BuildSpec(const Conversion& conv) {
  std::string conversion = "%" + UsableFlags(conv);
  if (conv.width >= 0) conversion += std::to_string(conv.width);
  // A precision has no defined meaning for %c.
  if (conv.precision >= 0 && conv.conversion != 'c') conversion += "." + std::to_string(conv.precision);
  if (conv.conversion != 'c' && conv.conversion != 's') conversion += "ll";
  conversion += conv.conversion;
  return conversion;
}

template <typename T>
std::optional<std::string> FormatWith(const std::string& conversion, T value) {
  const int needed = std::snprintf(nullptr, 0, conversion.c_str(), value);
  if (needed < 0) return std::nullopt;
  std::string out(static_cast<std::size_t>(needed) + 1, '\0');
  std::snprintf(out.data(), out.size(), conversion.c_str(), value);
  out.resize(static_cast<std::size_t>(needed));
  return out;
}

// The text of one conversion, or nullopt when the argument has the wrong type.
std::optional<std::string> FormatConversion(const Conversion& conv, const TextArg& arg) {
  const std::string conversion = BuildSpec(conv);
  if (conv.conversion == 's') {
    const std::string* text = std::get_if<std::string>(&arg);
    if (text == nullptr) return std::nullopt;
    return FormatWith(conversion, text->c_str());
  }
  const long long* number = std::get_if<long long>(&arg);
  if (number == nullptr) return std::nullopt;
  if (conv.conversion == 'c') return FormatWith(conversion, static_cast<int>(static_cast<unsigned char>(*number)));
  // The argument as the integer of the conversion's width: its low bits,
  // signed for d and i.
  const int drop = 64 - conv.bits;
  const auto low = static_cast<unsigned long long>(*number) << drop >> drop;
  if (conv.conversion == 'd' || conv.conversion == 'i') {
    auto value = static_cast<long long>(low);
    if (drop > 0 && (low >> (conv.bits - 1)) != 0) value -= 1LL << conv.bits;
    return FormatWith(conversion, value);
  }
  return FormatWith(conversion, low);
}

struct UiWordEntry {
  std::string_view key;
  const char* text;
};

constexpr std::array<UiWordEntry, 33> kUiWords = {{
    {"TAB_DataExch", "Data Exchange"},
    {"TAB_NTP", "NTP"},
    {"TAB_SNMP", "SNMP"},
    {"TAB_Mail", "E-Mail"},
    {"TAB_MailP1", "Mail Server"},
    {"TAB_MailP2", "Email Trigger"},
    {"TAB_MailP3", "Email and Trigger Configuration"},
    {"TAB_DE_Item", "Item"},
    {"TAB_DE_Enable", "Enable"},
    {"TAB_DE_Slave_Addr", "Slave Address"},
    {"TAB_DE_IP_Addr", "IP Address"},
    {"TAB_DE_Local_Addr", "Local Address"},
    {"TAB_DE_Remote_Addr", "Remote Address"},
    {"TAB_DE_Quantity", "Quantity"},
    {"TAB_DE_Update_Cycle", "Update Cycle"},
    {"TAB_DE_Timeout", "Timeout"},
    {"TAB_DE_Support_Function", "Support Function Code 0x17"},
    {"TAB_DE_Device_Type", "Device Type"},
    {"TAB_DE_Input", "Input"},
    {"TAB_DE_Output", "Output"},
    {"TAB_MailP2_Trig_Name", "Trigger Name"},
    {"TAB_MailP2_Trig_Mode", "Trigger Mode"},
    {"TAB_MailP2_Attached", "Attached"},
    {"TAB_MailP3_TrigConf", "Trigger"},
    {"TAB_MailP3_Mail_Addr", "Email Address"},
    {"TAB_MailP3_Device", "Device"},
    {"TAB_MailP3_Number", "Number"},
    {"TAB_MailP3_Length", "Length"},
    {"TAB_MailP3_TrigMode1", "Device Register Trigger"},
    {"TAB_MailP3_TrigMode2", "CPU ( STOP <=> RUN )"},
    {"TAB_MailP3_TrigMode3", "Periodic Timer"},
    {"TAB_MailP3_Attachment1", "None"},
    {"TAB_MailP3_Attachment2", "PLC Device"},
}};


}  // namespace

std::string SafeFormat(std::string_view format, std::span<const TextArg> args) {
  std::string out;
  std::size_t next_arg = 0;
  std::size_t pos = 0;
  while (pos < format.size()) {
    const std::size_t percent = format.find('%', pos);
    if (percent == std::string_view::npos) {
      out.append(format.substr(pos));
      break;
    }
    out.append(format.substr(pos, percent - pos));
    if (percent + 1 < format.size() && format[percent + 1] == '%') {
      out += '%';
      pos = percent + 2;
      continue;
    }
    const std::optional<Conversion> conv = ParseConversion(format, percent);
    if (!conv || next_arg >= args.size()) return std::string(format);
    const std::optional<std::string> piece = FormatConversion(*conv, args[next_arg++]);
    if (!piece) return std::string(format);
    out += *piece;
    pos = conv->end;
  }
  return out;
}

const char* BuiltinUiWord(std::string_view key) {
  for (const UiWordEntry& entry : kUiWords) {
    // Profile keys compare without regard to ASCII case; the built-in words
    // are found the same way, so a key that finds a file entry finds its default.
    if (EqualsIgnoreCaseAscii(entry.key, key)) return entry.text;
  }
  return nullptr;
}

std::string CTextTable::UiWord(std::string_view key) const {
  const char* builtin = BuiltinUiWord(key);
  // An unknown key has no built-in text and stays empty.
  return UiWord(key, builtin != nullptr ? builtin : "");
}

std::string CTextTable::UiWord(std::string_view key, std::string_view fallback) const {
  std::string word = file_->GetString(kUiSection, std::string(key).c_str());
  if (word.empty()) word = fallback;
  return word;
}

std::string CTextTable::Message(std::string_view key) const {
  return file_->GetString(kMessageSection, std::string(key).c_str());
}

std::string CTextTable::FormatMessage(std::string_view key, std::initializer_list<TextArg> args) const {
  return SafeFormat(Message(key), std::span<const TextArg>(args.begin(), args.size()));
}

}  // namespace qx
