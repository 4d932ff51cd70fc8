// The profile-file ("INI") engine under CProfileFile.
//
// IniDocument is one parsed file in memory: the list of its raw lines, each
// with its original bytes and line end, so that every line nobody changed is
// written back byte for byte. It reads and edits the file the way the Windows
// profile functions do:
//  - lines end with CR LF, LF or a lone CR; a NUL ends a line's text; each
//    line is trimmed of spaces, tabs and vertical tabs before it is judged;
//  - "[name]" opens a section (text after ']' is ignored), ";" starts a
//    comment, "key=value" is a key line, any other text is kept but is no key;
//    lines before the first section belong to no section;
//  - names compare case-insensitively (ASCII); the first section of a name
//    and the first key of a name within it are the ones read and written.
//
// IniFile binds an IniDocument to a path: it re-reads the file only when it
// changed on disk (size, times or identity) and saves it atomically (a
// temporary file in the same folder, fsync, rename over the old file).
#pragma once

#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qx {

class IniDocument {
 public:
  IniDocument() = default;
  IniDocument(const IniDocument&) = delete;
  IniDocument& operator=(const IniDocument&) = delete;

  // Replaces the contents with bytes read from a file (a leading UTF-8
  // byte-order mark is remembered and written back). Clears Modified().
  void Parse(std::string_view bytes);
  void Clear();
  // The file's bytes: untouched lines exactly as parsed, written lines as
  // "key=value" CR LF.
  std::string Serialize() const;

  // --- Reading. Names are used as given (callers trim them).
  // The value of the key, trimmed, quotes kept; nullopt when missing.
  // The view lives until the next change of the document.
  std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // Every section header's name in file order, duplicates included.
  std::vector<std::string> SectionNames() const;
  // The first section's lines: "key=value" with both trimmed (quotes kept),
  // other non-comment text as trimmed; nullopt when the section is missing.
  std::optional<std::vector<std::string>> SectionLines(std::string_view section) const;

  // --- Writing. SetValue and ReplaceSection return false, changing nothing,
  // when a name or text holds a line break or a NUL (it could not be read
  // back as one line).
  // Replaces the key's value in place, adds the key right after the
  // section's last key line (the header when it has none), or appends the
  // section at the end of the file. Trailing lines without '=', comments and
  // blank lines stay after a new key.
  bool SetValue(std::string_view section, std::string_view key, std::string_view value);
  // Removes the key's line; the section header stays.
  void DeleteKey(std::string_view section, std::string_view key);
  // Removes the header and the section's entries; comments and blank lines stay.
  void DeleteSection(std::string_view section);
  // Replaces the section's entries by lines (written as given) where its
  // first entry stood, keeping header, comments and blank lines; appends the
  // section when missing. Also false when a line would read as a header.
  bool ReplaceSection(std::string_view section, const std::vector<std::string>& lines);

  // True after a change that Serialize() would show and nobody saved yet.
  bool Modified() const { return modified_; }
  void ClearModified() { modified_ = false; }

 private:
  enum class Eol : std::uint8_t { kNone, kLf, kCrLf, kCr };
  enum class Kind : std::uint8_t { kBlank, kComment, kHeader, kKey, kText };

  struct Line {
    std::string raw;  // bytes as read, without the line end
    Eol eol = Eol::kCrLf;
    Kind kind = Kind::kBlank;
    // Header: the section name; key line: the key; text line: the text.
    std::size_t name_pos = 0, name_len = 0;
    std::size_t value_pos = 0, value_len = 0;  // key line only

    std::string_view Name() const { return std::string_view(raw).substr(name_pos, name_len); }
    std::string_view Value() const { return std::string_view(raw).substr(value_pos, value_len); }
    bool IsEntry() const { return kind == Kind::kKey || kind == Kind::kText; }
  };
  using LineIt = std::list<Line>::iterator;

  // The first section of a name: its header, its last key line (the header
  // when it has none) and its keys by lower-cased name (first wins).
  struct Section {
    LineIt header;
    LineIt last_key;
    std::unordered_map<std::string, LineIt> keys;
  };

  static Line MakeLine(std::string raw, Eol eol);
  const Section* Find(std::string_view section) const;
  Section* Find(std::string_view section);
  // Inserts a "raw" CR LF line before pos; a last line without a line end
  // gets CR LF first.
  LineIt InsertBefore(LineIt pos, std::string raw);
  void RebuildIndex();

  std::list<Line> lines_;
  std::unordered_map<std::string, Section> sections_;  // by lower-cased name
  bool bom_ = false;
  bool modified_ = false;
};

// What identifies the bytes of a file on disk: a re-read is due when any of
// it changed (another program saved, replaced or deleted the file).
struct FileStamp {
  bool exists = false;
  std::uint64_t dev = 0, ino = 0, size = 0;
  std::int64_t mtime_s = 0, mtime_ns = 0, ctime_s = 0, ctime_ns = 0;
  bool operator==(const FileStamp&) const = default;
};

class IniFile {
 public:
  // An empty path reads as an empty file and cannot be saved.
  explicit IniFile(std::string path);

  const std::string& Path() const { return path_; }

  // The document, re-read first when the file changed on disk since it was
  // last read or saved. Unsaved changes are never replaced by a re-read.
  const IniDocument& Read();
  // As Read(), for changes; Save() writes them.
  IniDocument& Edit();

  // Writes the document when it has unsaved changes (true when it has none).
  // On failure the file on disk is unchanged, the unsaved changes are dropped
  // (the next access re-reads the file) and false is returned. Never creates
  // the folder; never replaces a file marked read-only (no write permission
  // bits) or one the process may not write.
  bool Save();
  // Drops unsaved changes; the next access re-reads the file.
  void Discard();

  // Number of times the file was written (for tests and benchmarks).
  int SaveCount() const { return saveCount_; }

 private:
  void Refresh();
  void Load();

  std::string path_;
  IniDocument doc_;
  std::optional<FileStamp> stamp_;  // of the bytes in doc_; none forces a re-read
  int saveCount_ = 0;
};

}  // namespace qx
