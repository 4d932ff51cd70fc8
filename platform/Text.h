// Text: the small byte-text helpers every layer shares. Texts are byte
// strings in the system code page; case is folded for ASCII letters only,
// whatever the process locale, as the profile functions compare names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

inline char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The text with its ASCII letters lower-cased (upper-cased).
std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);

bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b);

// 0..15 for a hexadecimal digit of either case, else -1.
int HexDigitValue(char c);

// The value of c as a digit of radix 2 to 16, or -1 when it is none.
inline int DigitIn(char c, int radix) {
  const int d = HexDigitValue(c);
  return d < radix ? d : -1;
}

// White space of the C locale (isspace): space, \t, \n, \v, \f, \r.
inline bool IsCSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The text without the given characters at either end.
std::string_view Trim(std::string_view text, std::string_view characters = " \t");
// The text without the given characters at its start.
std::string_view TrimStart(std::string_view text, std::string_view characters = " \t");

// The fields of a text split at every comma, empty ones kept ("a,,b," has
// four, the last empty); an empty text has none. The fields point into text.
std::vector<std::string_view> SplitCommas(std::string_view text);

// Field index (from 0) of SplitCommas(text), without building the list;
// empty when the text has no such field.
std::string_view CommaField(std::string_view text, std::size_t index);

}  // namespace qx
