// NumberText: the one number notation of the data-exchange editor that no
// other part of the system shares. The decimal and hexadecimal readers of
// the entered remote addresses and of the module description's values are
// ReadLeadingDigits32 (platform/Numbers.h): digits alone, no blanks or sign,
// a number too large for 32 bits reads 0xFFFFFFFF, so that an absurd entry
// lands outside every address range instead of wrapping round into one.
#pragma once

#include <cstdint>
#include <string_view>

namespace qx {

// The X/Y notation of the CPU Model A and B families: the text read as a
// decimal number n, then n's decimal digits weighted by powers of 8 (units
// x 1, tens x 8, hundreds x 64 ...). "377" gives 255; "18", which is no octal
// number, gives 16. 0 for n < 1.
uint32_t ReadOctalDigits(std::string_view text);

}  // namespace qx
