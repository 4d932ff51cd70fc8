// Module sections in files: results, absent and out-of-range values, the hex form, saves, bindings.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "config/ParameterCodec.h"
#include "tests/config/ParamTestSupport.h"

namespace qx {
namespace {

using namespace test;
using V = std::vector<long long>;

class ParameterFileTest : public ::testing::Test {
 protected:
  ParameterFileTest() {
    file_.SetPathName(project_.c_str());
    record_.SetDefaults();
  }
  // Reads an export-style file (section SLOT00) into record_.
  int Import(const std::string& path) { return ReadParameters(record_, file_, 0, 0, path); }

  TempFolder dir_;
  const std::string project_ = dir_.Path("project.qx1");
  CProfileFile file_;
  ModuleConfig record_;
};

// Another module's file changes nothing (-1); a checksum that fails still loads its value (-2).
TEST_F(ParameterFileTest, ModuleCheckAndChecksumResults) {
  std::string text = ReadFile(Fixture("golden_section.txt"));
  WriteFile(dir_.Path("e.qx1"), text.replace(text.find("DE=7,2,3,"), 9, "DE=7,2,4,"));
  const ModuleConfig before = record_;
  for (const auto& [path, result] : {std::pair{Fixture("other_module.qx1"), -1},
                                     {Fixture("missing_module_id.qx1"), -1},
                                     {dir_.Path("e.qx1"), -2}}) {
    EXPECT_EQ(Import(path), result) << path;
    EXPECT_EQ(record_ == before, result == -1) << path;
    EXPECT_EQ(file_.GetPathName(), project_) << path;
  }
  EXPECT_EQ((V{record_.ItemCount(), record_.Item(1).SlaveAddress()}), (V{4, 17}));  // all values loaded
}

TEST_F(ParameterFileTest, PartialFileLoadsZerosAndValuesWithinTheRecordsInvariants) {
  EXPECT_EQ(Import(Fixture("out_of_range.qx1")), -2);
  const auto& r = record_;
  const auto t = r.Trigger(1);
  // Absent keys read as zero, not as the empty item's or trigger's 10.
  EXPECT_EQ((V{r.Item(5).UpdateCycle(), r.NtpUpdateCycle(), r.Trigger(8).Interval()}), (V{0, 0, 0}));
  EXPECT_EQ(r.ItemCount(), 64);  // 70000 keeps 16 bits (4464), then at most 64
  // Texts are cut at their field's size; a comma inside a text splits the value ("a,b": two communities).
  EXPECT_EQ(r.Community(1), std::string(64, 'c'));
  EXPECT_EQ(r.Community(2) + "|" + r.Community(3) + "|" + r.Subject() + "|" + t.TriggerName(),
            "a|b|Subject too long|A trigger name t");
  // Length bytes are stored as the file holds them, whatever their texts; 4 is no trigger mode.
  EXPECT_EQ((V{r.PasswordLength(), r.UserNameLength(), r.SenderLength(), r.SubjectLength(), t.NameLength(),
               t.MessageLength(), t.TriggerMode(), t.TriggerFlags()}),
            (V{7, 7, 0, 9, 99, 0, 0, 9}));
}

TEST_F(ParameterFileTest, NewFileThenASectionWrittenInPlaceWithOneSave) {
  ASSERT_TRUE(CreateParameterFile(project_));
  EXPECT_EQ(
      ReadFile(project_),
      "// QX Configurator\r\n// File Struct:\r\n// 1. Module ID\r\n// 2. Sync ID\r\n// 3. FW Version\r\n"
      "// 4. Parameters\r\n\r\n[SLOT10]\r\n[SLOT11]\r\n[SLOT12]\r\n[SLOT13]\r\n[SLOT14]\r\n[SLOT15]\r\n"
      "[SLOT16]\r\n[SLOT17]\r\n[SLOT18]\r\n[SLOT19]\r\n[SLOT110]\r\n[SLOT111]\r\n");
  EXPECT_EQ(CountSaves(dir_.Path(""), [&] { EXPECT_TRUE(WriteParameters(record_, 0, file_, 1, 3, "")); }), 1);
  auto lines = Lines(ReadFile(project_));
  ASSERT_EQ(lines.size(), 7u + 12 + 84);
  // No MODULE_ID or FWVER without a path.
  EXPECT_EQ(lines[10] + lines[11] + lines[11 + 84], "[SLOT13]DE=0,0,0,4f70[SLOT14]");
  record_.SetItemCount(2);
  ASSERT_TRUE(WriteParameters(record_, 0, file_, 1, 3, ""));
  lines[11] = "DE=0,0,2,8ef1";
  EXPECT_EQ(Lines(ReadFile(project_)), lines);
  const std::string path = dir_.Path("e.qx1");
  EXPECT_EQ(CountSaves(dir_.Path(""), [&] { EXPECT_TRUE(WriteParameters(record_, 0, file_, 0, 0, path)); }),
            1);
}

TEST_F(ParameterFileTest, FailedSaveIsReportedAndTheBindingRestored) {
  EXPECT_FALSE(CreateParameterFile(dir_.Path("no/such/folder.qx1")));
  EXPECT_FALSE(WriteParameters(record_, 0, file_, 0, 0, dir_.Path("missing/e.qx1")));
  EXPECT_EQ(file_.GetPathName(), project_);
  CProfileFile unbound;
  EXPECT_FALSE(WriteParameters(record_, 0, unbound, 1, 0, ""));  // nowhere to save
  EXPECT_TRUE(WriteParameters(record_, 0, unbound, 0, 0, dir_.Path("e.qx1")));
  EXPECT_FALSE(unbound.IsBound());
}

TEST_F(ParameterFileTest, OnlyALowerCaseIniEndingSelectsTheHexForm) {
  // The fixture holds NTP and eight bytes of SNMP as hex dumps, no mail pieces, and DE=1,2,3.
  record_.SetRecipientAddress(1, "keep@x");
  const auto& r = record_;
  EXPECT_EQ(Import(Fixture("hex_form_short_snmp_no_mail.ini")), 1);
  EXPECT_EQ((V{r.NtpUpdateCycle(), r.NtpServerIp(), r.TimeZoneSeconds(), r.NtpServerEnable(), r.SnmpControl(),
               r.AccessType(2), r.AccessType(3), r.EnableCondition()}),
            (V{1440, 0x0A010203, -18000, 1, 2, 1, 0, 0}));
  EXPECT_EQ(r.Community(1) + "|" + r.RecipientAddress(1), "orchid|keep@x");  // the rest of both blocks kept
  for (const char* name : {"blocks.INI", "blocks.ini.qx1", "blocks.Ini"}) {
    std::filesystem::copy_file(Fixture("hex_form_short_snmp_no_mail.ini"), dir_.Path(name));
    EXPECT_EQ(Import(dir_.Path(name)), -2) << name;  // comma form: most keys absent
    EXPECT_EQ((V{r.EnableCondition(), r.NtpUpdateCycle()}), (V{2, 0})) << name;
  }
}

TEST_F(ParameterFileTest, HexFormMailPiecesFillTheMailBlock) {
  record_.SetRecipientAddress(2, "gone@x");  // not in the pieces: zeroed
  EXPECT_EQ(Import(Fixture("hex_form_mail_pieces.ini")), 1);
  const auto& r = record_;
  EXPECT_EQ(r.PasswordText() + "|" + r.RecipientAddress(2) + "|" + r.Trigger(4).TriggerName(), "pw||Trg4");
  // The dump's length bytes (99 and 0) are kept as they are; its mode 9 is no mode; trigger 3 ends
  // piece 0, trigger 4 opens piece 1, trigger 8 ends the block.
  EXPECT_EQ((V{r.SmtpServerIp(), r.PasswordLength(), r.UserNameLength(), r.Trigger(1).TriggerMode(),
               r.Trigger(3).AttachmentLength(2), r.Trigger(8).AttachmentLength(2)}),
            (V{0xAC100019, 99, 0, 0, 8, 9}));
}

TEST_F(ParameterFileTest, MalformedOrOversizedDumpsStayInsideTheirBlocks) {
  const ModuleConfig before = record_;
  EXPECT_EQ(Import(Fixture("hex_form_malformed.ini")), 1);
  EXPECT_TRUE(record_ == before);  // odd lengths and non-hex digits change nothing
  EXPECT_EQ(Import(Fixture("hex_form_oversized.ini")), 1);
  const uint8_t* b = record_.Bytes();
  for (std::size_t i = 0; i < 32; ++i) ASSERT_EQ(b[0x2080 + i], i + 1) << i;
  for (std::size_t i = 0; i < 288; ++i) ASSERT_EQ(b[0x20A0 + i], (i * 7 + 1) & 0xFF) << i;
  // Piece 0 cut at 1000 bytes; piece 1 absent; pieces 3 to 5 lie past the block.
  for (std::size_t i = 164; i < 676; ++i) ASSERT_EQ(b[0x21C0 + i], (i * 13 + 5) & 0xFF) << i;
  for (std::size_t i = 1000; i < 1540; ++i) ASSERT_EQ(b[0x21C0 + i], 0) << i;
}

}  // namespace
}  // namespace qx
