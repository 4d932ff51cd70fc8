#include "platform/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>

#include "platform/AtomicFile.h"
#include "platform/MemoryFiles.h"
#include "platform/Text.h"

namespace qx {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlankChar(char c) {
  return c == ' ' || c == '\t' || c == '\v';
}

// A text that can be written as (part of) one line and read back as written.
// (A loop of its own: find_first_of looks each byte up in the set with a
// call of its own.)
bool IsOneLine(std::string_view text) {
  for (const char c : text) {
    if (c == '\r' || c == '\n' || c == '\0') return false;
  }
  return true;
}

// The position of the first CR or LF from pos, or the text's size.
std::size_t LineEnd(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
  return pos;
}

// Narrows [pos, pos + len) of text to its part without surrounding blanks.
void Trim(std::string_view text, std::size_t& pos, std::size_t& len) {
  while (len > 0 && IsBlankChar(text[pos])) ++pos, --len;
  while (len > 0 && IsBlankChar(text[pos + len - 1])) --len;
}

std::string_view EolText(std::uint8_t eol) {
  static constexpr std::string_view kTexts[] = {"", "\n", "\r\n", "\r"};
  return kTexts[eol];
}

std::string KeyLine(std::string_view key, std::string_view value) {
  std::string line;
  line.reserve(key.size() + 1 + value.size());
  line.append(key).append(1, '=').append(value);
  return line;
}

}  // namespace

// ---------------------------------------------------------------------------
// IniDocument

IniDocument::Line IniDocument::MakeLine(std::string raw, Eol eol) {
  Line line;
  line.raw = std::move(raw);
  line.eol = eol;
  const std::string_view text(line.raw);
  std::size_t pos = 0;
  std::size_t len = std::min(text.find('\0'), text.size());  // a NUL ends the line's text
  Trim(text, pos, len);
  if (len == 0) return line;  // kBlank

  const std::string_view body = text.substr(pos, len);
  if (body.front() == '[') {
    line.kind = Kind::kHeader;
    const std::size_t close = body.find(']', 1);
    line.name_pos = pos + 1;
    line.name_len = (close == body.npos ? len : close) - 1;
    Trim(text, line.name_pos, line.name_len);
  } else if (body.front() == ';') {
    line.kind = Kind::kComment;
  } else if (const std::size_t eq = body.find('='); eq != body.npos) {
    line.kind = Kind::kKey;
    line.name_pos = pos;
    line.name_len = eq;
    Trim(text, line.name_pos, line.name_len);
    line.value_pos = pos + eq + 1;
    line.value_len = len - eq - 1;
    Trim(text, line.value_pos, line.value_len);
  } else {
    line.kind = Kind::kText;
    line.name_pos = pos;
    line.name_len = len;
  }
  return line;
}

void IniDocument::Clear() {
  sections_.clear();
  lines_.clear();
  bom_ = false;
  modified_ = false;
}

void IniDocument::Parse(std::string_view bytes) {
  Clear();
  if (bytes.starts_with(kBom)) {
    bom_ = true;
    bytes.remove_prefix(kBom.size());
  }
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t end = LineEnd(bytes, pos);
    Eol eol = Eol::kNone;  // the last line may have no line end
    std::size_t next = bytes.size();
    if (end < bytes.size()) {
      if (bytes[end] == '\n') {
        eol = Eol::kLf;
        next = end + 1;
      } else if (end + 1 < bytes.size() && bytes[end + 1] == '\n') {
        eol = Eol::kCrLf;
        next = end + 2;
      } else {
        eol = Eol::kCr;
        next = end + 1;
      }
    }
    lines_.push_back(MakeLine(std::string(bytes.substr(pos, end - pos)), eol));
    pos = next;
  }
  RebuildIndex();
}

std::string IniDocument::Serialize() const {
  std::size_t total = bom_ ? kBom.size() : 0;
  for (const Line& line : lines_) total += line.raw.size() + 2;
  std::string out;
  out.reserve(total);
  if (bom_) out.append(kBom);
  for (const Line& line : lines_) {
    out.append(line.raw).append(EolText(static_cast<std::uint8_t>(line.eol)));
  }
  return out;
}

