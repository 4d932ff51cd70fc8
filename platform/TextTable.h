// CTextTable: the localized texts of one language, read from the text table
// file bound to a CProfileFile: interface words from section "UIStr" (with a
// built-in English text for each of the 33 keys) and messages "Msg1".."Msg37"
// from section "MsgStr" (no built-in text; a missing one is empty).
//
// Message texts are data from a file and are used as printf-style formats,
// so formatting is checked: a text whose conversions do not match the
// arguments given (a %s where an integer is given, %n, more conversions than
// arguments, anything unknown) is returned as it stands, never formatted.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace qx {

class CProfileFile;

// One printf argument: an integer (for d i u x X o c) or a text (for s).
using TextArg = std::variant<long long, std::string>;

// printf of format with args when every conversion matches its argument;
// otherwise the format unchanged. "%%" is a percent sign. An integer is
// formatted as the integer its conversion names on the 32-bit platform the
// texts were written for (int and long 32 bits, "%hd" 16, "%hhu" 8, "%lld"
// 64): "%u" of -1 is 4294967295, "%hd" of 70000 is 4464.
std::string SafeFormat(std::string_view format, std::span<const TextArg> args);

// The built-in English interface word of key, or nullptr for an unknown key.
const char* BuiltinUiWord(std::string_view key);

class CTextTable {
 public:
  // REQUIRES: file outlives this object. The file may be unbound (then every
  // lookup finds nothing).
  explicit CTextTable(const CProfileFile& file) : file_(&file) {}

  // UIStr word; an empty result becomes the built-in English text (or
  // fallback when given: "TAB_Mail" reads "Email" as a row label).
  std::string UiWord(std::string_view key) const;
  std::string UiWord(std::string_view key, std::string_view fallback) const;

  // MsgStr text as it stands ("" when missing).
  std::string Message(std::string_view key) const;
  // MsgStr text formatted with args through SafeFormat.
  std::string FormatMessage(std::string_view key, std::initializer_list<TextArg> args) const;

 private:
  const CProfileFile* file_;
};

}  // namespace qx
