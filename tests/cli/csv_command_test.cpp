// qxconf csv export and import on a copy of project line1: the command's
// messages, its language, the files it writes, and bad rows all listed with
// row, column and reason while the parameter file is not touched at all.
// Its refusals are rows of the status-two table (compare_backup_test.cpp);
// the rows' words themselves are the table's (tests/dataexch/item_csv_test.cpp).
#include "tests/cli/CliTestSupport.h"

namespace qx::cli::test {
namespace {

// Rows of module 12 of line1 (read area from D4096, write area from D4608, 512 registers each).
constexpr char kRow1[] =
    ",1,1,192.168.10.31,100,1000,0,MODBUS TCP,D4096,0 (MODBUS Register Hex),10,D4608,100 (MODBUS Register "
    "Hex),4";
constexpr char kRow2[] = ",1,2,192.168.10.32,100,1000,0,CPU Model A,D4106,D4090 (D),10,D4612,Y0 (Y),16";

// row with value in its column (1 is Enable, 13 the output quantity).
std::string With(std::string text, int column, const std::string& value) {
  std::size_t at = 0;
  for (int i = 0; i < column; ++i) at = text.find(',', at) + 1;
  return text.replace(at, text.find(',', at) - at, value);
}

class CsvCommandTest : public ::testing::Test {
 protected:
  CsvCommandTest() {
    for (const char* name : {"line1.ini", "line1.qx1", "line1.hw"})
      fs::copy_file(kFixtures / name, dir.path() / name);
  }

  Outcome Export(const std::string& file, const std::string& lang, bool force = false) {
    return RunIn([&](Streams s) { return RunCsvExport("line1", "12", file, lang, force, s); }, dir.path());
  }
  Outcome Import(const std::string& file, const std::string& lang = "EN") {
    return RunIn([&](Streams s) { return RunCsvImport("line1", "12", file, lang, s); }, dir.path());
  }
  ModuleConfig Record() { return ProjectRecord(dir.path(), "12"); }
  // A CSV file of module 12 with the given item lines ("DE_ITEM1=...").
  void Write(const std::string& name, const std::string& lines) {
    WriteFile(dir.path() / name, "[SLOT00]\r\nMODULE_NAME=KM31QX-2C\r\nMODULE_ID=0x5881\r\n" + lines);
  }
  std::string ParameterFile() { return ReadFile(dir.path() / "line1.qx1"); }

  TempFolder dir;
};

TEST_F(CsvCommandTest, ExportThenImportGivesTheProjectsTableInEveryLanguage) {
  // The table exported before is replaced without --force, any other file only with it.
  const ModuleConfig original = Record();
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"EN", "EN", "Item=,Enable,Slave Address,IP Address,Update Cycle,Timeout,"},
      {"cht", "CHT", "項目=,啟用,"},
      {"CHS", "CHS", "项目=,启用,"},
  };
  for (const auto& [lang, shown, header] : cases) {
    SCOPED_TRACE(lang);
    const Outcome out = Export("table.csv", lang);
    EXPECT_EQ(out.status, kExitOk) << out.err;
    EXPECT_EQ(out.out, "line1 SLOT12: 3 items exported to table.csv (" + std::string(shown) + ")\n");
    EXPECT_NE(ReadFile(dir.path() / "table.csv").find(std::string("\r\n") + header), std::string::npos);
    // Another table first, so that the import has something to replace.
    Write("one.csv", "DE_ITEM1=" + With(kRow1, 2, "99") + "\r\n");
    ASSERT_EQ(Import("one.csv", lang).status, kExitOk);
    ASSERT_EQ(Record().ItemCount(), 1);
    const Outcome in = Import("table.csv", lang);
    EXPECT_EQ(in.status, kExitOk) << in.err;
    EXPECT_EQ(in.out, "line1 SLOT12: 3 items imported from table.csv into line1.qx1\n");
    EXPECT_TRUE(Record() == original);
  }
  // The fixture's sections are as the configurator writes them: nothing moved.
  EXPECT_EQ(ParameterFile(), ReadFile(kFixtures / "line1.qx1"));
  WriteFile(dir.path() / "notes.csv", "Enable,Slave Address\n");
  ASSERT_EQ(Export("notes.csv", "CHS", true).status, kExitOk);
  EXPECT_EQ(ReadFile(dir.path() / "notes.csv"), ReadFile(dir.path() / "table.csv"));
}

// A row the editor refuses shows the editor's message, any other bad row
// what is wrong with it (these words are the command's own); rows the page
// would never read, after a gap or beyond the 64th item, are bad rows too.
TEST_F(CsvCommandTest, EveryBadRowIsListedAndNothingIsWritten) {
  const std::string before = ParameterFile();
  const std::string rows[] = {With(kRow1, 2, "256"),
                              kRow2,
                              With(kRow2, 3, "192.168.10.320"),
                              kRow2 + std::string(",16"),
                              With(kRow1, 11, "D5118"),
                              With(kRow2, 12, "Y8 (Y)"),
                              With(kRow2, 10, "0")};
  std::string lines = std::string("DE_ITEM9=") + kRow1 + "\r\nde_item65=" + kRow1 + "\r\nDE_ITEM02=" + kRow1;
  for (int n = 1; n <= 7; ++n) lines += "\r\nDE_ITEM" + std::to_string(n) + "=" + rows[n - 1];
  Write("bad.csv", lines + "\r\n");
  const Outcome out = Import("bad.csv");
  EXPECT_EQ(out.status, kExitFindings);
  EXPECT_EQ(
      out.err,
      "bad.csv:1: Slave Address: The slave address must not be greater than 255.\n"
      "bad.csv:2: row: not read: rows are DE_ITEM1 to DE_ITEM64, without leading zeros\n"
      "bad.csv:3: IP Address: not an IP address\n"
      "bad.csv:4: row: the row does not hold a leading comma and 13 values\n"
      "bad.csv:5: Output Local Address: The local address plus the quantity runs past the data exchange "
      "area. Their sum must not be greater than 511.\n"
      "bad.csv:6: Output Remote Address: not an address of that kind\n"
      "bad.csv:9: row: not read: row 8 is missing\n"
      "bad.csv:65: row: beyond the table's 64 items\n"
      "qxconf: 8 bad rows in bad.csv; nothing was imported\n");
  EXPECT_EQ(out.out, "");
  EXPECT_EQ(ParameterFile(), before);

  // The column titles and the editor's messages follow the language.
  const Outcome chs = Import("bad.csv", "CHS");
  EXPECT_EQ(chs.status, kExitFindings);
  EXPECT_NE(chs.err.find("bad.csv:1: 从站地址: "), std::string::npos) << chs.err;
  EXPECT_EQ(ParameterFile(), before);
}

}  // namespace
}  // namespace qx::cli::test
