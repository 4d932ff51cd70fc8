// Reading and writing module sections in files: module checks, checksum
// results, absent keys, values out of range, the hex form of ".ini" files,
// the binding of the parameter file object and the new parameter file.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
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

class ParameterFileTest : public ::testing::Test {
 protected:
  ParameterFileTest() {
    project_ = dir_.File("project.qx1");
    file_.SetPathName(project_.c_str());
    record_.SetDefaults();
  }
  // Reads an export-style file (section SLOT00) into record_.
  int Import(const std::string& path) { return ReadParameters(record_, file_, 0, 0, path); }

  TempDir dir_;
  std::string project_;
  CProfileFile file_;
  ModuleConfig record_;
};

TEST_F(ParameterFileTest, FileOfAnotherModuleLeavesTheRecordAlone) {
  record_.SetItemCount(5);
  record_.Item(2).SetSlaveAddress(33);
  const ModuleConfig before = record_;
  for (const char* name : {"other_module.qx1", "missing_module_id.qx1"}) {
    EXPECT_EQ(Import(Fixture(name)), -1) << name;
    EXPECT_TRUE(record_ == before) << name;
    EXPECT_EQ(file_.GetPathName(), project_) << name;
  }
  // The project's file is still the one written afterwards.
  ASSERT_TRUE(WriteParameters(record_, 0, file_, 1, 0, ""));
  EXPECT_NE(ReadAll(project_).find("[SLOT10]\r\nDE=0,0,5,"), std::string::npos);
}

TEST_F(ParameterFileTest, EditedDigitLoadsTheValueAndReportsTheMismatch) {
  const std::string path = dir_.File("export.qx1");
  record_.Item(1).SetSlaveAddress(17);
  ASSERT_TRUE(WriteParameters(record_, 0x100, file_, 0, 0, path));
  std::string text = ReadAll(path);
  const std::size_t at = text.find("DE_ITEM1=0,17,");
  ASSERT_NE(at, std::string::npos);
  text[at + 12] = '8';
  WriteAll(path, text);

  ModuleConfig expected = record_;
  expected.Item(1).SetSlaveAddress(18);
  record_.SetDefaults();
  EXPECT_EQ(Import(path), -2);
  EXPECT_TRUE(record_ == expected);
  EXPECT_EQ(file_.GetPathName(), project_);

  // The same file read as the project's parameter file is read silently.
  CProfileFile direct;
  direct.SetPathName(path.c_str());
  EXPECT_EQ(ReadParameters(record_, direct, 0, 0, ""), 1);
}

TEST_F(ParameterFileTest, AbsentKeysReadAsZeroAndMismatch) {
  EXPECT_EQ(Import(Fixture("absent_keys.qx1")), -2);
  EXPECT_EQ(record_.EnableCondition(), 1);
  EXPECT_EQ(record_.ItemCount(), 2);
  EXPECT_EQ(record_.Item(5).UpdateCycle(), 0);  // not the empty item's 10
  EXPECT_EQ(record_.NtpUpdateCycle(), 0);
  EXPECT_EQ(record_.SnmpControl(), 0);
  EXPECT_EQ(record_.Community(1), "");
  EXPECT_EQ(record_.Trigger(8).Interval(), 0);
}

TEST_F(ParameterFileTest, ValuesOutOfRangeAreBroughtBackToTheRecordsInvariants) {
  EXPECT_EQ(Import(Fixture("out_of_range.qx1")), -2);     // holds only some of the keys
  EXPECT_EQ(record_.ItemCount(), 64);                     // 70000 keeps 16 bits (4464), then at most 64
  EXPECT_EQ(record_.Community(1), std::string(64, 'c'));  // cut at the field's size
  // A comma inside a text splits the value: "a,b" arrives as two communities.
  EXPECT_EQ(record_.Community(2), "a");
  EXPECT_EQ(record_.Community(3), "b");
  EXPECT_EQ(record_.Community(4), "orchid");
  // Length bytes follow their texts, whatever the file said.
  EXPECT_EQ(record_.PasswordLength(), 6);
  EXPECT_EQ(record_.UserNameLength(), 0);
  EXPECT_EQ(record_.SenderLength(), 4);
  EXPECT_EQ(record_.Subject(), "Subject too long");
  EXPECT_EQ(record_.SubjectLength(), 16);
  const auto t = record_.Trigger(1);
  EXPECT_EQ(t.TriggerMode(), 0);  // 4 is no mode
  EXPECT_EQ(t.TriggerName(), "A trigger name t");
  EXPECT_EQ(t.NameLength(), 16);
  EXPECT_EQ(t.MessageLength(), 5);
  EXPECT_EQ(t.TriggerFlags(), 9);
}

// ---- Writing into files ----------------------------------------------------------

