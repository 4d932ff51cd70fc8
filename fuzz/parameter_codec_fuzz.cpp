// Fuzzes the parameter section's text form in memory (no disk, no fsync).
// The first input byte's low bit picks the direction:
//
// 1. Odd: record -> text -> record. The rest is a register image (padded
//    with zeros). Written into a section and read back, it must come back
//    byte for byte. The text form has these documented exceptions, applied
//    to the image before the write so that the comparison is exact:
//    - texts are written up to their first NUL, CR or LF, and values are not
//      escaped, so a comma inside a text splits it: each text is cut at its
//      first CR, LF or comma, and the bytes after a text's NUL are zeros;
//    - a recipient address loses its leading blanks (spaces, tabs and
//      vertical tabs, as a profile value does);
//    - the reader brings ItemCount above 64 to 64 and a TriggerMode above 3
//      to 0;
//    - the data-exchange header's 122 reserved bytes after its three words
//      are not in the text form ("DE" holds the three words), nor is the
//      last quarter of each item after its two transfer blocks: they read
//      as 0.
// 2. Even: text -> record -> text. The second byte's low bit picks the file
//    name (odd: the hex form "in.ini", even: the comma form "in.qx1"); the
//    rest is the file. Reading keeps the record's invariants; the record
//    read, with the exceptions above applied, is written and must read back
//    byte for byte, so that its text, read and written again, is the same
//    text.
//
// One write and one or two reads per input: each pass over the 85 values is
// the bulk of an input's time.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "config/ParameterCodec.h"
#include "fuzz/FuzzSupport.h"
#include "platform/MemoryFiles.h"

namespace {

using qx::ModuleConfig;
using qx::fuzz::Check;
using qx::fuzz::CheckInvariants;

constexpr int kRack = 1;
constexpr int kSlot = 2;
const std::string kProject = "/memory/project.qx1";
const std::string kInput[] = {"/memory/in.qx1", "/memory/in.ini"};

// What the text form keeps of a text.
std::string Writable(std::string text, bool dropLeadingBlanks) {
  text = text.substr(0, text.find_first_of(std::string_view(",\r\n", 3)));
  if (dropLeadingBlanks) text.erase(0, text.find_first_not_of(" \t\v"));
  return text;
}

void MakeWritable(ModuleConfig& c) {
  constexpr std::size_t kHeaderWords = 3 * 2;
  std::memset(c.Bytes() + qx::layout::kHeaderOffset + kHeaderWords, 0, qx::layout::kHeaderSize - kHeaderWords);
  constexpr std::size_t kItemFields = 32 + 2 * 32;  // item words, read block, write block
  for (int i = 0; i < qx::layout::kMaxItems; ++i) {
    std::memset(c.Bytes() + qx::layout::kItemsOffset + i * qx::layout::kItemSize + kItemFields, 0,
                qx::layout::kItemSize - kItemFields);
  }
  if (c.ItemCount() > qx::layout::kMaxItems) c.SetItemCount(qx::layout::kMaxItems);
  c.SetSnmpReservedText(Writable(c.SnmpReservedText(), false));
  for (int row = 1; row <= qx::layout::kSnmpRows; ++row) c.SetCommunity(row, Writable(c.Community(row), false));
  c.SetSenderAddress(Writable(c.SenderAddress(), false));
  c.SetUserNameText(Writable(c.UserNameText(), false));
  c.SetPasswordText(Writable(c.PasswordText(), false));
  c.SetSubject(Writable(c.Subject(), false));
  for (int r = 1; r <= qx::layout::kRecipients; ++r) c.SetRecipientAddress(r, Writable(c.RecipientAddress(r), true));
  for (int t = 1; t <= qx::layout::kTriggers; ++t) {
    const auto trig = c.Trigger(t);
    if (trig.TriggerMode() > 3) trig.SetTriggerMode(0);
    trig.SetTriggerName(Writable(trig.TriggerName(), false));
    trig.SetUserMessage(Writable(trig.UserMessage(), false));
  }
}

// Writes the record into the project's section and checks that it reads
// back byte for byte.
void CheckRoundTrip(qx::CProfileFile& file, const ModuleConfig& record) {
  Check(qx::WriteParameters(record, 0x110, file, kRack, kSlot, ""));
  ModuleConfig back;
  back.SetDefaults();
  Check(qx::ReadParameters(back, file, kRack, kSlot, "") == 1);
  CheckInvariants(back);
  Check(back == record);
}

void RecordRoundTrip(qx::CProfileFile& file, std::string_view image) {
  ModuleConfig record;
  std::memcpy(record.Bytes(), image.data(), std::min(image.size(), ModuleConfig::kSize));
  MakeWritable(record);
  CheckRoundTrip(file, record);
}

void TextRoundTrip(qx::CProfileFile& file, bool hexForm, std::string_view text) {
  const std::string& input = kInput[hexForm ? 1 : 0];
  qx::MemoryFiles::Active()->Put(input, text);
  ModuleConfig record;
  record.SetDefaults();
  const int result = qx::ReadParameters(record, file, 0, 0, input);
  Check(result == 1 || result == -1 || result == -2);
  Check(file.GetPathName() == kProject);
  CheckInvariants(record);
  MakeWritable(record);
  CheckRoundTrip(file, record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static qx::MemoryFiles memory;
  memory.Clear();
  qx::CProfileFile file;
  file.SetPathName(kProject.c_str());
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  if (data[0] & 1) {
    RecordRoundTrip(file, rest);
  } else {
    TextRoundTrip(file, (data[1] & 1) != 0, rest.substr(1));
  }
  return 0;
}
