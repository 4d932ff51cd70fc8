// The comma form of a module section: the small text codecs, how numbers
// are read, the defaults' values and a golden section holding a distinctive
// value in every field that is written.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/ParameterCodec.h"
#include "tests/config/ParamTestSupport.h"

namespace qx {
namespace {

using testing::Fixture;
using testing::Lines;
using testing::ReadAll;
using testing::TempDir;
using testing::WriteAll;

TEST(ParameterTextTest, HexToInt) {
  const struct {
    const char* text;
    uint32_t value;
  } cases[] = {
      {"c0a80105", 0xC0A80105},
      {"C0A80105", 0xC0A80105},
      {"0xc0a80105", 0xC0A80105},
      {"0X1f", 0x1F},
      {"12g4", 0x12},
      {"", 0},
      {"0x", 0},
      {"zz", 0},
      {" 1f", 0},                 // no white space skipped
      {"123456789", 0x23456789},  // the low 32 bits of a longer number
  };
  for (const auto& c : cases) EXPECT_EQ(HexToInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParameterTextTest, HexToBytes) {
  std::vector<uint8_t> out;
  EXPECT_EQ(HexToBytes("0aFf10", out), 3);
  EXPECT_EQ(out, (std::vector<uint8_t>{0x0A, 0xFF, 0x10}));
  EXPECT_EQ(HexToBytes("", out), 0);
  EXPECT_TRUE(out.empty());
  out = {7};
  EXPECT_EQ(HexToBytes("abc", out), -1);  // odd length
  EXPECT_EQ(HexToBytes("0g", out), -1);   // not a hex digit
  EXPECT_EQ(out, std::vector<uint8_t>{7});
}

TEST(ParameterTextTest, FieldSplitterKeepsEmptyFields) {
  const struct {
    const char* text;
    std::vector<std::string> fields;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {",", {"", ""}},
      {"a,,b,", {"a", "", "b", ""}},
      {"12,x y,3", {"12", "x y", "3"}},
  };
  for (const auto& c : cases) {
    FieldSplitter s(c.text);
    ASSERT_EQ(s.Count(), c.fields.size()) << c.text;
    for (std::size_t i = 0; i < c.fields.size(); ++i) EXPECT_EQ(s.Field(i), c.fields[i]) << c.text;
    EXPECT_EQ(s.Field(c.fields.size()), "");
    EXPECT_EQ(s.Field(1000), "");
  }
}

TEST(ParameterTextTest, SectionNamesAndChecksums) {
  EXPECT_EQ(SlotSectionName(1, 3), "SLOT13");
  EXPECT_EQ(SlotSectionName(1, 11), "SLOT111");
  EXPECT_EQ(SlotSectionName(0, 0), "SLOT00");
  EXPECT_EQ(ValueChecksum("123456789"), "4b37");
  EXPECT_EQ(ValueChecksum("0,0,0"), "4f70");
  EXPECT_EQ(ValueChecksum(""), "ffff");
  EXPECT_EQ(ValueChecksum("21"), "4d5");  // no leading zero
  const std::string longText(1500, 'x');
  EXPECT_EQ(ValueChecksum(longText), ValueChecksum(std::string(1024, 'x')));  // only 1024 bytes count
}

// ---- Numbers as read ---------------------------------------------------------

// Reads a section SLOT10 holding the given key lines from the project's
// parameter file (no path: no module check, no checksum result).
ModuleConfig ReadBody(const std::string& body) {
  TempDir dir;
  const std::string path = dir.File("p.qx1");
  WriteAll(path, "[SLOT10]\r\n" + body);
  CProfileFile file;
  file.SetPathName(path.c_str());
  ModuleConfig c;
  c.SetDefaults();
  EXPECT_EQ(ReadParameters(c, file, 1, 0, ""), 1);
  return c;
}

TEST(ParameterTextTest, DecimalFieldsKeepTheLowBitsOfTheNumber) {
  const struct {
    std::string text;
    uint16_t value;
  } cases[] = {
      {"42", 42},
      {" \t42", 42},
      {"+7", 7},
      {"-1", 0xFFFF},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"- 5", 0},
      {"70000", 4464},
      {"65535", 65535},
      {std::string(29, '9'), 65535},          // 10^29 - 1
      {"1" + std::string(29, '0') + "7", 7},  // 10^30 + 7
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadBody("DE=0," + c.text + ",0,0\r\n").EnableCondition(), c.value) << '"' << c.text << '"';
  }
}

TEST(ParameterTextTest, FieldWidthsOfEachKind) {
  const ModuleConfig c = ReadBody(
      "NTP=1,2,0xA010203,3,4,B1E,215,5,6,-18000,10,7,8,0\r\n"
      "Mail_serverConf=0,25,0,0,0,0,0,257,-1,0\r\n");
  EXPECT_EQ(c.NtpServerIp(), 0x0A010203u);  // x32
  EXPECT_EQ(c.DstStart(), 0x0B1E);          // x16
  EXPECT_EQ(c.TimeZoneSeconds(), -18000);   // d32
  EXPECT_EQ(c.NtpReserved2(), 0x10u);       // written and read in hex
  EXPECT_EQ(c.MailReserved(1), 1);          // d8: 257 keeps 8 bits
  EXPECT_EQ(c.MailReserved(2), 255);        // -1
}

TEST(ParameterTextTest, AddressReadInEitherCaseWithOrWithoutPrefix) {
  for (const char* text : {"c0a80105", "C0A80105", "0xc0a80105"}) {
    EXPECT_EQ(ReadBody(std::string("DE_ITEM1=2,1,") + text + ",0\r\n").Item(1).IpAddress(), 0xC0A80105u)
        << text;
  }
}

// ---- Writing -------------------------------------------------------------------

TEST(ParameterTextTest, DefaultsAsText) {
  ModuleConfig c;
  c.SetDefaults();
  const auto values = ParameterValues(c);
  ASSERT_EQ(values.size(), 1u + 64 + 3 + 8 + 8);
  EXPECT_EQ(values[0].first, "DE");
  EXPECT_EQ(values[0].second, "0,0,0,4f70");
  for (int i = 1; i <= 64; ++i) {
    EXPECT_EQ(values[i].first, "DE_ITEM" + std::to_string(i));
    EXPECT_EQ(values[i].second.rfind("0,0,0,10,10,0,0,0,", 0), 0u) << values[i].second;
  }
  EXPECT_EQ(values[65].first, "NTP");
  EXPECT_EQ(values[65].second, "0,10,0,0,0,400,900,0,0,0,0,0,0,b4ee");
  EXPECT_EQ(values[66].first, "SNMP");
  EXPECT_EQ(values[67].first, "Mail_serverConf");
  EXPECT_EQ(values[68].first, "Mail_remotAddr1");
  EXPECT_EQ(values[83].first, "Mail_trigConf8");
}

TEST(ParameterTextTest, LineBreaksEndATextWhenWritten) {
  ModuleConfig c;
  c.SetDefaults();
  c.SetCommunity(1, "ab\ncd");
  c.SetRecipientAddress(2, "x@y\rz");
  const auto values = ParameterValues(c);
  const std::string snmp = "1,0,0,0,0,0,,ab,orchid,granite,granite";
  EXPECT_EQ(values[66].second, snmp + "," + ValueChecksum(snmp));
  EXPECT_EQ(values[69].second, "x@y," + ValueChecksum("x@y"));
}

TEST(ParameterTextTest, LeadingBlanksOfARecipientAreNotWritten) {
  ModuleConfig c;
  c.SetDefaults();
  c.SetRecipientAddress(3, " \t ops@x ");
  EXPECT_EQ(ParameterValues(c)[70].second, "ops@x ," + ValueChecksum("ops@x "));
}

// A record with a distinctive value in every written field of items 1, 2 and
// 64, of NTP, SNMP and the mail server, recipients and triggers 1, 2 and 8.
void FillItem(ItemView<uint8_t> it, uint16_t k) {
  // Field n of the value holds k*100 + n, or (k << 24 | n << 16 | 0xBEEF) when 32 bits wide.
  auto d = [k](int n) { return static_cast<uint16_t>(k * 100 + n); };
  auto x = [k](uint32_t n) { return static_cast<uint32_t>(k) << 24 | n << 16 | 0xBEEF; };
  it.SetEnabled(d(1));
  it.SetSlaveAddress(d(2));
  it.SetIpAddress(x(3));
  it.SetUpdateCycle(d(4));
  it.SetTimeout(d(5));
  it.SetSupportFc17(d(6));
  it.SetDeviceType(d(7));
  it.SetFixedValue(d(8));
  for (int r = 1; r <= 7; ++r) it.SetReservedWord(r, d(8 + r));
  for (int w = 0; w < 2; ++w) {
    auto b = w ? it.WriteBlock() : it.ReadBlock();
    const int n = w ? 29 : 16;
    b.SetLocalOffset(d(n));
    b.SetQuantity(d(n + 1));
    b.SetRemoteAddress(x(n + 2));
    b.SetRemoteKind(d(n + 3));
    for (int r = 1; r <= 3; ++r) b.SetReservedWord(r, d(n + 3 + r));
    b.SetCommand(d(n + 7));
    b.SetSegment1Length(d(n + 8));
    b.SetSegment1Address(x(n + 9));
    b.SetSegment2Reserved(d(n + 10));
    b.SetSegment2Length(d(n + 11));
    b.SetSegment2Address(x(n + 12));
  }
}

void FillFirstItem(ItemView<uint8_t> it) {
  it.SetEnabled(2);
  it.SetSlaveAddress(17);
  it.SetIpAddress(0xC0A80105);  // 192.168.1.5
  it.SetUpdateCycle(1500);
  it.SetTimeout(60000);
  it.SetSupportFc17(1);
  it.SetDeviceType(3);
  it.SetFixedValue(100);
  for (int r = 1; r <= 7; ++r) it.SetReservedWord(r, static_cast<uint16_t>(900 + r));
  auto rb = it.ReadBlock();
  rb.SetLocalOffset(120), rb.SetQuantity(32), rb.SetRemoteAddress(0x12345), rb.SetRemoteKind(7);
  for (int r = 1; r <= 3; ++r) rb.SetReservedWord(r, static_cast<uint16_t>(910 + r));
  rb.SetCommand(0x4201), rb.SetSegment1Length(20), rb.SetSegment1Address(0xABCDEF01);
  rb.SetSegment2Reserved(914), rb.SetSegment2Length(12), rb.SetSegment2Address(0x10000);
  auto wb = it.WriteBlock();
  wb.SetLocalOffset(200), wb.SetQuantity(16), wb.SetRemoteAddress(0xFFFFFFF0), wb.SetRemoteKind(9);
  for (int r = 1; r <= 3; ++r) wb.SetReservedWord(r, static_cast<uint16_t>(920 + r));
  wb.SetCommand(16), wb.SetSegment1Length(16), wb.SetSegment1Address(0x400);
  wb.SetSegment2Reserved(924), wb.SetSegment2Length(65535), wb.SetSegment2Address(0x7FFFFFFF);
}

void FillNtpAndSnmp(ModuleConfig& c) {
  c.SetNtpClientEnable(1), c.SetNtpUpdateCycle(1440), c.SetNtpServerIp(0x0A010203);
  c.SetDstEnable(3), c.SetDstHour(23), c.SetDstStart(0x0B1E), c.SetDstEnd(0x0215);
  c.SetTimeZoneIndex(73), c.SetNtpReserved1(4660), c.SetTimeZoneSeconds(-18000);
  c.SetNtpReserved2(0xDEADBEEF), c.SetNtpServerEnable(5), c.SetNtpReserved3(65535);
  c.SetSnmpControl(2), c.SetSnmpReserved(77);
  for (int row = 1; row <= 4; ++row) c.SetAccessType(row, static_cast<uint16_t>(2 * row - 1));
  c.SetSnmpReservedText("ABCDEFGHIJKLMNOPQRST");  // fills its 20 bytes
  c.SetCommunity(1, "public");
  c.SetCommunity(2, "private-rw");
  c.SetCommunity(3, "abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");  // 62
  c.SetCommunity(4, "granite;=x");
}

void FillMail(ModuleConfig& c) {
  c.SetSmtpServerIp(0xAC100019), c.SetSmtpPort(587);
  c.SetPasswordLength(8), c.SetUserNameLength(16), c.SetAuthRequired(1), c.SetSenderLength(17);
  c.SetSubjectLength(11);
  const uint8_t reserved[] = {11, 22, 33, 44, 55, 66, 77, 255};
  for (int k = 1; k <= 8; ++k) c.SetMailReserved(k, reserved[k - 1]);
  c.SetSenderAddress("plc@plant.example"), c.SetUserNameText("dXNlckBwbGFudA==");
  c.SetPasswordText("c2VjcmV0"), c.SetSubject("Tank alarm!");
  c.SetRecipientAddress(1, "ops@plant.example");
  c.SetRecipientAddress(2, "a,b@x.example");
  for (int r = 3; r <= 7; ++r) c.SetRecipientAddress(r, "r" + std::to_string(r) + "@x.example");
  c.SetRecipientAddress(8, "long.address.of.recipient.eight@very-long-domain-name.example.co");  // 64

  auto t1 = c.Trigger(1);
  t1.SetNameLength(9), t1.SetMessageLength(21), t1.SetTriggerReserved2(3), t1.SetTriggerFlags(0x09);
  t1.SetRecipientMask(0x81), t1.SetTriggerMode(1), t1.SetTriggerReserved6(6), t1.SetTriggerReserved7(7);
  t1.SetTriggerReserved8(0x80000001), t1.SetInterval(1440), t1.SetTriggerReserved14(514);
  t1.SetTriggerName("Tank high"), t1.SetUserMessage("Level above 90 % now!");
  t1.SetAttachmentDevice(1, 3), t1.SetAttachmentNumber(1, 100), t1.SetAttachmentLength(1, 16);
  t1.SetAttachmentDevice(2, 5), t1.SetAttachmentNumber(2, 2000), t1.SetAttachmentLength(2, 8);
  auto t2 = c.Trigger(2);
  t2.SetNameLength(7), t2.SetTriggerReserved2(12), t2.SetTriggerFlags(0x08), t2.SetRecipientMask(0x02);
  t2.SetTriggerMode(2), t2.SetTriggerReserved6(26), t2.SetTriggerReserved7(27),
      t2.SetTriggerReserved8(123456);
  t2.SetInterval(6), t2.SetTriggerReserved14(1), t2.SetTriggerName("CPU run");
  t2.SetAttachmentDevice(1, 1), t2.SetAttachmentNumber(1, 7), t2.SetAttachmentLength(1, 9);
  t2.SetAttachmentDevice(2, 2), t2.SetAttachmentNumber(2, 11), t2.SetAttachmentLength(2, 13);
  auto t8 = c.Trigger(8);
  t8.SetNameLength(16), t8.SetMessageLength(64), t8.SetTriggerReserved2(255), t8.SetTriggerFlags(0xF5);
  t8.SetRecipientMask(0xFF), t8.SetTriggerMode(3), t8.SetTriggerReserved6(200), t8.SetTriggerReserved7(201);
  t8.SetTriggerReserved8(0x7FFFFFFF), t8.SetInterval(1), t8.SetTriggerReserved14(65535);
  t8.SetTriggerName("ABCDEFGHIJKLMNOP");
  t8.SetUserMessage("0123456789012345678901234567890123456789012345678901234567890123");
  t8.SetAttachmentDevice(1, 4), t8.SetAttachmentNumber(1, 65535), t8.SetAttachmentLength(1, 1);
  t8.SetAttachmentDevice(2, 5), t8.SetAttachmentNumber(2, 32768), t8.SetAttachmentLength(2, 2);
}

ModuleConfig GoldenRecord() {
  ModuleConfig c;
  c.SetDefaults();
  c.SetDeHeaderReserved(7), c.SetEnableCondition(2), c.SetItemCount(3);
  FillFirstItem(c.Item(1));
  FillItem(c.Item(2), 2);
  FillItem(c.Item(64), 64);
  FillNtpAndSnmp(c);
  FillMail(c);
  return c;
}

TEST(ParameterTextTest, GoldenSectionWrittenAndReadBack) {
  TempDir dir;
  const std::string exportPath = dir.File("golden.qx1");
  const std::string projectPath = dir.File("project.qx1");
  const ModuleConfig record = GoldenRecord();
  CProfileFile file;
  file.SetPathName(projectPath.c_str());

  ASSERT_TRUE(WriteParameters(record, 0x1A2B, file, 0, 0, exportPath));
  EXPECT_EQ(file.GetPathName(), projectPath);
  const std::string written = ReadAll(exportPath);
  const auto got = Lines(written);
  const auto want = Lines(ReadAll(Fixture("golden_section.txt")));
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(got[i], want[i]) << "line " << i + 1;
  std::size_t crlf = 0;
  for (std::size_t p = written.find("\r\n"); p != std::string::npos; p = written.find("\r\n", p + 2)) ++crlf;
  EXPECT_EQ(crlf, want.size());  // every line ends with CR LF

  ModuleConfig back;
  back.SetDefaults();
  EXPECT_EQ(ReadParameters(back, file, 0, 0, exportPath), 1);
  EXPECT_EQ(file.GetPathName(), projectPath);
  for (std::size_t i = 0; i < ModuleConfig::kSize; ++i) {
    ASSERT_EQ(back.Bytes()[i], record.Bytes()[i]) << "byte 0x" << std::hex << i;
  }
}

}  // namespace
}  // namespace qx
