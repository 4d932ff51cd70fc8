// The small parts of qxconf: positions, the line index of check, the field
// diff's handling of items, backup planning and its job runner, the progress
// line, and convert.
#include <atomic>
#include <mutex>
#include <set>

#include "cli/Backup.h"
#include "cli/Check.h"
#include "cli/Convert.h"
#include "cli/Diff.h"
#include "cli/Progress.h"
#include "cli/Sources.h"
#include "tests/cli/CliTestSupport.h"

namespace qx::cli::test {
namespace {

TEST(PositionTest, AcceptsTheHostsFormsOnly) {
  for (const char* good : {"12", "111", "00", "SLOT12", "slot111", "SLOT00"}) EXPECT_TRUE(IsPosition(good)) << good;
  for (const char* bad : {"", "1", "1234", "SLOTX2", "XXXX12", "SLOT1", "1a", "SLOT1234"}) {
    EXPECT_FALSE(IsPosition(bad)) << bad;
  }
}

TEST(LineIndexTest, FindsTheFirstSectionAndKeyOfANameWhateverTheLineEnds) {
  const LineIndex index(
      "; comment\r\n[SLOT12]\r\nDE=1\r\n  de_item1 = 2\n[slot12]\rDE=9\r\n[Other]\r\nDE=3\r\n=x\r\nnokey\r\n");
  EXPECT_EQ(index.Section("SLOT12"), 2);
  EXPECT_EQ(index.Section("other"), 7);
  EXPECT_EQ(index.Section("SLOT13"), 0);
  EXPECT_EQ(index.Key("slot12", "de"), 3);
  EXPECT_EQ(index.Key("SLOT12", "DE_ITEM1"), 4);
  EXPECT_EQ(index.Key("OTHER", "DE"), 8);
  EXPECT_EQ(index.Key("OTHER", "nokey"), 0);
}

TEST(DiffTest, ComparesItemsInUseOnly) {
  ModuleConfig a;
  a.SetDefaults();
  a.SetItemCount(1);
  ModuleConfig b = a;
  // Beyond ItemCount on both sides: not part of the configuration.
  b.Item(5).SetSlaveAddress(9);
  EXPECT_TRUE(DiffRecords(a, b).empty());
  // In use on one side: one difference for the item, one for the count.
  b.SetItemCount(2);
  b.Item(2).SetSlaveAddress(4);
  const auto d = DiffRecords(a, b);
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(FormatDifferences(d), "DataExchangeSection.ItemCount: 1 -> 2\nDataExchangeItem[2]: (not in use) -> in use\n");
  // A text and an address in the device's notation.
  a = b;
  b.Item(1).SetDeviceType(1);
  b.Item(1).ReadBlock().SetRemoteKind(5);
  b.Item(1).ReadBlock().SetRemoteAddress(255);
  b.SetCommunity(3, "a\"b");
  EXPECT_EQ(FormatDifferences(DiffRecords(a, b)),
            "DataExchangeItem[1].DeviceType: 0 (MODBUS TCP) -> 1 (CPU Model A)\n"
            "DataExchangeItem[1].ReadBlock.RemoteKind: 0 (MODBUS Coil Hex) -> 5 (X)\n"
            "DataExchangeItem[1].ReadBlock.RemoteAddress: 0 -> X377\n"
            "SnmpSettings.Community[3]: \"granite\" -> \"a\\\"b\"\n");
}

TEST(BackupPlanTest, NamesFilesByProjectAndPositionAndRefusesTwinNames) {
  std::vector<ProjectTarget> projects(2);
  projects[0].base = "plant/line1";
  projects[0].modules = {{1, 2, 0x110}, {1, 11, 0}};
  projects[1].base = "line2";
  projects[1].modules = {{1, 0, 0}};
  std::string error;
  const auto jobs = PlanBackup(projects, "out", error);
  ASSERT_EQ(jobs.size(), 3u);
  EXPECT_EQ(jobs[0].outPath, "out/line1_SLOT12.qx1");
  EXPECT_EQ(jobs[1].outPath, "out/line1_SLOT111.qx1");
  EXPECT_EQ(jobs[2].outPath, "out/line2_SLOT10.qx1");
  EXPECT_EQ(error, "");
  projects[1].base = "other/line1";
  EXPECT_TRUE(PlanBackup(projects, "out", error).empty());
  EXPECT_NE(error.find("same name \"line1\""), std::string::npos) << error;
}

TEST(BackupPlanTest, RunsEveryJobOnceOnAtMostTheWorkersGiven) {
  for (const auto& [jobs, workers] : {std::pair{0, 4}, {1, 8}, {7, 1}, {50, 3}, {16, 16}}) {
    SCOPED_TRACE(std::to_string(jobs) + " jobs, " + std::to_string(workers) + " workers");
    std::vector<std::atomic<int>> runs(static_cast<std::size_t>(jobs));
    std::atomic<int> running{0}, most{0};
    std::mutex m;
    std::set<int> doneCounts;
    RunJobs(
        static_cast<std::size_t>(jobs), workers,
        [&](std::size_t i) {
          const int now = ++running;
          for (int seen = most; now > seen && !most.compare_exchange_weak(seen, now);) {
          }
          ++runs[i];
          --running;
        },
        [&](int done) {
          std::lock_guard<std::mutex> lock(m);
          doneCounts.insert(done);
        });
    for (const auto& r : runs) EXPECT_EQ(r.load(), 1);
    EXPECT_LE(most.load(), workers);
    EXPECT_EQ(doneCounts.size(), static_cast<std::size_t>(jobs));  // 1..jobs, each once
  }
}

TEST(BackupSummaryTest, CountsSavedModulesAndListsEachFailure) {
  ProjectTarget p;
  p.base = "line1";
  p.modules = {{1, 2, 0}, {1, 7, 0}};
  std::string error;
  const auto jobs = PlanBackup({p}, "out", error);
  EXPECT_EQ(BackupSummary(jobs, {{true, ""}, {false, "it broke"}}, "out"),
            "1 of 2 modules saved in out\n1 failed:\n  line1 SLOT17: it broke\n");
}

TEST(ProgressTest, BarFillsWithTheCountAndStaysInItsWidth) {
  EXPECT_EQ(ProgressLine("backup", 0, 4, 30), "backup [.................] 0/4");
  EXPECT_EQ(ProgressLine("backup", 2, 4, 30), "backup [########.........] 2/4");
  EXPECT_EQ(ProgressLine("backup", 4, 4, 30), "backup [#################] 4/4");
  EXPECT_EQ(ProgressLine("backup", 2, 4, 30).size(), 30u);
  EXPECT_EQ(ProgressLine("x", 9, 0, 20).find('#'), std::string::npos);
}

TEST(UploadReasonTest, NamesTheBlockAndTheManagersAnswer) {
  EXPECT_EQ(UploadFailureReason(-1, 0x101), "reading the data-exchange header failed: no module at that position (status 0x0101)");
  EXPECT_EQ(UploadFailureReason(-2, 0x100), "reading the NTP settings failed: no valid reply");
  EXPECT_EQ(UploadFailureReason(-3, 0x105),
            "reading the data-exchange items, SNMP or e-mail settings failed: the manager answered status 0x0105");
}

TEST(ConvertTest, OldHexFileBecomesTheCommaFormWithTheSameContents) {
  TempFolder scratch;
  const fs::path old = scratch.path() / "old.ini";
  fs::copy_file(kFixtures / "old.ini", old);
  std::string error;
  EXPECT_EQ(ConvertedName(old.string()), (scratch.path() / "old.qx1").string());
  ASSERT_EQ(ConvertFile(old.string(), ConvertedName(old.string()), false, error), 1) << error;
  const auto before = LoadFileModules(old.string(), error);
  const auto after = LoadFileModules((scratch.path() / "old.qx1").string(), error);
  ASSERT_TRUE(before && after) << error;
  EXPECT_TRUE(after->front().checksumsMatch);
  EXPECT_EQ(after->front().firmwareVersion, 0x110u);
  EXPECT_TRUE(DiffRecords(before->front().record, after->front().record).empty());
  EXPECT_TRUE(before->front().record == after->front().record);
  // No leftovers, and an existing output is kept unless --force.
  EXPECT_FALSE(fs::exists(scratch.path() / "old.qx1.part"));
  EXPECT_EQ(ConvertFile(old.string(), ConvertedName(old.string()), false, error), -1);
  EXPECT_NE(error.find("exists"), std::string::npos);
  EXPECT_EQ(ConvertFile(old.string(), ConvertedName(old.string()), true, error), 1);
  // Already in the comma form, or not a parameter file at all.
  EXPECT_EQ(ConvertFile((scratch.path() / "old.qx1").string(), "x.qx1", false, error), -1);
  WriteFile(scratch.path() / "empty.ini", "[SLOT00]\nMODULE_ID=0x1234\n");
  EXPECT_EQ(ConvertFile((scratch.path() / "empty.ini").string(), (scratch.path() / "e.qx1").string(), false, error),
            -1);
  EXPECT_FALSE(fs::exists(scratch.path() / "e.qx1"));
}

}  // namespace
}  // namespace qx::cli::test
