// The limits the item editor checks local offsets against, and the base
// registers of the module's read and write areas, with where they come from:
// the host's data-exchange length limits, the module description file
// (<ModuleDirectory>KM31QX-2C.mds, section "Params") and the host's hardware
// file (<ProjectBasePath>.hw, section "<rack><slot + 1>").
//
// A missing file, section, key or field reads as 0, so a limit derived from it
// is -1 and refuses every offset; no message names the missing file.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// ReadLimit / WriteLimit when nothing sets them: the project has no path yet
// (an editor opened without a host project), so there is no file to take a
// limit from and the offsets are left unlimited. The area maxima are then 0.
inline constexpr int kNoLimit = std::numeric_limits<int>::max();

struct ItemLimits {
  int ReadLimit = kNoLimit;   // highest local offset of a read block
  int WriteLimit = kNoLimit;  // highest local offset of a write block
  int ReadAreaMax = 0;        // last register of the module's read area
  int WriteAreaMax = 0;
};

struct AreaBases {
  uint32_t ReadBaseRegister = 0;
  uint32_t WriteBaseRegister = 0;
};

struct LimitSources {
  std::string ProjectBasePath;
  std::string ModuleDirectory;
  int Rack = 0;
  int Slot = 0;  // zero-based
  std::optional<int> ReadLenMax;
  std::optional<int> WriteLenMax;
};

// ---- Values to numbers ----------------------------------------------------
// Module description "Param54"/"Param56": fifth field, decimal, minus 1.
int LimitFromDescription(std::string_view value);
// Hardware "Param54"/"Param56": first field, hexadecimal, minus 1.
int AreaMaxFromHardware(std::string_view value);
// Hardware "Param53"/"Param55": first field, hexadecimal.
uint32_t BaseFromHardware(std::string_view value);

// ---- Names ------------------------------------------------------------------
std::string HardwareFilePath(std::string_view projectBasePath);
std::string HardwareSection(int rack, int slot);
std::string ModuleDescriptionPath(std::string_view moduleDirectory);

// ---- Loading (through CProfileFile) -----------------------------------------
// Host limits when both are set, else the module description's; area maxima
// from the hardware file. With an empty ProjectBasePath nothing is read and
// the defaults of ItemLimits stand.
ItemLimits LoadItemLimits(const LimitSources& sources);
// The base registers of the areas; 0 and 0 with an empty ProjectBasePath.
AreaBases LoadAreaBases(std::string_view projectBasePath, int rack, int slot);

}  // namespace qx
