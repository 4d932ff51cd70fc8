#include "sim/Plant.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

#include "platform/AtomicFile.h"

namespace qx::sim {

ModuleImage DefaultImage() {
  ModuleConfig record;
  record.SetDefaults();
  ModuleImage image{};
  std::copy(record.Bytes(), record.Bytes() + ModuleConfig::kSize, image.begin());
  return image;
}

Plant::Plant(const std::vector<ModuleAddress>& modules) {
  const ModuleImage initial = DefaultImage();
  for (const ModuleAddress& a : modules) images_.emplace(a, initial);
}

bool Plant::UseStateFolder(const std::string& folder, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) {
    error = "state folder " + folder + " does not exist";
    return false;
  }
  folder_ = folder;
  for (auto& [address, image] : images_) {
    const std::string path = ImagePath(address);
    if (!std::filesystem::exists(path, ec)) continue;
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
      error = "cannot read " + path;
      return false;
    }
    if (bytes.size() != image.size()) {
      error = path + " holds " + std::to_string(bytes.size()) + " bytes, not " + std::to_string(image.size());
      return false;
    }
    std::copy(bytes.begin(), bytes.end(), image.begin());
  }
  return true;
}

const ModuleImage* Plant::Find(const ModuleAddress& address) const {
  auto it = images_.find(address);
  return it == images_.end() ? nullptr : &it->second;
}

bool Plant::Store(const ModuleAddress& address, const ModuleImage& image, std::string& error) {
  auto it = images_.find(address);
  if (it == images_.end()) {
    error = "no module there";
    return false;
  }
  // Not synced: a crashed simulator still never leaves half an image, and a
  // sync per accepted write would dominate every transfer.
  const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
  if (!folder_.empty() && !WriteFileAtomically(ImagePath(address), bytes, &error, Durability::kRenameOnly)) {
    return false;
  }
  it->second = image;
  return true;
}

bool Plant::Write(const ModuleAddress& address, std::size_t offset, std::span<const uint8_t> bytes,
                  std::string& error) {
  auto it = images_.find(address);
  if (it == images_.end()) {
    error = "no module there";
    return false;
  }
  if (!folder_.empty()) {
    ModuleImage changed = it->second;
    std::copy(bytes.begin(), bytes.end(), changed.begin() + static_cast<std::ptrdiff_t>(offset));
    return Store(address, changed, error);
  }
  std::copy(bytes.begin(), bytes.end(), it->second.begin() + static_cast<std::ptrdiff_t>(offset));
  return true;
}

std::vector<ModuleAddress> Plant::Modules() const {
  std::vector<ModuleAddress> out;
  for (const auto& entry : images_) out.push_back(entry.first);
  return out;
}

std::string Plant::ImageFileName(const ModuleAddress& a) {
  return "station" + std::to_string(a.station) + "_rack" + std::to_string(a.rack) + "_slot" +
         std::to_string(a.slot) + ".img";
}

std::string Plant::ImagePath(const ModuleAddress& address) const {
  return (std::filesystem::path(folder_) / ImageFileName(address)).string();
}

}  // namespace qx::sim
