// qxconf's outputs on the fixture projects, against golden files in
// tests/data/cli/golden. QX_UPDATE_GOLDEN=1 rewrites the golden files from
// the current outputs (then read the diff before committing them).
#include <algorithm>

#include "tests/cli/CliTestSupport.h"

namespace qx::cli::test {
namespace {

TEST(GoldenTest, DumpCheckAndDiffOutputs) {
  const std::tuple<const char*, int, std::function<int(Streams)>> cases[] = {
      {"dump_line1_12.txt", 0, [](Streams s) { return RunDump("line1", "12", false, s); }},
      {"dump_line1_SLOT17.json", 0, [](Streams s) { return RunDump("line1", "SLOT17", true, s); }},
      {"dump_old_ini.txt", 0, [](Streams s) { return RunDump("old.ini", std::nullopt, false, s); }},
      {"dump_old_ini.txt", 0, [](Streams s) { return RunDump("old.ini", "SLOT00", false, s); }},
      {"check_line1.txt", 0, [](Streams s) { return RunCheck("line1", s); }},
      {"check_faulty.txt", 1, [](Streams s) { return RunCheck("faulty", s); }},
      {"check_faulty_export.txt", 1, [](Streams s) { return RunCheck("faulty.qx1", s); }},
      {"diff_line1_faulty.txt", 1, [](Streams s) { return RunDiff("line1.qx1", "faulty.qx1", s); }},
      {"diff_slot12_slot17.txt", 1, [](Streams s) { return RunDiff("line1:12", "line1.qx1:SLOT17", s); }},
      {"diff_same.txt", 0, [](Streams s) { return RunDiff("line1:12", "line1.qx1:12", s); }},
  };
  const bool update = std::getenv("QX_UPDATE_GOLDEN") != nullptr;
  for (const auto& [name, status, command] : cases) {
    SCOPED_TRACE(name);
    const Outcome r = RunIn(command);
    EXPECT_EQ(r.status, status) << r.err;
    const fs::path golden = kFixtures / "golden" / name;
    if (update) WriteFile(golden, r.out);
    EXPECT_EQ(r.out, ReadFile(golden));
  }
}

// A module the project has but whose section was never filled is a
// finding of its own; the other modules are still checked.
TEST(CheckTest, ProjectModuleWithoutParametersIsAFinding) {
  TempFolder scratch;
  for (const char* name : {"line1.ini", "line1.hw"}) fs::copy_file(kFixtures / name, scratch.path() / name);
  std::string text = ReadFile(kFixtures / "line1.qx1");
  const std::size_t from = text.find("[SLOT17]") + 10;
  text.erase(from, text.find("\n[", from) + 1 - from);
  WriteFile(scratch.path() / "line1.qx1", text);
  const auto header = std::count(text.begin(), text.begin() + from, '\n');
  const Outcome r = RunIn([](Streams s) { return RunCheck("line1", s); }, scratch.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "line1.qx1:" + std::to_string(header) +
                ": SLOT17: the project has a KM31QX-2C module here, but the section holds no parameters "
                "(the configurator creates them when the project is opened)\n");
  EXPECT_EQ(r.err, "qxconf: 1 finding in 2 modules\n");
}

}  // namespace
}  // namespace qx::cli::test
