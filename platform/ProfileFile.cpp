#include "platform/ProfileFile.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/IniFile.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

namespace qx {

namespace {

constexpr std::size_t kIntTextMax = 64;  // GetInt looks at no more of a value

// Names given by callers lose surrounding spaces (not tabs), as on the platform.
std::string_view TrimSpaces(const char* text) {
  return Trim(text, " ");
}

std::string DefaultText(const char* def) {
  std::string s = def ? def : "";
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// One pair of matching surrounding quotes is not part of the value.
std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

int ClampToInt(std::size_t n) {
  return n > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n);
}

// A list of NUL-terminated items and a final NUL, with the platform's rules
// for a buffer that is too small (an exact fit counts as too small: the last
// item is cut, two NULs end the buffer and size - 2 is returned). A null
// buffer asks for the size the whole list needs, final NUL included.
int CopyList(const std::vector<std::string>& items, char* buffer, int size) {
  if (!buffer) {
    std::size_t needed = 1;
    for (const std::string& item : items) needed += item.size() + 1;
    return ClampToInt(needed);
  }
  if (size < 2) {
    if (size == 1) buffer[0] = '\0';
    return 0;
  }
  std::size_t room = static_cast<std::size_t>(size) - 1;  // one byte kept for the final NUL
  char* out = buffer;
  for (const std::string& item : items) {
    if (item.size() + 1 >= room) {
      std::memcpy(out, item.data(), room - 1);
      out += room - 1;
      out[0] = '\0';
      out[1] = '\0';
      return size - 2;
    }
    std::memcpy(out, item.data(), item.size());
    out += item.size();
    *out++ = '\0';
    room -= item.size() + 1;
  }
  *out = '\0';
  return static_cast<int>(out - buffer);
}

std::string BinaryDigits(unsigned long long value) {
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + (value & 1)));
    value >>= 1;
  } while (value != 0);
  return digits;
}

}  // namespace

CProfileFile::CProfileFile() : ini_(std::make_unique<IniFile>(std::string())) {}

CProfileFile::~CProfileFile() = default;

void CProfileFile::SetPathName(const char* path) {
  if (!path && !path_) return;  // an unbound object stays unbound
  // Writes kept for an open batch belong to the old file.
  if (batchDepth_ > 0 && !ini_->Save()) batchFailed_ = true;
  path_ = std::make_unique<std::string>(path ? path : "");
  if (ini_->Path() == *path_) return;  // the same file: what was read stays valid
  if (previousIni_ && previousIni_->Path() == *path_) {
    std::swap(ini_, previousIni_);
  } else {
    previousIni_ = std::exchange(ini_, std::make_unique<IniFile>(*path_));
  }
}

std::string CProfileFile::GetPathName() const {
  return path_ ? *path_ : std::string();
}

bool CProfileFile::IsBound() const {
  return path_ && !path_->empty();
}

std::string CProfileFile::GetString(const char* section, const char* key, const char* def) const {
  if (!section || !key) return DefaultText(def);
  const auto value = ini_->Read().Value(TrimSpaces(section), TrimSpaces(key));
  if (!value) return DefaultText(def);
  return std::string(StripQuotes(*value));
}

