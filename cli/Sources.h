// Sources: where qxconf finds a module's configuration. A project is named
// by its base path (the host's name for it; "line1.ini" and "line1.qx1" name
// the same project) and holds one section per module in its parameter file
// (base + ".qx1"); a file is a parameter or export file read on its own, each
// section of it that carries this module's identifier ("MODULE_ID" 0x5881) a
// module. Files ending in ".ini" are read in the old hexadecimal form, as the
// configurator's import reads them.
//
// Nothing here writes: a project's parameter file is read as it lies, without
// the reconciliation the window session does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/ModuleConfig.h"

namespace qx::cli {

struct ModuleSource {
  std::string file;     // the file the section was read from
  std::string section;  // "SLOT12"
  int rack = 0;
  int slot = 0;  // zero-based index
  ModuleConfig record;
  uint32_t firmwareVersion = 0;
  bool checksumsMatch = true;
};

// A project named by argument: its base path, when base + ".ini" is a host
// project file (it has "HW_CFG").
std::optional<std::string> ProjectBase(const std::string& argument);

// True when the argument names a project rather than a parameter file: it
// is one (ProjectBase) and does not end in ".qx1".
bool NamesProject(const std::string& argument);

// The module at the position ("12", "SLOT12") of the project's parameter
// file; nullopt with a message in error.
std::optional<ModuleSource> LoadProjectModule(const std::string& base, const std::string& position,
                                              std::string& error);

// Every module section of a file in file order; nullopt with a message when
// the file is missing or holds none.
std::optional<std::vector<ModuleSource>> LoadFileModules(const std::string& path, std::string& error);

// The module sections of the project's parameter file for the rack-1 slots
// the project gives this module type, in slot order. A slot whose section
// holds no parameters fails the whole load, or, when missing is given, is
// named there and left out.
std::optional<std::vector<ModuleSource>> LoadProjectModules(const std::string& base, std::string& error,
                                                            std::vector<std::string>* missing = nullptr);

// "12", "111", "SLOT12" (any case): the position forms the host writes.
bool IsPosition(const std::string& text);

// The file name without folder and extension ("plant/line1" gives "line1").
std::string BaseName(const std::string& path);

}  // namespace qx::cli
