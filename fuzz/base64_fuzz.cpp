// Fuzz target: arbitrary bytes as a stored Base64 user name or password.
// The decoder must stop at its cap and give a text without NUL bytes; any
// text of the record's field size (up to its NUL) must come back whole from
// its encoding.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/Base64.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string decoded = qx::Base64Decode(input);
  Check(decoded.size() <= qx::kBase64DecodeCap + 2);
  Check(decoded.find('\0') == std::string::npos);

  const std::string_view text = input.substr(0, std::min<std::size_t>(input.find('\0'), 64));
  const std::string encoded = qx::Base64Encode(text);
  Check(encoded.size() == (text.size() + 2) / 3 * 4);
  Check(qx::Base64Decode(encoded) == text);
  return 0;
}
