// Plant: the simulated modules of this type and their register images.
// Each module is addressed as the request frames address it: station,
// rack and slot number (slot index + 1), each 0..255. Its image is the
// module's 10180-byte register image, laid out as the configuration record.
//
// With a state folder, each image lives in "station<S>_rack<R>_slot<N>.img"
// there (raw image bytes): loaded at start, saved atomically before a write
// is acknowledged, so a restart keeps what was downloaded.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "config/ModuleConfig.h"

namespace qx::sim {

struct ModuleAddress {
  int station = 0;
  int rack = 0;
  int slot = 0;  // slot number as on the wire
  auto operator<=>(const ModuleAddress&) const = default;
};

using ModuleImage = std::array<uint8_t, layout::kImageSize>;

// The image a module starts with: the record's default configuration.
ModuleImage DefaultImage();

class Plant {
 public:
  // Every module starts with DefaultImage(); a repeated address counts once.
  explicit Plant(const std::vector<ModuleAddress>& modules);

  // Loads each module's image from folder (a missing file keeps the default
  // image) and saves there from now on. False with a message when the folder
  // is missing or an image file cannot be read or has the wrong size.
  bool UseStateFolder(const std::string& folder, std::string& error);

  // The module's image, or nullptr when no module sits there.
  const ModuleImage* Find(const ModuleAddress& address) const;

  // Replaces the module's image, saving it first when a state folder is in
  // use. False, image unchanged, when there is no such module or saving failed.
  bool Store(const ModuleAddress& address, const ModuleImage& image, std::string& error);
  // Writes bytes into the module's image at offset, as Store does.
  // REQUIRES: offset + bytes.size() <= the image size.
  bool Write(const ModuleAddress& address, std::size_t offset, std::span<const uint8_t> bytes,
             std::string& error);

  std::vector<ModuleAddress> Modules() const;
  static std::string ImageFileName(const ModuleAddress& address);

 private:
  std::string ImagePath(const ModuleAddress& address) const;

  std::map<ModuleAddress, ModuleImage> images_;
  std::string folder_;  // empty: images live in memory only
};

}  // namespace qx::sim
