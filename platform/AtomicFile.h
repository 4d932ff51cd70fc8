// AtomicFile: the one way the system replaces a file's contents (the INI
// engine's saves, the simulator's state folder and ready file), so that a
// reader or a crash sees either the old file or the whole new one.
//
// The bytes go to a new temporary file in the same folder, reach the disk
// (fsync) and are renamed over the target. A path that is a symbolic link
// writes the file it points to, and the link stays; an existing file keeps
// its permission bits. A file marked read-only (no write permission bits)
// or that the process may not write is never replaced.
//
// Where the folder cannot take a new file but the file itself is writable
// (a project on a share whose files may be written but not created), the
// file is rewritten in place and synced instead: the save then succeeds,
// but a crash during it may leave the file cut short.
#pragma once

#include <string>
#include <string_view>

namespace qx {

enum class Durability {
  kSynced,  // the bytes reach the disk before the rename
  kRenameOnly,  // no fsync: still never half a file to a reader, but a power cut may lose the write
};

// False when the file could not be written, with the reason in *error when
// error is given; the old file is then untouched (but see the in-place
// rewrite above). Never creates the folder.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr,
                         Durability durability = Durability::kSynced);

}  // namespace qx
