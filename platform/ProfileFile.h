// CProfileFile: access to one profile file ("INI": [section] lines and
// key=value lines) bound to a path, with the results the Windows profile
// functions give. Every file of the system except the CSV files goes
// through it: the host project file, the parameter file, export files, the
// text tables, the module description and hardware files.
//
// Texts are byte strings. A null `const char*` section, key, value or default
// is "none" and has its own meaning in each operation (see below); it is not
// the same as an empty text.
//
// Underneath is IniFile (platform/IniFile.h), which keeps the parsed file and
// re-reads it only when it changed on disk. Each write saves the file
// atomically (temporary file renamed over the old one) unless a WriteBatch is
// open, in which case the writes are kept in memory and saved once when the
// outermost batch ends.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qx {

class IniFile;

class CProfileFile {
 public:
  CProfileFile();
  virtual ~CProfileFile();
  CProfileFile(const CProfileFile&) = delete;
  CProfileFile& operator=(const CProfileFile&) = delete;

  // A path replaces the bound path; null empties it if one is bound (the
  // object then addresses the empty file name, which reads as empty and
  // cannot be written).
  void SetPathName(const char* path);
  std::string GetPathName() const;
  bool IsBound() const;

  // The value, or the default (empty when null) when the key is missing.
  // With a null section or key: the default, without touching the file.
  // The default loses its trailing spaces, as on the platform.
  std::string GetString(const char* section, const char* key, const char* def = nullptr) const;
  // As above into a buffer of size bytes: copies at most size - 1 bytes and
  // a NUL; returns the number of bytes copied (0 when size is 0).
  int GetString(const char* section, const char* key, char* buffer, int size, const char* def) const;

  // At most 64 bytes of the value parsed as the platform's 32-bit strtoul
  // does in the base (2, 8 or 16; any other base means 10): a value above
  // 0xFFFFFFFF gives 0xFFFFFFFF (platform/Numbers.h). An empty value gives
  // the default.
  uint32_t GetInt(const char* section, const char* key, uint32_t def, int base = 10) const;

  // False without writing when section or key is null; a null value writes
  // an empty text. False when the file could not be saved (or the value
  // holds a line break); the file is then unchanged.
  bool WriteString(const char* section, const char* key, const char* value);
  // Base 2: binary digits, most significant first; 8: "%o"; 16: "%X";
  // any other base: signed decimal "%d".
  bool WriteInt(const char* section, const char* key, long long value, int base = 10);

  // The section's lines (key=value with key and value trimmed, quotes kept;
  // lines without '=' as written; no comments or blank lines) as a list of
  // NUL-terminated texts ended by an empty text. With a null buffer: the size
  // needed, the final NUL included. Otherwise the platform's list rules
  // (an item that does not fit is cut, two NULs follow, size - 2 returned).
  int GetSectionText(const char* section, char* buffer, int size) const;
  std::vector<std::string> GetSectionLines(const char* section) const;

  // Clears the list, then appends the key of every line of the section that
  // holds '=' after its first character, trimmed of spaces, tabs, CR, LF.
  void GetKeyNames(const char* section, std::vector<std::string>& list) const;

  // All section names as a NUL-separated list ended by an extra NUL; with a
  // null buffer, the size needed.
  int GetSectionNames(char* buffer, int size) const;
  std::vector<std::string> SectionNames() const;

  bool IsSectionExist(const char* section) const;
  bool DeleteSection(const char* section);
  bool DeleteKey(const char* section, const char* key);

  // False when either name is null, the names are equal (ignoring case) or
  // the source is missing; false when failIfExists and the target exists.
  // Otherwise the target is replaced by the source's lines.
  bool CopySection(const char* source, const char* target, bool failIfExists);

  // Groups writes: while at least one batch of this object is open, writes
  // change the parsed file in memory only; the outermost batch saves it once
  // when it ends (Commit, or the destructor). Commit returns whether the save
  // succeeded (true when nothing changed).
  class WriteBatch {
   public:
    explicit WriteBatch(CProfileFile& file);
    ~WriteBatch();
    WriteBatch(const WriteBatch&) = delete;
    WriteBatch& operator=(const WriteBatch&) = delete;
    bool Commit();

   private:
    CProfileFile* file_;
    bool done_ = false;
  };

 private:
  bool Save();

  std::unique_ptr<std::string> path_;  // absent until first bound
  std::unique_ptr<IniFile> ini_;
  // The file bound before the last SetPathName, kept parsed: binding back to
  // it (a read or write of another file, then the project's own) re-reads it
  // only when it changed on disk meanwhile.
  std::unique_ptr<IniFile> previousIni_;
  int batchDepth_ = 0;
  bool batchFailed_ = false;
};

}  // namespace qx
