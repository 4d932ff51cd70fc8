// The small parts of qxconf: positions, the line index of check, the
// backup's job runner, the progress line, upload failure reasons, and convert.
#include <atomic>

#include "cli/Backup.h"
#include "cli/Check.h"
#include "cli/Convert.h"
#include "cli/Progress.h"
#include "cli/Sources.h"
#include "tests/cli/CliTestSupport.h"

namespace qx::cli::test {
namespace {

TEST(PositionTest, AcceptsTheHostsFormsOnly) {
  for (const char* good : {"12", "111", "00", "SLOT12", "slot111", "SLOT00"})
    EXPECT_TRUE(IsPosition(good)) << good;
  for (const char* bad : {"", "1", "1234", "SLOTX2", "XXXX12", "SLOT1", "1a", "SLOT1234"})
    EXPECT_FALSE(IsPosition(bad)) << bad;
}

TEST(LineIndexTest, FindsTheFirstSectionAndKeyOfANameWhateverTheLineEnds) {
  const LineIndex index(
      "; comment\r\n[SLOT12]\r\nDE=1\r\n  de_item1 = "
      "2\n[slot12]\rDE=9\r\n[Other]\r\nDE=3\r\n=x\r\nnokey\r\n");
  EXPECT_EQ(std::tuple(index.Section("SLOT12"), index.Section("other"), index.Section("SLOT13")),
            std::tuple(2, 7, 0));
  EXPECT_EQ(std::tuple(index.Key("slot12", "de"), index.Key("SLOT12", "DE_ITEM1"), index.Key("OTHER", "DE"),
                       index.Key("OTHER", "nokey")),
            std::tuple(3, 4, 8, 0));
}

// Each job runs once, never more at a time than the workers given, and each
// one done is reported.
TEST(BackupPlanTest, RunsEveryJobOnceOnAtMostTheWorkersGiven) {
  for (const auto& [jobs, workers] : {std::pair{0, 4}, {1, 8}, {7, 1}, {50, 3}, {16, 16}}) {
    SCOPED_TRACE(std::to_string(jobs) + " jobs, " + std::to_string(workers) + " workers");
    std::vector<std::atomic<int>> runs(static_cast<std::size_t>(jobs));
    std::atomic<int> running{0}, most{0}, reported{0};
    const auto job = [&](std::size_t i) {
      const int now = ++running;
      for (int seen = most; now > seen && !most.compare_exchange_weak(seen, now);) {
      }
      ++runs[i];
      --running;
    };
    RunJobs(static_cast<std::size_t>(jobs), workers, job, [&](int) { ++reported; });
    for (const auto& r : runs) EXPECT_EQ(r.load(), 1);
    EXPECT_LE(most.load(), workers);
    EXPECT_EQ(reported.load(), jobs);
  }
}

TEST(ProgressTest, BarFillsWithTheCountAndStaysInItsWidth) {
  EXPECT_EQ(ProgressLine("backup", 0, 4, 30), "backup [.................] 0/4");
  EXPECT_EQ(ProgressLine("backup", 2, 4, 30), "backup [########.........] 2/4");
  EXPECT_EQ(ProgressLine("backup", 4, 4, 30), "backup [#################] 4/4");
  EXPECT_EQ(ProgressLine("x", 9, 0, 20).find('#'), std::string::npos);
}

TEST(UploadReasonTest, NamesTheBlockAndTheManagersAnswer) {
  EXPECT_EQ(UploadFailureReason(-2, 0x100), "reading the NTP settings failed: no valid reply");
  EXPECT_EQ(
      UploadFailureReason(-3, 0x105),
      "reading the data-exchange items, SNMP or e-mail settings failed: the manager answered status 0x0105");
}

// The converted file's contents, and a second convert refused without
// --force: qxconf_e2e.sh (check and diff against the old file).
TEST(ConvertTest, ForceReplacesTheOutputAndOnlyOldHexFilesAreConverted) {
  TempFolder scratch;
  const std::string old = scratch.Path("old.ini"), converted = scratch.Path("old.qx1");
  fs::copy_file(kFixtures / "old.ini", old);
  std::string error;
  ASSERT_EQ(ConvertFile(old, ConvertedName(old), false, error), 1) << error;
  const auto after = LoadFileModules(converted, error);
  ASSERT_TRUE(after) << error;
  EXPECT_EQ(after->front().firmwareVersion, 0x110u);
  // A file of the user's named like a temporary one beside the output is not touched.
  WriteFile(converted + ".part", "mine");
  EXPECT_EQ(ConvertFile(old, converted, true, error), 1);
  EXPECT_EQ(ReadFile(converted + ".part"), "mine");
  // Already in the comma form, or not a parameter file at all.
  EXPECT_EQ(ConvertFile(converted, "x.qx1", false, error), -1);
  WriteFile(scratch.path() / "empty.ini", "[SLOT00]\nMODULE_ID=0x1234\n");
  EXPECT_EQ(ConvertFile(scratch.Path("empty.ini"), scratch.Path("e.qx1"), false, error), -1);
  EXPECT_FALSE(fs::exists(scratch.path() / "e.qx1"));
}

}  // namespace
}  // namespace qx::cli::test
