// qxconf csv export and import on a copy of project line1: a table exported
// and imported back is the table the project held (items in use only, in
// every language's words); bad rows are all listed with row, column and
// reason, and then the parameter file is not touched at all.
#include <fstream>

#include "cli/Sources.h"
#include "config/ParameterCodec.h"
#include "platform/ProfileFile.h"
#include "tests/cli/CliTestSupport.h"

namespace qx::cli::test {
namespace {

// Rows of module 12 of line1 (read area from D4096, write area from D4608, 512 registers each).
constexpr char kRow1[] =
    ",1,1,192.168.10.31,100,1000,0,MODBUS TCP,D4096,0 (MODBUS Register Hex),10,D4608,100 (MODBUS Register "
    "Hex),4";
constexpr char kRow2[] = ",1,2,192.168.10.32,100,1000,0,CPU Model A,D4106,D4090 (D),10,D4612,Y0 (Y),16";

class CsvCommandTest : public ::testing::Test {
 protected:
  CsvCommandTest() {
    for (const char* name : {"line1.ini", "line1.qx1", "line1.hw"})
      fs::copy_file(kFixtures / name, dir.path() / name);
  }

  Outcome Export(const std::string& pos, const std::string& file, const std::string& lang = "EN",
                 bool force = false) {
    return RunIn(dir.path(), [&](Streams s) { return RunCsvExport("line1", pos, file, lang, force, s); });
  }
  Outcome Import(const std::string& pos, const std::string& file, const std::string& lang = "EN") {
    return RunIn(dir.path(), [&](Streams s) { return RunCsvImport("line1", pos, file, lang, s); });
  }
  ModuleConfig Record(const std::string& pos) {
    std::string error;
    auto m = LoadProjectModule((dir.path() / "line1").string(), pos, error);
    EXPECT_TRUE(m.has_value()) << error;
    return m ? m->record : ModuleConfig();
  }
  // A CSV file of module 12 with the given item lines ("DE_ITEM1=...").
  void Write(const std::string& name, const std::string& lines) {
    std::ofstream(dir.path() / name, std::ios::binary)
        << "[SLOT00]\r\nMODULE_NAME=KM31QX-2C\r\nMODULE_ID=0x5881\r\n"
        << lines;
  }
  std::string ParameterFile() { return ReadFile(dir.path() / "line1.qx1"); }

