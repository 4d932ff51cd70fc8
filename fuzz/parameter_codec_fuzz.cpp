// Fuzzes the comma form one value at a time: the codec of each key of a
// module section (DE, DE_ITEM1..64, NTP, SNMP, Mail_serverConf,
// Mail_remotAddr1..8, Mail_trigConf1..8), without files. Reading a whole
// section through the profile engine and the hex form are the work of
// parameter_file_fuzz and project_fuzz.
//
// The first input byte's low bit picks the direction, the second byte the key
// (modulo the number of keys):
//
// 1. Odd: record -> text -> record. The rest is a register image (padded
//    with zeros). The key's value, written from it, must carry a matching
//    checksum and load back byte for byte into a record whose bytes of that
//    key were scrambled. The text form has these documented exceptions,
//    applied to the image before the write so that the comparison is exact:
//    - texts are written up to their first NUL, CR or LF, and values are not
//      escaped, so a comma inside a text splits it: each text is cut at its
//      first CR, LF or comma (a recipient address, which is the whole value,
//      only at CR or LF), and the bytes after a text's NUL are zeros;
//    - a recipient address loses its leading blanks (spaces, tabs and
//      vertical tabs), which a profile value could not keep;
//    - the reader brings ItemCount above 64 to 64 and a TriggerMode above 3
//      to 0;
//    - the data-exchange header's 122 reserved bytes after its three words
//      are not in the text form ("DE" holds the three words), nor is the
//      last quarter of each item after its two transfer blocks.
// 2. Even: text -> record -> text. The rest is a stored value. Loaded into a
//    default record it keeps the record's invariants; the record, with the
//    exceptions above applied, is written and must load back byte for byte.
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "config/ParameterCodec.h"
#include "fuzz/FuzzSupport.h"

namespace {

using qx::ModuleConfig;
using qx::fuzz::Check;
using qx::fuzz::CheckInvariants;
namespace layout = qx::layout;

// What the text form keeps of a text.
std::string Writable(std::string text, bool recipient) {
  text = text.substr(0, text.find_first_of(recipient ? std::string_view("\r\n") : std::string_view(",\r\n", 3)));
  if (recipient) text.erase(0, text.find_first_not_of(" \t\v"));
  return text;
}

void MakeWritable(ModuleConfig& c) {
  constexpr std::size_t kHeaderWords = 3 * 2;
  std::memset(c.Bytes() + layout::kHeaderOffset + kHeaderWords, 0, layout::kHeaderSize - kHeaderWords);
  constexpr std::size_t kItemFields = 32 + 2 * 32;  // item words, read block, write block
  for (int i = 0; i < layout::kMaxItems; ++i) {
    std::memset(c.Bytes() + layout::kItemsOffset + i * layout::kItemSize + kItemFields, 0,
                layout::kItemSize - kItemFields);
  }
  if (c.ItemCount() > layout::kMaxItems) c.SetItemCount(layout::kMaxItems);
  c.SetSnmpReservedText(Writable(c.SnmpReservedText(), false));
  for (int row = 1; row <= layout::kSnmpRows; ++row) c.SetCommunity(row, Writable(c.Community(row), false));
  c.SetSenderAddress(Writable(c.SenderAddress(), false));
  c.SetUserNameText(Writable(c.UserNameText(), false));
  c.SetPasswordText(Writable(c.PasswordText(), false));
  c.SetSubject(Writable(c.Subject(), false));
  for (int r = 1; r <= layout::kRecipients; ++r) c.SetRecipientAddress(r, Writable(c.RecipientAddress(r), true));
  for (int t = 1; t <= layout::kTriggers; ++t) {
    const auto trig = c.Trigger(t);
    if (trig.TriggerMode() > 3) trig.SetTriggerMode(0);
    trig.SetTriggerName(Writable(trig.TriggerName(), false));
    trig.SetUserMessage(Writable(trig.UserMessage(), false));
  }
}

struct Region {
  std::size_t offset;
  std::size_t size;
};

int KeyNumber(std::string_view key, std::string_view prefix) {
  int n = 0;
  std::from_chars(key.data() + prefix.size(), key.data() + key.size(), n);
  return n - 1;
}

// The record bytes a key's value carries.
Region KeyRegion(std::string_view key) {
  constexpr std::size_t kItemFields = 32 + 2 * 32;
  if (key == "DE") return {layout::kHeaderOffset, 3 * 2};
  if (key.starts_with("DE_ITEM"))
    return {layout::kItemsOffset + KeyNumber(key, "DE_ITEM") * layout::kItemSize, kItemFields};
  if (key == "NTP") return {layout::kNtpOffset, layout::kNtpSize};
  if (key == "SNMP") return {layout::kSnmpOffset, layout::kSnmpSize};
  if (key == "Mail_serverConf") return {layout::kMailOffset, layout::kMailServerSize};
  if (key.starts_with("Mail_remotAddr"))
    return {layout::kRecipientsOffset + KeyNumber(key, "Mail_remotAddr") * layout::kRecipientSize,
            layout::kRecipientSize};
  return {layout::kTriggersOffset + KeyNumber(key, "Mail_trigConf") * layout::kTriggerSize, layout::kTriggerSize};
}

// Writes the key's value of a writable record and loads it into a copy whose
// bytes of that key are scrambled: every byte must come back.
void CheckRoundTrip(const ModuleConfig& record, const std::string& key) {
  const std::string text = qx::ParameterValue(record, key);
  Check(qx::ValueChecksumMatches(text));
  ModuleConfig back = record;
  const Region region = KeyRegion(key);
  for (std::size_t i = 0; i < region.size; ++i) back.Bytes()[region.offset + i] ^= 0xA5;
  Check(qx::LoadParameterValue(back, key, text));
  Check(back == record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const auto& keys = qx::ParameterKeys();
  const std::string& key = keys[data[1] % keys.size()];
  const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
  ModuleConfig record;
  if (data[0] & 1) {
    std::memcpy(record.Bytes(), rest.data(), std::min(rest.size(), ModuleConfig::kSize));
  } else {
    record.SetDefaults();
    Check(qx::LoadParameterValue(record, key, rest));
    CheckInvariants(record);
  }
  MakeWritable(record);
  CheckRoundTrip(record, key);
  return 0;
}
