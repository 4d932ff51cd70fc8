// PlantFile: the file telling qxcommd where modules of this type sit.
// A profile (INI) file, one section per station and one key per rack:
//
//   ; station 1, rack 1: modules in slot numbers 3 and 8 (slot indexes 2 and 7)
//   [STATION1]
//   RACK1=3,8
//
// Section "STATION<n>": n is the station as the frames carry it (the low 8
// bits of the project's target station), 0..255. Key "RACK<r>": r is the
// rack, 0..255; its value lists slot numbers as the frames carry them (the
// zero-based slot index + 1), 0..255, separated by commas. Names are
// case-insensitive; ';' starts a comment line. Any other section, key or
// line, a bad number, a position listed twice, or no module at all is an
// error, so a typo never silently leaves a module out.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/Plant.h"

namespace qx::sim {

// The modules the file lists, or nullopt with a message in error.
std::optional<std::vector<ModuleAddress>> ReadPlantFile(const std::string& path, std::string& error);

}  // namespace qx::sim
