#include "cli/Convert.h"

#include <cstdio>

#include "cli/Sources.h"
#include "config/ParameterCodec.h"
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

  const std::string temp = output + ".part";
  std::remove(temp.c_str());
  bool parameterFile = false;
  for (const ModuleSource& m : *modules) parameterFile |= m.rack != 0;
  // A project's parameter file keeps its header and its twelve slot sections.
  if (parameterFile && !CreateParameterFile(temp)) {
    error = temp + ": cannot be written";
    return -1;
  }
  CProfileFile source;
  source.SetPathName(input.c_str());
  bool ok = true;
  for (const ModuleSource& m : *modules) {
    CProfileFile out;
    out.SetPathName(temp.c_str());
    {
      CProfileFile::WriteBatch batch(out);
      ok &= out.WriteString(m.section.c_str(), "MODULE_ID", kModuleIdText);
      const std::string synch = source.GetString(m.section.c_str(), "SYNCH_ID");
      if (!synch.empty()) ok &= out.WriteString(m.section.c_str(), "SYNCH_ID", synch.c_str());
      ok &= batch.Commit();
    }
    ok = ok && WriteParameters(m.record, m.firmwareVersion, out, m.rack, m.slot, temp);
  }
  if (!ok || std::rename(temp.c_str(), output.c_str()) != 0) {
    std::remove(temp.c_str());
    error = output + ": cannot be written";
    return -1;
  }
  return static_cast<int>(modules->size());
}

}  // namespace qx::cli
