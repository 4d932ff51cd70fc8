// Paths: the environment and file-system look-ups of the system, kept here so
// that nothing above platform/ asks the OS directly.
//
// The common application data folder of the original platform is
// $QX_COMMON_APPDATA when it is set and not empty, else the share folder of
// the install prefix this code was loaded from: the library in
// <prefix>/lib/.../km31qx2c or a program in <prefix>/bin finds
// <prefix>/share, wherever the tree was installed. Code that runs from
// elsewhere (the build tree) falls back to the prefix fixed at build time.
// Folders are written with '/'.
#pragma once

#include <optional>
#include <string>

namespace qx {

// The variable's value, or nothing when it is not set.
std::optional<std::string> EnvironmentValue(const char* name);

// The common application data folder, without a trailing '/'.
std::string CommonAppDataFolder();

// The share folder of the install tree that holds the file at loadedFrom
// (a library or a program), or "" when that file is not inside an install
// tree of this build's layout.
std::string InstalledShareFolder(const std::string& loadedFrom);

// True when anything (a file, a folder) exists at path; false for "".
bool PathExists(const std::string& path);

// Why a file cannot be saved at path, in a few English words ("the file is
// read-only", "its folder: Permission denied", ...), as far as the file
// system tells; a general phrase when it tells nothing. Saving replaces the
// file through a new file in the same folder, so the folder must be writable
// and the file not marked read-only.
std::string UnwritableReason(const std::string& path);

// The folder of the running program's executable, without a trailing '/';
// "." when it cannot be found out.
std::string ExecutableFolder();

}  // namespace qx
