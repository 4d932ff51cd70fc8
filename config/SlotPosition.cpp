#include "config/SlotPosition.h"

#include "platform/Numbers.h"

namespace qx {

int AtoiValue(std::string_view text) {
  return ReadSigned32(text);
}

bool ParseSlotPosition(std::string_view text, int32_t& rack, int32_t& slot) {
  if (text.size() == 6 || text.size() == 7) text.remove_prefix(4);
  if (text.size() != 2 && text.size() != 3) return false;
  rack = AtoiValue(text.substr(0, 1));
  slot = AtoiValue(text.substr(1));
  return true;
}

}  // namespace qx
