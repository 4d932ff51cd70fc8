// MemoryFiles: an in-memory stand-in for the disk, for fuzzing and
// benchmarks that would otherwise spend their time in fsync. While an
// object lives, the profile-file engine (IniFile), WriteFileAtomically and
// PathExists read, stamp and write the files it holds instead of the disk;
// paths are compared as given. Permissions, links and folders are not
// modelled: every write succeeds.
//
// REQUIRES: at most one object at a time; used on one thread (the fuzzers
// and benchmarks run the plug-in's code on one thread).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace qx {

class MemoryFiles {
 public:
  MemoryFiles();
  ~MemoryFiles();
  MemoryFiles(const MemoryFiles&) = delete;
  MemoryFiles& operator=(const MemoryFiles&) = delete;

  // The store in use, or null when files are on disk.
  static MemoryFiles* Active();

  void Put(const std::string& path, std::string_view bytes);
  void Remove(const std::string& path);
  void Clear();
  // The file's bytes, or null when it does not exist.
  const std::string* Find(const std::string& path) const;
  // Changes with every write of the file (0: missing), for change stamps.
  std::uint64_t Version(const std::string& path) const;

 private:
  struct File {
    std::string bytes;
    std::uint64_t version = 0;
  };
  std::map<std::string, File, std::less<>> files_;
  std::uint64_t writes_ = 0;
};

}  // namespace qx