void IniDocument::RebuildIndex() {
  sections_.clear();
  Section* active = nullptr;  // null before the first header and in later duplicates
  for (LineIt it = lines_.begin(); it != lines_.end(); ++it) {
    if (it->kind == Kind::kHeader) {
      auto [entry, inserted] = sections_.try_emplace(LowerAscii(it->Name()));
      active = inserted ? &entry->second : nullptr;
      if (active) active->header = active->last_key = it;
    } else if (active && it->kind == Kind::kKey) {
      active->last_key = it;
      active->keys.try_emplace(LowerAscii(it->Name()), it);
    }
  }
}

const IniDocument::Section* IniDocument::Find(std::string_view section) const {
  const auto it = sections_.find(LowerAscii(section));
  return it == sections_.end() ? nullptr : &it->second;
}

IniDocument::Section* IniDocument::Find(std::string_view section) {
  const auto it = sections_.find(LowerAscii(section));
  return it == sections_.end() ? nullptr : &it->second;
}

IniDocument::LineIt IniDocument::InsertBefore(LineIt pos, std::string raw) {
  if (pos == lines_.end() && !lines_.empty() && lines_.back().eol == Eol::kNone) {
    lines_.back().eol = Eol::kCrLf;
  }
  return lines_.insert(pos, MakeLine(std::move(raw), Eol::kCrLf));
}

std::optional<std::string_view> IniDocument::Value(std::string_view section, std::string_view key) const {
  const Section* s = Find(section);
  if (!s) return std::nullopt;
  const auto k = s->keys.find(LowerAscii(key));
  if (k == s->keys.end()) return std::nullopt;
  return k->second->Value();
}

bool IniDocument::HasSection(std::string_view section) const {
  return Find(section) != nullptr;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const Line& line : lines_) {
    if (line.kind == Kind::kHeader) names.emplace_back(line.Name());
  }
  return names;
}

std::optional<std::vector<std::string>> IniDocument::SectionLines(std::string_view section) const {
  const Section* s = Find(section);
  if (!s) return std::nullopt;
  std::vector<std::string> out;
  for (auto it = std::next(s->header); it != lines_.end() && it->kind != Kind::kHeader; ++it) {
    if (it->kind == Kind::kKey) out.push_back(KeyLine(it->Name(), it->Value()));
    if (it->kind == Kind::kText) out.emplace_back(it->Name());
  }
  return out;
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsOneLine(section) || !IsOneLine(key) || !IsOneLine(value)) return false;
  Section* s = Find(section);
  if (!s) {
    InsertBefore(lines_.end(), "[" + std::string(section) + "]");
    InsertBefore(lines_.end(), KeyLine(key, value));
    RebuildIndex();
    modified_ = true;
    return true;
  }
  if (const auto k = s->keys.find(LowerAscii(key)); k != s->keys.end()) {
    Line& line = *k->second;
    if (line.Value() == value) return true;
    // The key keeps the spelling it has in the file; the line its place.
    line = MakeLine(KeyLine(line.Name(), value), Eol::kCrLf);
    modified_ = true;
    return true;
  }
  const LineIt added = InsertBefore(std::next(s->last_key), KeyLine(key, value));
  if (added->kind == Kind::kKey && EqualsIgnoreCaseAscii(added->Name(), key)) {
    s->last_key = added;
    s->keys.emplace(LowerAscii(key), added);
  } else {
    RebuildIndex();  // an odd key ("[x", ";x", " x") reads as something else
  }
  modified_ = true;
  return true;
}

void IniDocument::DeleteKey(std::string_view section, std::string_view key) {
  Section* s = Find(section);
  if (!s) return;
  const auto k = s->keys.find(LowerAscii(key));
  if (k == s->keys.end()) return;
  lines_.erase(k->second);
  RebuildIndex();  // a later key of the same name becomes the one found
  modified_ = true;
}