TEST_F(ParameterFileTest, NewParameterFileBytes) {
  ASSERT_TRUE(CreateParameterFile(project_));
  EXPECT_EQ(
      ReadAll(project_),
      "// QX Configurator\r\n// File Struct:\r\n// 1. Module ID\r\n// 2. Sync ID\r\n// 3. FW Version\r\n"
      "// 4. Parameters\r\n\r\n[SLOT10]\r\n[SLOT11]\r\n[SLOT12]\r\n[SLOT13]\r\n[SLOT14]\r\n[SLOT15]\r\n"
      "[SLOT16]\r\n[SLOT17]\r\n[SLOT18]\r\n[SLOT19]\r\n[SLOT110]\r\n[SLOT111]\r\n");
  EXPECT_FALSE(CreateParameterFile(dir_.File("no/such/folder.qx1")));
}

TEST_F(ParameterFileTest, SectionIsWrittenInPlaceAndRewrittenInPlace) {
  ASSERT_TRUE(CreateParameterFile(project_));
  ASSERT_TRUE(WriteParameters(record_, 0, file_, 1, 3, ""));
  const auto first = Lines(ReadAll(project_));
  ASSERT_EQ(first.size(), 7u + 12 + 84);
  EXPECT_EQ(first[10], "[SLOT13]");
  EXPECT_EQ(first[11].rfind("DE=0,0,0,", 0), 0u);  // no MODULE_ID or FWVER without a path
  EXPECT_EQ(first[11 + 84], "[SLOT14]");

  record_.SetItemCount(2);
  ASSERT_TRUE(WriteParameters(record_, 0, file_, 1, 3, ""));
  const auto second = Lines(ReadAll(project_));
  ASSERT_EQ(second.size(), first.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    if (i != 11) {
      EXPECT_EQ(second[i], first[i]) << "line " << i;
    }
  }
  EXPECT_EQ(second[11], "DE=0,0,2," + ValueChecksum("0,0,2"));
}

// Counts the files renamed into a folder (each save of a profile file is a
// temporary file renamed over the old one).
int CountSaves(const std::string& folder, const std::function<void()>& action) {
  const int fd = inotify_init1(IN_NONBLOCK);
  if (fd < 0 || inotify_add_watch(fd, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE) < 0) return -1;
  action();
  int saves = 0;
  alignas(inotify_event) char buf[64 * 1024];
  for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) {
    for (char* p = buf; p < buf + n;) {
      const auto* ev = reinterpret_cast<const inotify_event*>(p);
      if (ev->mask & IN_MOVED_TO) ++saves;
      p += sizeof(inotify_event) + ev->len;
    }
  }
  close(fd);
  return saves;
}

TEST_F(ParameterFileTest, WholeSectionIsSavedAtOnce) {
  ASSERT_TRUE(CreateParameterFile(project_));
  const std::string folder = std::filesystem::path(project_).parent_path().string();
  EXPECT_EQ(CountSaves(folder, [&] { EXPECT_TRUE(WriteParameters(record_, 0, file_, 1, 0, "")); }), 1);
  EXPECT_EQ(
      CountSaves(folder, [&] { EXPECT_TRUE(WriteParameters(record_, 0, file_, 0, 0, dir_.File("e.qx1"))); }),
      1);
}

TEST_F(ParameterFileTest, ExportWritesModuleIdAndFirmwareFirst) {
  const std::string path = dir_.File("e.qx1");
  ASSERT_TRUE(WriteParameters(record_, 0xBEEF1, file_, 0, 0, path));
  const auto lines = Lines(ReadAll(path));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "[SLOT00]");
  EXPECT_EQ(lines[1], "MODULE_ID=0x5881");
  EXPECT_EQ(lines[2], "FWVER=BEEF1");
  EXPECT_EQ(lines[3], "DE=0,0,0,4f70");
}

TEST_F(ParameterFileTest, FailedSaveIsReportedAndTheBindingRestored) {
  EXPECT_FALSE(WriteParameters(record_, 0, file_, 0, 0, dir_.File("missing/e.qx1")));
  EXPECT_EQ(file_.GetPathName(), project_);
  CProfileFile unbound;
  EXPECT_FALSE(WriteParameters(record_, 0, unbound, 1, 0, ""));  // nowhere to save
  EXPECT_TRUE(WriteParameters(record_, 0, unbound, 0, 0, dir_.File("e.qx1")));
  EXPECT_FALSE(unbound.IsBound());
}

// ---- Hex form ------------------------------------------------------------------------

TEST_F(ParameterFileTest, HexFormNtpAndShortSnmpDump) {
  record_.SetRecipientAddress(1, "keep@x");
  EXPECT_EQ(Import(Fixture("hex_form_short_snmp_no_mail.ini")), 1);
  EXPECT_EQ(record_.NtpClientEnable(), 1);
  EXPECT_EQ(record_.NtpUpdateCycle(), 1440);
  EXPECT_EQ(record_.NtpServerIp(), 0x0A010203u);
  EXPECT_EQ(record_.DstStart(), 0x0B1E);
  EXPECT_EQ(record_.TimeZoneIndex(), 73);
  EXPECT_EQ(record_.TimeZoneSeconds(), -18000);
  EXPECT_EQ(record_.NtpServerEnable(), 1);
  // Eight bytes of SNMP: the rest of the block stays as it was.
  EXPECT_EQ(record_.SnmpControl(), 2);
  EXPECT_EQ(record_.AccessType(2), 1);
  EXPECT_EQ(record_.Community(1), "orchid");
  // No mail pieces: the mail block is kept; the comma-form DE key is not read.
  EXPECT_EQ(record_.RecipientAddress(1), "keep@x");
  EXPECT_EQ(record_.EnableCondition(), 0);
  EXPECT_EQ(file_.GetPathName(), project_);
}

