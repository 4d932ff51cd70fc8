// qxconf: the KM31QX-2C configuration on the command line — dump, check,
// diff, compare with the module, CSV export and import, backup, convert (see
// --help and qxconf(1)). Parsing is CLI11's; the commands themselves live in
// Commands.cpp and Csv.cpp.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

#include "cli/Commands.h"

#ifndef QX_VERSION
#define QX_VERSION "0"
#endif

int main(int argc, char** argv) {
  using namespace qx::cli;
  CLI::App app{
      "qxconf: see, check and compare KM31QX-2C configurations without the configurator window.\n"
      "PROJECT is a host project's base path (line1 for line1.ini and line1.qx1); POS a module\n"
      "position as the host writes it (12, 111, SLOT12); FILE a parameter or export file (.qx1),\n"
      "or an old one in the hexadecimal form (.ini).",
      "qxconf"};
  app.set_version_flag("--version", "qxconf " QX_VERSION);
  app.require_subcommand(1);

  std::vector<std::string> dumpArgs;
  bool json = false;
  auto* dump = app.add_subcommand("dump", "a module's configuration as text, one line per field");
  dump->add_option("SOURCE", dumpArgs, "PROJECT POS, or FILE [POS]")->required()->expected(1, 2);
  dump->add_flag("--json", json, "JSON for programs (every field, reserved ones included)");

  std::string checkSource;
  auto* check = app.add_subcommand(
      "check", "checksums, invariants, item validation and overlapping local ranges; exit 0 clean, 1 findings, "
               "2 unreadable");
  check->add_option("SOURCE", checkSource, "PROJECT or FILE")->required();

  std::string diffA, diffB;
  auto* diff = app.add_subcommand("diff", "two configurations field by field; only the differences");
  diff->add_option("A", diffA, "FILE, PROJECT, or either with :POS (line1:12)")->required();
  diff->add_option("B", diffB, "the same")->required();

  std::string compareProject, comparePos;
  int port = 0;
  auto* compare = app.add_subcommand(
      "compare", "uploads the module's image through the communication manager (writing nothing) and "
                 "diffs it against the project");
  compare->add_option("PROJECT", compareProject, "host project base path (line1 for line1.ini)")->required();
  compare->add_option("POS", comparePos, "module position: 12, 111 or SLOT12")->required();
  compare->add_option("--port,-p", port, "local port of the communication manager")
      ->required()
      ->check(CLI::Range(1, 65535));

  std::string csvProject, csvPos, csvFile, csvLang = "EN";
  auto* csv = app.add_subcommand(
      "csv", "the data-exchange table as the CSV file of the Data Exchange page: one row per item in use, in the\n"
             "column order of the page's header row");
  csv->require_subcommand(1);
  auto* csvExport = csv->add_subcommand(
      "export", "writes the table of the project's module to FILE (replaced atomically; a FILE that is not\n"
                "such a CSV file only with --force), the header row in the language's words");
  auto* csvImport = csv->add_subcommand(
      "import", "checks every row of FILE as the Item Edit dialog does and, only when all are good, writes the\n"
                "table into the module's section of the project's parameter file; each bad row on standard\n"
                "error as FILE:ROW: COLUMN: reason (ROW is n of DE_ITEMn); exit 1 with bad rows, 2 unreadable");
  for (CLI::App* sub : {csvExport, csvImport}) {
    sub->add_option("PROJECT", csvProject, "host project base path (line1 for line1.ini)")->required();
    sub->add_option("POS", csvPos, "module position: 12, 111 or SLOT12")->required();
    sub->add_option("FILE", csvFile, "the CSV file")->required();
    sub->add_option("--lang", csvLang, "text table of the column titles and messages: EN (default), CHT, CHS")
        ->transform(CLI::IsMember({"EN", "CHT", "CHS"}, CLI::ignore_case));
  }
  bool csvForce = false;
  csvExport->add_flag("--force", csvForce, "replace FILE also when it is not a data-exchange CSV file");

  std::string convertFile;
  std::optional<std::string> convertOut;
  bool force = false;
  auto* convert = app.add_subcommand("convert", "an old hexadecimal .ini section to the comma form, atomically");
  convert->add_option("FILE", convertFile, "an old parameter or export file (.ini)")->required();
  convert->add_option("--output,-o", convertOut, "output file (default: FILE with .qx1 for .ini)");
  convert->add_flag("--force", force, "replace an existing output file");

  std::vector<std::string> backupProjects;
  std::string outDir;
  int jobs = 1;
  auto* backup = app.add_subcommand(
      "backup", "uploads every module of every project into export files under DIR, named by project and "
                "position; exit 1 when a module failed");
  backup->add_option("PROJECT", backupProjects, "host project base paths")->required()->expected(1, -1);
  backup->add_option("--port,-p", port, "local port of the communication manager")
      ->required()
      ->check(CLI::Range(1, 65535));
  backup->add_option("--out", outDir, "folder for the export files")->required();
  backup->add_option("-j,--jobs", jobs, "connections at a time (default 1)")->check(CLI::Range(1, 32));

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? kExitOk : kExitError;
  }

  Streams s{std::cout, std::cerr, stderr};
  if (dump->parsed()) {
    return RunDump(dumpArgs[0], dumpArgs.size() > 1 ? std::optional(dumpArgs[1]) : std::nullopt, json, s);
  }
  if (check->parsed()) return RunCheck(checkSource, s);
  if (diff->parsed()) return RunDiff(diffA, diffB, s);
  if (compare->parsed()) return RunCompare(compareProject, comparePos, port, s);
  if (csvExport->parsed()) return RunCsvExport(csvProject, csvPos, csvFile, csvLang, csvForce, s);
  if (csvImport->parsed()) return RunCsvImport(csvProject, csvPos, csvFile, csvLang, s);
  if (convert->parsed()) return RunConvert(convertFile, convertOut, force, s);
  if (backup->parsed()) return RunBackup(backupProjects, port, outDir, jobs, s);
  return kExitError;
}
