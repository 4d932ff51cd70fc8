// Commands: what each qxconf command does, given its parsed arguments, with
// its output and error streams passed in, returning the exit status:
//   0  done (dump, convert, backup: all saved; check: clean; diff, compare:
//      no difference);
//   1  check, csv import: findings; diff, compare: differences; backup: a module failed;
//   2  unreadable input, bad arguments, a failed transfer (compare), or a
//      file that could not be written.
// main.cpp parses the command line (CLI11) and calls these.
#pragma once

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace qx::cli {

enum ExitStatus { kExitOk = 0, kExitFindings = 1, kExitError = 2 };

struct Streams {
  std::ostream& out;
  std::ostream& err;
  std::FILE* progress = nullptr;  // where progress bars go when it is a terminal
};

// dump PROJECT POS | dump FILE
int RunDump(const std::string& source, const std::optional<std::string>& position, bool json, Streams s);
// check PROJECT|FILE
int RunCheck(const std::string& source, Streams s);
// diff A B; each operand FILE, PROJECT, or either with ":POS" (line1:12)
int RunDiff(const std::string& a, const std::string& b, Streams s);
// compare PROJECT POS --port P
int RunCompare(const std::string& project, const std::string& position, int port, Streams s);
// csv export PROJECT POS FILE [--lang EN|CHT|CHS] [--force]
// csv import PROJECT POS FILE [--lang EN|CHT|CHS]            (cli/Csv.cpp)
int RunCsvExport(const std::string& project, const std::string& position, const std::string& file,
                 const std::string& language, bool force, Streams s);
int RunCsvImport(const std::string& project, const std::string& position, const std::string& file,
                 const std::string& language, Streams s);
// convert FILE [-o OUT] [--force]
int RunConvert(const std::string& file, const std::optional<std::string>& output, bool force, Streams s);
// backup PROJECT... --port P --out DIR [-j N]
int RunBackup(const std::vector<std::string>& projects, int port, const std::string& outDir, int jobs, Streams s);

}  // namespace qx::cli
