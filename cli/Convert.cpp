#include "cli/Convert.h"

#include "cli/Sources.h"
#include "config/ParameterCodec.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"

namespace qx::cli {
namespace {

bool IsOldForm(const std::string& path) {
  return path.size() >= 4 && path.compare(path.size() - 4, 4, ".ini") == 0;
}

}  // namespace

std::string ConvertedName(const std::string& input) {
  return (IsOldForm(input) ? input.substr(0, input.size() - 4) : input) + ".qx1";
}

int ConvertFile(const std::string& input, const std::string& output, bool overwrite, std::string& error) {
  if (!IsOldForm(input)) {
    error = input + ": only files ending in .ini hold the old hexadecimal form";
    return -1;
  }
  if (!overwrite && PathExists(output)) {
    error = output + ": exists (--force replaces it)";
    return -1;
  }
  auto modules = LoadFileModules(input, error);
  if (!modules) return -1;

  // Built whole in memory and put in place at once: a failed conversion
  // leaves an earlier output as it was, and no other file beside it is
  // touched.
  IniDocument out;
  bool parameterFile = false;
  for (const ModuleSource& m : *modules) parameterFile |= m.rack != 0;
  // A project's parameter file keeps its header and its twelve slot sections.
  if (parameterFile) out.Parse(NewParameterFileText());
  CProfileFile source;
  source.SetPathName(input.c_str());
  bool ok = true;
  for (const ModuleSource& m : *modules) {
    ok &= out.SetValue(m.section, "MODULE_ID", kModuleIdText);
    const std::string synch = source.GetString(m.section.c_str(), "SYNCH_ID");
    if (!synch.empty()) ok &= out.SetValue(m.section, "SYNCH_ID", synch);
    ok &= PutParameterSection(out, m.section, m.record, m.firmwareVersion);
  }
  std::string reason;
  if (!ok || !WriteFileAtomically(output, out.Serialize(), &reason)) {
    error = output + ": cannot be written" + (reason.empty() ? "" : " (" + reason + ")");
    return -1;
  }
  return static_cast<int>(modules->size());
}

}  // namespace qx::cli