int CProfileFile::GetString(const char* section, const char* key, char* buffer, int size,
                            const char* def) const {
  if (!buffer || size <= 0) return 0;
  const std::string value = GetString(section, key, def);
  const std::size_t n = std::min(value.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(buffer, value.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

uint32_t CProfileFile::GetInt(const char* section, const char* key, uint32_t def, int base) const {
  const std::string text = GetString(section, key, "");
  if (text.empty()) return def;
  return ReadUnsigned32(std::string_view(text).substr(0, kIntTextMax), base);
}

bool CProfileFile::WriteString(const char* section, const char* key, const char* value) {
  if (!section || !key) return false;
  if (!ini_->Edit().SetValue(TrimSpaces(section), TrimSpaces(key), value ? value : "")) return false;
  return Save();
}

bool CProfileFile::WriteInt(const char* section, const char* key, long long value, int base) {
  // Octal, hexadecimal and decimal texts are those of the 32-bit value the
  // platform formats; binary shows all 64 bits of a negative value.
  char text[32];
  const auto bits32 = static_cast<std::uint32_t>(value);
  switch (base) {
    case 2:
      return WriteString(section, key, BinaryDigits(static_cast<unsigned long long>(value)).c_str());
    case 8:
      std::snprintf(text, sizeof text, "%o", static_cast<unsigned>(bits32));
      break;
    case 16:
      std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(bits32));
      break;
    default:
      std::snprintf(text, sizeof text, "%d", static_cast<int>(static_cast<std::int32_t>(bits32)));
      break;
  }
  return WriteString(section, key, text);
}

std::vector<std::string> CProfileFile::GetSectionLines(const char* section) const {
  if (!section) return {};
  auto lines = ini_->Read().SectionLines(TrimSpaces(section));
  return lines ? std::move(*lines) : std::vector<std::string>();
}

int CProfileFile::GetSectionText(const char* section, char* buffer, int size) const {
  return CopyList(GetSectionLines(section), buffer, size);
}

void CProfileFile::GetKeyNames(const char* section, std::vector<std::string>& list) const {
  list.clear();
  constexpr std::string_view kTrimmed = " \t\r\n";
  for (const std::string& line : GetSectionLines(section)) {
    const std::size_t eq = line.find('=', 1);
    if (eq == line.npos) continue;
    list.emplace_back(Trim(std::string_view(line.data(), eq), kTrimmed));
  }
}

std::vector<std::string> CProfileFile::SectionNames() const {
  // A section named "" cannot be listed: its empty item would end the list.
  std::vector<std::string> names = ini_->Read().SectionNames();
  std::erase_if(names, [](const std::string& name) { return name.empty(); });
  return names;
}

int CProfileFile::GetSectionNames(char* buffer, int size) const {
  return CopyList(SectionNames(), buffer, size);
}

bool CProfileFile::IsSectionExist(const char* section) const {
  return section && ini_->Read().HasSection(TrimSpaces(section));
}

bool CProfileFile::DeleteSection(const char* section) {
  if (!section) return false;
  ini_->Edit().DeleteSection(TrimSpaces(section));
  return Save();
}

bool CProfileFile::DeleteKey(const char* section, const char* key) {
  // A null key deletes nothing here (the platform's call would take the
  // whole section with it).
  if (!section || !key) return false;
  ini_->Edit().DeleteKey(TrimSpaces(section), TrimSpaces(key));
  return Save();
}

bool CProfileFile::CopySection(const char* source, const char* target, bool failIfExists) {
  if (!source || !target) return false;
  const std::string_view from = TrimSpaces(source);
  const std::string_view to = TrimSpaces(target);
  if (EqualsIgnoreCaseAscii(from, to)) return false;
  IniDocument& doc = ini_->Edit();
  const auto lines = doc.SectionLines(from);
  if (!lines) return false;
  if (failIfExists && doc.HasSection(to)) return false;
  if (!doc.ReplaceSection(to, *lines)) return false;
  return Save();
}

bool CProfileFile::Save() {
  return batchDepth_ > 0 || ini_->Save();
}

CProfileFile::WriteBatch::WriteBatch(CProfileFile& file) : file_(&file) {
  ++file_->batchDepth_;
}

CProfileFile::WriteBatch::~WriteBatch() {
  Commit();
}

bool CProfileFile::WriteBatch::Commit() {
  if (done_) return true;
  done_ = true;
  if (--file_->batchDepth_ > 0) return true;  // the outermost batch saves
  const bool saved = file_->ini_->Save() && !file_->batchFailed_;
  file_->batchFailed_ = false;
  return saved;
}

}  // namespace qx
