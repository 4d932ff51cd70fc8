// Base64 coding of the mail account's user name and password, which the
// record keeps only in their encoded form (UserNameText, PasswordText).
//
// The encoder gives the standard form (alphabet A-Z a-z 0-9 + /, "=" padding).
// The decoder is the module's own and more lenient than the standard: it
// skips every byte outside the alphabet, reads "=" as the value 0, drops a
// final group of fewer than four values, stops taking input once 8188 bytes
// have been produced, and its result ends at the first NUL byte (so padded
// input, whose "=" decode as zero bytes, ends where the text ended).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

// Once this many bytes are out, the decoder reads no further input; the
// group under way is still completed, so at most kBase64DecodeCap + 2 bytes
// come out.
constexpr std::size_t kBase64DecodeCap = 8188;

// The Base64 form of the bytes of text (every byte 0-255 is coded); an empty
// text gives an empty text.
std::string Base64Encode(std::string_view text);

// The bytes coded by text, read up to its first NUL, as a text that ends at
// the first NUL byte decoded. Never fails: any input gives some text.
std::string Base64Decode(std::string_view text);

}  // namespace qx
