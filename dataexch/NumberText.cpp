#include "dataexch/NumberText.h"

#include "platform/Numbers.h"

namespace qx {

uint32_t ReadOctalDigits(std::string_view text) {
  uint32_t n = ReadLeadingDigits32(text);
  uint32_t value = 0;
  uint32_t weight = 1;
  // Ten decimal digits at most, so the sum stays below 9 * 8^10 / 7 < 2^31.
  for (; n > 0; n /= 10, weight *= 8) value += (n % 10) * weight;
  return value;
}

}  // namespace qx
