// Readers of the number texts the data-exchange editor meets: the entered
// remote address numbers and the comma-separated values of the module
// description and hardware files.
//
// None of them fails. Reading stops at the first character that does not
// belong, an empty text reads as 0, and a number too large for 32 bits reads
// as 0xFFFFFFFF (so an absurd entry lands outside every address range instead
// of wrapping round into one).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qx {

// Leading decimal digits.
uint32_t ReadDecimal(std::string_view text);

// Leading hexadecimal digits of either case after an optional "0x" or "0X".
uint32_t ReadHex(std::string_view text);

// The X/Y notation of the CPU Model A and B families: the text read as a
// decimal number n, then n's decimal digits weighted by powers of 8 (units
// x 1, tens x 8, hundreds x 64 ...). "377" gives 255; "18", which is no octal
// number, gives 16. 0 for n < 1.
uint32_t ReadOctalDigits(std::string_view text);

// Field `index` (from 0) of a comma-separated value; empty when missing.
std::string_view CommaField(std::string_view value, std::size_t index);

// The text without its leading spaces and tabs.
std::string_view SkipBlanks(std::string_view text);

}  // namespace qx
