#include "platform/MemoryFiles.h"

#include <cassert>

namespace qx {
namespace {

MemoryFiles* g_active = nullptr;

}  // namespace

MemoryFiles::MemoryFiles() {
  assert(g_active == nullptr);
  g_active = this;
}

MemoryFiles::~MemoryFiles() { g_active = nullptr; }

MemoryFiles* MemoryFiles::Active() { return g_active; }

void MemoryFiles::Put(const std::string& path, std::string_view bytes) {
  File& f = files_[path];
  f.bytes.assign(bytes);
  f.version = ++writes_;
}

void MemoryFiles::Remove(const std::string& path) { files_.erase(path); }

void MemoryFiles::Clear() { files_.clear(); }

const std::string* MemoryFiles::Find(const std::string& path) const {
  const auto it = files_.find(path);
  return it == files_.end() ? nullptr : &it->second.bytes;
}

std::uint64_t MemoryFiles::Version(const std::string& path) const {
  const auto it = files_.find(path);
  return it == files_.end() ? 0 : it->second.version;
}

}  // namespace qx
