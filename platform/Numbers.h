// Numbers: the one reader of number texts that come from files, with one
// overflow rule for the whole system. The files were written for a platform
// whose strtoul and integers are 32 bits wide, so numbers read here behave
// as they do there:
//  - leading white space, then an optional sign, then digits of the base up
//    to the first other character; no digits give 0;
//  - a value above 0xFFFFFFFF saturates to 0xFFFFFFFF (whatever the sign);
//  - a minus sign negates the value modulo 2^32 ("-1" is 0xFFFFFFFF).
// Narrower fields take the low bits of the result; a signed field takes the
// 32-bit two's complement ("-18000" stays -18000).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qx {

// strtoul of the text with 32-bit unsigned long. base 16 also accepts a
// "0x" or "0X" prefix before its first digit; a base other than 2, 8 or 16
// means 10.
uint32_t ReadUnsigned32(std::string_view text, int base = 10);

// The digits of the base at the very start of the text, up to the first
// other character, with ReadUnsigned32's saturation, but nothing before the
// digits: no white space, no sign ("-1" and " 1" read 0). Base 16 also takes
// a "0x" or "0X" prefix. For texts that by their own rule hold digits alone
// (entered addresses and counts, fields of the module description), where a
// sign must not turn into a huge value.
uint32_t ReadLeadingDigits32(std::string_view text, int base = 10);

// The same value as the 32-bit signed integer it is on the platform: atoi's
// use in the system (positions, rack type codes) reads through here too.
inline int32_t ReadSigned32(std::string_view text) {
  return static_cast<int32_t>(ReadUnsigned32(text, 10));
}

// atoi of the original platform's C library as the edit fields of the
// windows use it: white space, an optional sign, decimal digits; a value
// beyond the 32-bit signed range clamps to INT32_MIN or INT32_MAX (unlike
// ReadSigned32, where "4294967296" is -1 and "3000000000" wraps negative).
int32_t ReadClampedSigned32(std::string_view text);

// A number given whole, as on a command line or in a simulator's plant
// file: decimal digits, or hexadecimal digits after "0x" or "0X", and
// nothing else (no blanks, no sign); nullopt for anything else or a value
// above 0xFFFFFFFF.
std::optional<uint32_t> ParseWholeNumber(std::string_view text);

// ParseWholeNumber with an optional leading '+' or '-', for arguments that
// may be signed: any value from INT32_MIN to 0xFFFFFFFF ("-0x10" is -16).
std::optional<int64_t> ParseWholeSignedNumber(std::string_view text);

}  // namespace qx
