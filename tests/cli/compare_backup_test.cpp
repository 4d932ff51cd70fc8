// compare and backup against a simulated communication manager (qxcommd's
// server, in-process on 127.0.0.1) holding the fixture project's modules;
// and every command's status two.
#include "tests/cli/CliTestSupport.h"
#include "tests/sim/SimHarness.h"

namespace qx::cli::test {
namespace {

using Manager = qx::test::SimHarness;  // station 1, rack 1, slot numbers 3 and 8: project line1's modules

// The module at slot number n now holds record.
void Load(Manager& manager, int slotNumber, const ModuleConfig& record) {
  sim::ModuleImage image;
  std::copy_n(record.Bytes(), image.size(), image.begin());
  std::string error;
  EXPECT_TRUE(manager.plant().Store({1, 1, slotNumber}, image, error)) << error;
}

TEST(CompareTest, ReportsTheOneFieldTheModuleHasChanged) {
  Manager manager;
  ModuleConfig module = ProjectRecord(kFixtures, "12");
  Load(manager, 3, module);
  Outcome r = RunIn([&](Streams s) { return RunCompare("line1", "12", manager.port(), s); });
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "SLOT12: the module runs the project's configuration\n");

  module.Item(2).ReadBlock().SetQuantity(12);
  module.SetCommunity(3, "a\"b");  // a quote in a text is escaped
  // Items beyond ItemCount are not part of what the module runs.
  module.Item(9).SetSlaveAddress(77);
  Load(manager, 3, module);
  r = RunIn([&](Streams s) { return RunCompare("line1", "SLOT12", manager.port(), s); });
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out,
            "SLOT12: 2 field(s) differ (project -> module)\n"
            "DataExchangeItem[2].ReadBlock.Quantity: 10 -> 12\n"
            "SnmpSettings.Community[3]: \"granite\" -> \"a\\\"b\"\n");
}

TEST(BackupTest, OneStationFailingLeavesTheOthersSavedAndExitsOne) {
  Manager manager;
  const ModuleConfig slot12 = ProjectRecord(kFixtures, "12");
  Load(manager, 3, slot12);
  TempFolder out;
  const Outcome r = RunIn([&](Streams s) {
    return RunBackup({"line9", (kFixtures / "line1").string(), "faulty"}, manager.port(), out.path().string(),
                     3, s);
  });
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  const std::string dir = out.path().string();
  EXPECT_EQ(r.err, "4 of 6 modules saved in " + dir +
                       "\n2 failed:\n"
                       "  line9 SLOT12: reading the data-exchange header failed: no module at that position "
                       "(status 0x0101)\n"
                       "  line9 SLOT17: reading the data-exchange header failed: no module at that position "
                       "(status 0x0101)\n");
  EXPECT_EQ(out.Entries(), 4);
  // A file per module, HOST_SLOTnn.qx1 (qxconf_e2e.sh lists them), holds what the
  // module holds with the project's firmware version (its form is tests/config's).
  std::string error;
  const auto saved = LoadFileModules((out.path() / "line1_SLOT12.qx1").string(), error);
  ASSERT_TRUE(saved) << error;
  EXPECT_EQ(std::pair(saved->front().firmwareVersion, saved->front().record == slot12),
            std::pair(0x110u, true));
}

// Unreadable input, bad arguments and a failed transfer are status 2 with the
// reason on standard error, nothing on standard output and nothing written:
// no file replaced or left, an export over any file but a table refused
// (without --force). Bad arguments are refused before any transfer.
TEST(StatusTwoTest, EveryCommandFailsClearlyAndWritesNothing) {
  Manager manager;
  const int port = manager.port();
  TempFolder out;
  const std::string dir = out.path().string();
  const std::vector<std::string> unknown{"line1", "line7"}, twins{"line1", "line1.ini"};
  const auto before = fs::last_write_time(kFixtures / "line1.qx1");
  const auto files = std::distance(fs::directory_iterator(kFixtures), {});
  const std::pair<const char*, std::function<int(Streams)>> cases[] = {
      {"holds no KM31QX-2C parameters", [](Streams s) { return RunCheck("line1.hw", s); }},
      {"[SLOT13] holds no KM31QX-2C parameters", [](Streams s) { return RunDump("line1", "13", false, s); }},
      {"is not of the form", [](Streams s) { return RunDump("line1", "SLOTX2", false, s); }},
      {"old: no such file", [](Streams s) { return RunDump("old", "12", false, s); }},
      {"old.ini: no section [SLOT12]", [](Streams s) { return RunDump("old.ini", "12", false, s); }},
      {"no section [SLOT13]", [](Streams s) { return RunDiff("line1.qx1:13", "line1.qx1", s); }},
      {"no such folder", [&](Streams s) { return RunBackup({"line1"}, port, "no/such/dir", 2, s); }},
      {"line7: not a host", [&](Streams s) { return RunBackup(unknown, port, dir, 2, s); }},
      {"same name", [&](Streams s) { return RunBackup(twins, port, dir, 2, s); }},
      {"no KM31QX-2C module at SLOT14", [&](Streams s) { return RunCompare("line1", "14", port, s); }},
      {"cannot connect to the communication", [](Streams s) { return RunCompare("line1", "12", 1, s); }},
      {"old.ini: no data exchange items",
       [](Streams s) { return RunCsvImport("line1", "12", "old.ini", "EN", s); }},
      {".: not a KM31QX-2C data exchange table",
       [](Streams s) { return RunCsvImport("line1", "12", ".", "EN", s); }},
      {"missing.csv: no such file",
       [](Streams s) { return RunCsvImport("line1", "12", "missing.csv", "EN", s); }},
      {"not one of EN, CHT, CHS", [](Streams s) { return RunCsvImport("line1", "12", "old.ini", "FR", s); }},
      {"line1.qx1: exists and is not a data exchange CSV file; not replaced",
       [](Streams s) { return RunCsvExport("line1", "12", "line1.qx1", "EN", false, s); }},
      {"not written",
       [](Streams s) { return RunCsvExport("line1", "12", "no/such/dir/t.csv", "EN", false, s); }},
      {"upload from SLOT12 failed: reading the data-exchange header failed: no module at that position",
       [&](Streams s) { return RunCompare("line9", "12", port, s); }},
  };
  for (const auto& [message, command] : cases) {
    SCOPED_TRACE(message);
    EXPECT_EQ(manager.requests(), 0);  // the last case is the first to reach the manager
    const Outcome r = RunIn(command);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
  }
  EXPECT_EQ(fs::last_write_time(kFixtures / "line1.qx1"), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(kFixtures), {}), files);
  EXPECT_EQ(out.Entries(), 0);
}

}  // namespace
}  // namespace qx::cli::test