void IniDocument::DeleteSection(std::string_view section) {
  Section* s = Find(section);
  if (!s) return;
  LineIt it = lines_.erase(s->header);
  while (it != lines_.end() && it->kind != Kind::kHeader) {
    it = it->IsEntry() ? lines_.erase(it) : std::next(it);
  }
  RebuildIndex();
  modified_ = true;
}

bool IniDocument::ReplaceSection(std::string_view section, const std::vector<std::string>& lines) {
  if (!IsOneLine(section)) return false;
  for (const std::string& line : lines) {
    if (!IsOneLine(line) || MakeLine(line, Eol::kCrLf).kind == Kind::kHeader) return false;
  }
  Section* s = Find(section);
  if (!s) {
    InsertBefore(lines_.end(), "[" + std::string(section) + "]");
    for (const std::string& line : lines) InsertBefore(lines_.end(), line);
  } else {
    bool placed = false;
    LineIt it = std::next(s->header);
    while (it != lines_.end() && it->kind != Kind::kHeader) {
      if (!it->IsEntry()) {
        ++it;
        continue;
      }
      if (!placed) {
        for (const std::string& line : lines) InsertBefore(it, line);
        placed = true;
      }
      it = lines_.erase(it);
    }
    if (!placed) {
      const LineIt after_header = std::next(s->header);
      for (const std::string& line : lines) InsertBefore(after_header, line);
    }
  }
  RebuildIndex();
  modified_ = true;
  return true;
}

// ---------------------------------------------------------------------------
// IniFile

namespace {

FileStamp StampOf(const struct stat& st) {
  FileStamp s;
  s.exists = true;
  s.dev = st.st_dev;
  s.ino = st.st_ino;
  s.size = static_cast<std::uint64_t>(st.st_size);
  s.mtime_s = st.st_mtim.tv_sec;
  s.mtime_ns = st.st_mtim.tv_nsec;
  s.ctime_s = st.st_ctim.tv_sec;
  s.ctime_ns = st.st_ctim.tv_nsec;
  return s;
}

FileStamp StampOfPath(const std::string& path) {
  if (const MemoryFiles* memory = MemoryFiles::Active()) {
    FileStamp s;
    s.ino = memory->Version(path);
    s.exists = s.ino != 0;
    return s;
  }
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return FileStamp{};
  return StampOf(st);
}

bool ReadAll(int fd, std::size_t expected, std::string& out) {
  out.resize(expected + 1);  // one spare byte to see the end without growing
  std::size_t got = 0;
  for (;;) {
    if (got == out.size()) out.resize(out.size() * 2);  // the file grew meanwhile
    const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
    if (n == 0) {
      out.resize(got);
      return true;
    }
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    got += static_cast<std::size_t>(n);
  }
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

const IniDocument& IniFile::Read() {
  Refresh();
  return doc_;
}

IniDocument& IniFile::Edit() {
  Refresh();
  return doc_;
}

void IniFile::Discard() {
  doc_.Clear();
  stamp_.reset();
}

void IniFile::Refresh() {
  if (doc_.Modified()) return;  // unsaved changes win until saved or discarded
  if (stamp_ && *stamp_ == StampOfPath(path_)) return;
  Load();
}

void IniFile::Load() {
  doc_.Clear();
  stamp_ = StampOfPath(path_);
  if (path_.empty()) return;
  if (const MemoryFiles* memory = MemoryFiles::Active()) {
    if (const std::string* bytes = memory->Find(path_)) doc_.Parse(*bytes);
    return;
  }
  const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;  // missing or unreadable: an empty file
  struct stat st {};
  std::string bytes;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
      ReadAll(fd, static_cast<std::size_t>(st.st_size), bytes)) {
    doc_.Parse(bytes);
    stamp_ = StampOf(st);  // of the bytes read, even if the path changed since
  }
  ::close(fd);
}

bool IniFile::Save() {
  if (!doc_.Modified()) return true;
  if (!WriteFileAtomically(path_, doc_.Serialize())) {
    Discard();
    return false;
  }
  doc_.ClearModified();
  stamp_ = StampOfPath(path_);
  ++saveCount_;
  return true;
}

}  // namespace qx