  TempFolder dir;
};

TEST_F(CsvCommandTest, ExportThenImportGivesTheProjectsTableInEveryLanguage) {
  struct Case {
    const char* pos;
    const char* other;
    const char* lang;
    const char* header;  // start of the header line
    int items;
  } cases[] = {
      {"12", "17", "EN", "Item=,Enable,Slave Address,IP Address,Update Cycle,Timeout,", 3},
      {"SLOT17", "12", "cht", "項目=,啟用,", 1},
      {"12", "17", "CHS", "项目=,启用,", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pos) + " " + c.lang);
    const ModuleConfig original = Record(c.pos);
    const ModuleConfig other = Record(c.other);
    const Outcome out = Export(c.pos, "table.csv", c.lang);
    ASSERT_EQ(out.status, kExitOk) << out.err;
    EXPECT_NE(
        out.out.find(": " + std::to_string(c.items) + (c.items == 1 ? " item" : " items") + " exported"),
        std::string::npos)
        << out.out;
    const std::string csv = ReadFile(dir.path() / "table.csv");
    EXPECT_NE(csv.find("FWVER=11"), std::string::npos);
    EXPECT_NE(csv.find("\r\n" + std::string(c.header)), std::string::npos) << csv;
    EXPECT_NE(csv.find("DE_ITEM" + std::to_string(c.items) + "="), std::string::npos);
    EXPECT_EQ(csv.find("DE_ITEM" + std::to_string(c.items + 1) + "="), std::string::npos);

    // Another table first, so that the import has something to replace.
    std::string first = csv.substr(csv.find("DE_ITEM1="));
    first = first.substr(0, first.find("\r\n") + 2);
    first.replace(first.find(",1,") + 3, 1, "99");  // the slave address
    Write("one.csv", first);
    ASSERT_EQ(Import(c.pos, "one.csv", c.lang).status, kExitOk);
    ASSERT_EQ(Record(c.pos).ItemCount(), 1);
    ASSERT_EQ(Record(c.pos).Item(1).SlaveAddress(), 99);

    const Outcome in = Import(c.pos, "table.csv", c.lang);
    ASSERT_EQ(in.status, kExitOk) << in.err;
    EXPECT_NE(in.out.find(std::to_string(c.items) + (c.items == 1 ? " item" : " items") +
                          " imported from table.csv"),
              std::string::npos)
        << in.out;
    EXPECT_TRUE(Record(c.pos) == original);
    EXPECT_TRUE(Record(c.other) == other);
  }
  // The fixture's sections are as the configurator writes them: nothing moved.
  EXPECT_EQ(ParameterFile(), ReadFile(kFixtures / "line1.qx1"));
}

TEST_F(CsvCommandTest, OnlyItemsInUseAreExportedAndTheRestComesBackEmpty) {
  ModuleConfig record = Record("12");
  record.SetItemCount(2);  // item 3 stays filled in, but is not in use
  CProfileFile parameters;
  parameters.SetPathName((dir.path() / "line1.qx1").string().c_str());
  ASSERT_TRUE(WriteParameters(record, 0x110, parameters, 1, 2, ""));

  ASSERT_EQ(Export("12", "table.csv").status, kExitOk);
  EXPECT_EQ(ReadFile(dir.path() / "table.csv").find("DE_ITEM3"), std::string::npos);
  ASSERT_EQ(Import("12", "table.csv").status, kExitOk);
  record.ResetItem(3);
  EXPECT_TRUE(Record("12") == record);
}

TEST_F(CsvCommandTest, EveryBadRowIsListedAndNothingIsWritten) {
  const std::string before = ParameterFile();
  struct Case {
    const char* row;
    const char* finding;  // "" for a good row
  } rows[] = {
      {",1,256,192.168.10.31,100,1000,0,MODBUS TCP,D4096,0 (MODBUS Register Hex),10,D4608,100 (MODBUS "
       "Register Hex),4",
       "Slave Address: The slave address must not be greater than 255."},
      {kRow2, ""},
      {",1,2,192.168.10.320,100,1000,0,CPU Model A,D4106,D4090 (D),10,D4612,Y0 (Y),16",
       "IP Address: not an IP address"},
      {",1,2,192.168.10.32,100,1000,0,CPU Model A,D4106,D4090 (D),10,D4612",
       "row: the row does not hold a leading comma and 13 values"},
      {",yes,1,192.168.10.31,100,1000,0,MODBUS TCP,D4096,0 (MODBUS Register Hex),10,D4608,100 (MODBUS "
       "Register Hex),4",
       "Enable: must be 1 or 0"},
      {",1,1,192.168.10.31,100,1000,0,PLC,D4096,0 (MODBUS Register Hex),10,D4608,100 (MODBUS Register Hex),4",
       "Device Type: not a device type"},
      {",1,1,192.168.10.31,100,1000,0,MODBUS TCP,D4000,0 (MODBUS Register Hex),10,D4608,100 (MODBUS Register "
       "Hex),4",
       "Input Local Address: not a D register of the module's area"},
      {",1,1,192.168.10.31,100,1000,0,MODBUS TCP,D4096,0 (MODBUS Register Hex),10,D5118,100 (MODBUS Register "
       "Hex),4",
       "Output Local Address: The local address plus the quantity runs past the data exchange area. Their "
       "sum must "
       "not be greater than 511."},
      {",1,2,192.168.10.32,100,1000,0,CPU Model A,D4106,X0 (MODBUS Register Hex),10,D4612,Y0 (Y),16",
       "Input Remote Address: no address kind of the device type in brackets"},
      {",1,2,192.168.10.32,100,1000,0,CPU Model A,D4106,D4090 (D),10,D4612,Y8 (Y),16",
       "Output Remote Address: not an address of that kind"},
      {",1,2,192.168.10.32,100,1000,0,CPU Model A,D4106,D4090 (D),0,D4612,Y0 (Y),16", ""},
  };
  std::string lines;
  std::string expected;
  int n = 0;
  int bad = 3;
  for (const Case& r : rows) {
    lines += "DE_ITEM" + std::to_string(++n) + "=" + r.row + "\r\n";
    if (*r.finding) {
      expected += "bad.csv:" + std::to_string(n) + ": " + r.finding + "\n";
      ++bad;
    }
  }
  // Rows the page would never read: after a gap, and beyond the 64th item.
  lines += std::string("DE_ITEM13=") + kRow1 + "\r\nde_item65=" + kRow1 + "\r\nDE_ITEM02=" + kRow1 + "\r\n";
  expected.insert(expected.find("bad.csv:3:"),
                  "bad.csv:2: row: not read: rows are DE_ITEM1 to DE_ITEM64, without leading zeros\n");
  expected += "bad.csv:13: row: not read: row 12 is missing\nbad.csv:65: row: beyond the table's 64 items\n";
  Write("bad.csv", lines);

  const Outcome out = Import("12", "bad.csv");
  EXPECT_EQ(out.status, kExitFindings);
  EXPECT_EQ(out.err,
            expected + "qxconf: " + std::to_string(bad) + " bad rows in bad.csv; nothing was imported\n");
  EXPECT_EQ(out.out, "");
  EXPECT_EQ(ParameterFile(), before);

  // The column titles and the editor's messages follow the language.
  const Outcome chs = Import("12", "bad.csv", "CHS");
  EXPECT_EQ(chs.status, kExitFindings);
  EXPECT_NE(chs.err.find("bad.csv:1: 从站地址: "), std::string::npos) << chs.err;
  EXPECT_EQ(ParameterFile(), before);
}

TEST_F(CsvCommandTest, UnreadableInputChangesNothing) {
  const std::string before = ParameterFile();
  Write("empty.csv", "");
  std::ofstream(dir.path() / "other.csv", std::ios::binary)
      << "[SLOT00]\r\nMODULE_ID=0x1A02\r\nDE_ITEM1=" << kRow1 << "\r\n";
  std::ofstream(dir.path() / "plain.csv", std::ios::binary) << "Enable,Slave Address\n1,1\n";
  struct Case {
    const char* pos;
    const char* file;
    const char* message;
  } cases[] = {
      {"12", "missing.csv", "missing.csv: no such file"},
      {"12", "other.csv", "other.csv: not a KM31QX-2C data exchange table"},
      {"12", "plain.csv", "plain.csv: not a KM31QX-2C data exchange table"},
      {"12", "empty.csv", "empty.csv: no data exchange items"},
      {"12", ".", "not a KM31QX-2C data exchange table"},
      {"13", "empty.csv", "[SLOT13] holds no KM31QX-2C parameters"},
      {"1x", "empty.csv", "is not of the form 12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const Outcome out = Import(c.pos, c.file);
    EXPECT_EQ(out.status, kExitError);
    EXPECT_NE(out.err.find(c.message), std::string::npos) << out.err;
    EXPECT_EQ(ParameterFile(), before);
  }
  const Outcome lang = Import("12", "empty.csv", "FR");
  EXPECT_EQ(lang.status, kExitError);
  EXPECT_NE(lang.err.find("not one of EN, CHT, CHS"), std::string::npos);
}

TEST_F(CsvCommandTest, ExportReplacesTheWholeFileOrLeavesItAsItWas) {
  const fs::path table = dir.path() / "table.csv";
  std::ofstream(table, std::ios::binary) << "[SLOT00]\r\nMODULE_NAME=KM31QX-2C\r\nDE_ITEM9=old row\r\n";
  ASSERT_EQ(Export("12", "table.csv").status, kExitOk);
  EXPECT_EQ(ReadFile(table).find("DE_ITEM9"), std::string::npos);
  EXPECT_NE(ReadFile(table).find("\r\nDE_ITEM3=,1,3,"), std::string::npos);

  // Any other file, the project's own first of all, only with --force.
  const std::string project = ParameterFile();
  for (const char* other : {"line1.qx1", "line1.ini"}) {
    const Outcome refused = Export("12", other);
    EXPECT_EQ(refused.status, kExitError);
    EXPECT_NE(refused.err.find("not replaced"), std::string::npos) << refused.err;
  }
  EXPECT_EQ(ParameterFile(), project);
  std::ofstream(dir.path() / "notes.csv", std::ios::binary) << "Enable,Slave Address\n";
  EXPECT_EQ(Export("12", "notes.csv").status, kExitError);
  ASSERT_EQ(Export("12", "notes.csv", "EN", true).status, kExitOk);
  EXPECT_EQ(ReadFile(dir.path() / "notes.csv"), ReadFile(table));
  fs::remove(dir.path() / "notes.csv");

  const Outcome missingFolder = Export("12", "no/such/folder/table.csv");
  EXPECT_EQ(missingFolder.status, kExitError);
  EXPECT_NE(missingFolder.err.find("not written"), std::string::npos) << missingFolder.err;
  const Outcome noModule = Export("13", "t13.csv");
  EXPECT_EQ(noModule.status, kExitError);
  EXPECT_FALSE(fs::exists(dir.path() / "t13.csv"));
  // Nothing but the project and the one table is left in the folder.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 4);
}

}  // namespace
}  // namespace qx::cli::test
