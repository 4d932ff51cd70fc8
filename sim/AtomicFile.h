// AtomicFile: replaces a file's contents so that a reader (or a crash) sees
// either the old file or the whole new one, never a part: the bytes go to a
// temporary file in the same folder, which is then renamed over the target.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace qx::sim {

// False with a message in error when the file could not be written; the
// old file is then untouched.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string& error);

}  // namespace qx::sim