TEST_F(ParameterFileTest, HexFormMailPiecesFillTheMailBlock) {
  record_.SetRecipientAddress(2, "gone@x");  // not in the pieces: zeroed
  EXPECT_EQ(Import(Fixture("hex_form_mail_pieces.ini")), 1);
  EXPECT_EQ(record_.SmtpServerIp(), 0xAC100019u);
  EXPECT_EQ(record_.SmtpPort(), 587);
  EXPECT_EQ(record_.PasswordText(), "pw");
  EXPECT_EQ(record_.PasswordLength(), 2);  // the dump said 99
  EXPECT_EQ(record_.UserNameLength(), 4);  // the dump said 0
  EXPECT_EQ(record_.MailReserved(8), 8);
  EXPECT_EQ(record_.Subject(), "Alarm");
  EXPECT_EQ(record_.RecipientAddress(1), "ops@x");
  EXPECT_EQ(record_.RecipientAddress(2), "");
  EXPECT_EQ(record_.RecipientAddress(8), "r8@x");
  EXPECT_EQ(record_.Trigger(1).TriggerName(), "Trg1");
  EXPECT_EQ(record_.Trigger(1).TriggerMode(), 0);  // the dump said 9
  EXPECT_EQ(record_.Trigger(1).TriggerFlags(), 0x09);
  EXPECT_EQ(record_.Trigger(1).Interval(), 30);
  EXPECT_EQ(record_.Trigger(3).AttachmentLength(2), 8);  // last bytes of piece 0
  EXPECT_EQ(record_.Trigger(4).TriggerName(), "Trg4");   // first bytes of piece 1
  EXPECT_EQ(record_.Trigger(4).TriggerMode(), 3);
  EXPECT_EQ(record_.Trigger(8).Interval(), 300);
  EXPECT_EQ(record_.Trigger(8).AttachmentLength(2), 9);  // last bytes of the block
}

TEST_F(ParameterFileTest, HexFormMalformedDumpsChangeNothing) {
  const ModuleConfig before = record_;
  EXPECT_EQ(Import(Fixture("hex_form_malformed.ini")), 1);
  EXPECT_TRUE(record_ == before);
}

TEST_F(ParameterFileTest, HexFormOversizedDumpsStayInsideTheirBlocks) {
  EXPECT_EQ(Import(Fixture("hex_form_oversized.ini")), 1);
  for (std::size_t i = 0; i < 32; ++i) ASSERT_EQ(record_.Bytes()[0x2080 + i], i + 1) << i;
  for (std::size_t i = 0; i < 288; ++i) ASSERT_EQ(record_.Bytes()[0x20A0 + i], (i * 7 + 1) & 0xFF) << i;
  // Piece 0 cut at 1000 bytes; piece 1 absent; pieces 3 to 5 lie past the block.
  for (std::size_t i = 164; i < 676; ++i) ASSERT_EQ(record_.Bytes()[0x21C0 + i], (i * 13 + 5) & 0xFF) << i;
  for (std::size_t i = 1000; i < 1540; ++i) ASSERT_EQ(record_.Bytes()[0x21C0 + i], 0) << i;
}

TEST_F(ParameterFileTest, OnlyALowerCaseIniEndingSelectsTheHexForm) {
  for (const char* name : {"blocks.INI", "blocks.ini.qx1", "blocks.Ini"}) {
    const std::string path = dir_.File(name);
    std::filesystem::copy_file(Fixture("hex_form_short_snmp_no_mail.ini"), path);
    record_.SetDefaults();
    EXPECT_EQ(Import(path), -2) << name;              // comma form: most keys absent
    EXPECT_EQ(record_.EnableCondition(), 2) << name;  // DE=1,2,3 is read
    EXPECT_EQ(record_.NtpUpdateCycle(), 0) << name;   // the hex dump is no comma value
  }
}

TEST_F(ParameterFileTest, HexPiecesStopAtTheBufferEnd) {
  CProfileFile f;
  f.SetPathName(Fixture("hex_form_mail_pieces.ini").c_str());
  std::vector<uint8_t> buffer(1500, 0xAA);
  EXPECT_EQ(ReadHexPieces(f, "SLOT00", "Mail", buffer), 1500);
  EXPECT_EQ(buffer[0], 0x00);
  EXPECT_EQ(buffer[2], 0xAC);
  std::vector<uint8_t> small(10, 0xAA);
  EXPECT_EQ(ReadHexPieces(f, "SLOT00", "Mail", small), 10);
  EXPECT_EQ(ReadHexPieces(f, "SLOT00", "NoSuchKey", small), 0);
}

}  // namespace
}  // namespace qx
