// SlotPosition: the position text the host passes to name one module
// ("13", "SLOT111", ...), read into a rack and a slot number.
#pragma once

#include <cstdint>
#include <string_view>

namespace qx {

// "13", "111", "SLOT13", "SLOT111" (by length: 2 or 3 characters, or 6 or 7
// with the first four dropped): rack = the first character, slot = the rest,
// each as atoi reads it (a non-digit piece gives 0). Any other length leaves
// rack and slot unchanged and returns false.
bool ParseSlotPosition(std::string_view text, int32_t& rack, int32_t& slot);

// atoi as the system reads it: the one decimal reader of platform/Numbers.h
// taken as a 32-bit signed value (leading white space, an optional sign, the
// digits up to the first non-digit; no digits gives 0; a value above
// 0xFFFFFFFF reads as 0xFFFFFFFF, that is -1).
int AtoiValue(std::string_view text);

}  // namespace qx
