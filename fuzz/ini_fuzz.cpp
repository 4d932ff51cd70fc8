// Arbitrary bytes as a profile file: the engine parses them, lists sections
// and keys, reads values, writes one key and parses the result again. Any
// crash, leak, hang or broken invariant below is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IniFile.h"
#include "platform/ProfileFile.h"

namespace {

constexpr std::string_view kValue = "fuzz=value;1";

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "ini_fuzz: %s\n", what);
    std::abort();
  }
}

std::string KeyOf(const std::string& line) {
  return line.substr(0, line.find('='));
}

// The in-memory engine: exact round trip, and a written key reads back.
void FuzzDocument(std::string_view bytes) {
  qx::IniDocument doc;
  doc.Parse(bytes);
  Check(doc.Serialize() == bytes, "unchanged document does not give its bytes back");

  const std::vector<std::string> names = doc.SectionNames();
  std::size_t reads = 0;
  for (const std::string& name : names) {
    if (++reads > 64) break;
    Check(doc.HasSection(name), "listed section not found");
    const auto lines = doc.SectionLines(name);
    Check(lines.has_value(), "listed section has no lines");
    for (const std::string& line : *lines) {
      if (line.find('=') != line.npos)
        Check(doc.Value(name, KeyOf(line)).has_value(), "listed key not found");
    }
  }

  const std::string section = names.empty() ? "new" : names.front();
  const auto lines = doc.SectionLines(section);
  const std::string key = lines && !lines->empty() ? KeyOf(lines->front()) : "key";
  Check(doc.SetValue(section, key, kValue), "plain write refused");
  const std::string written = doc.Serialize();

  qx::IniDocument again;
  again.Parse(written);
  Check(again.Value(section, key) == kValue, "written value does not read back");
  Check(again.Serialize() == written, "written document does not round trip");

  if (names.size() > 1) {
    again.ReplaceSection(names.back(), *doc.SectionLines(section));
    again.DeleteKey(section, key);
    again.DeleteSection(names[1]);
    qx::IniDocument third;
    third.Parse(again.Serialize());
    Check(third.Serialize() == again.Serialize(), "edited document does not round trip");
  }
}

// The same bytes through CProfileFile on a file, with buffer sizes taken
// from the input.
void FuzzProfileFile(std::string_view bytes) {
  static const std::string path = [] {
    const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/ini_fuzz_" + std::to_string(::getpid()) + ".ini";
  }();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);

  qx::CProfileFile file;
  file.SetPathName(path.c_str());
  const int size = bytes.empty() ? 3 : static_cast<unsigned char>(bytes[0]) % 40;
  std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '#');
  file.GetSectionNames(buffer.data(), size);
  Check(buffer[size] == '#', "section names written past the buffer");
  Check(file.GetSectionNames(nullptr, 0) >= 1, "needed size below one");
  const std::vector<std::string> names = file.SectionNames();
  const char* section = names.empty() ? "s" : names.front().c_str();
  file.GetSectionText(section, buffer.data(), size);
  Check(buffer[size] == '#', "section text written past the buffer");
  std::vector<std::string> keys;
  file.GetKeyNames(section, keys);
  for (const std::string& key : keys) file.GetInt(section, key.c_str(), 0, 16);
  file.GetString(section, "k", buffer.data(), size, "default");
  Check(buffer[size] == '#', "value written past the buffer");

  file.WriteString(section, "FuzzKey", "1");
  file.CopySection(section, "FuzzCopy", false);
  Check(file.GetString("FuzzCopy", "FuzzKey") == "1", "copied key lost");
  std::remove(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FuzzDocument(bytes);
  FuzzProfileFile(bytes);
  return 0;
}
