#include "cli/Commands.h"

#include <map>

#include "cli/Backup.h"
#include "cli/Check.h"
#include "cli/Convert.h"
#include "cli/Diff.h"
#include "cli/Dump.h"
#include "cli/Progress.h"
#include "cli/Sources.h"
#include "cli/Upload.h"
#include "config/ParameterCodec.h"
#include "config/SlotPosition.h"
#include "platform/Paths.h"

namespace qx::cli {
namespace {

int Fail(Streams s, const std::string& message) {
  s.err << "qxconf: " << message << "\n";
  return kExitError;
}

// An operand of dump, check and diff: a project (all its modules, or the one
// at ":POS") or a file (all its module sections, or the one at ":POS").
std::optional<std::vector<ModuleSource>> Resolve(const std::string& operand, std::string& error) {
  std::string path = operand;
  std::optional<std::string> position;
  const std::size_t colon = operand.rfind(':');
  if (colon != std::string::npos && IsPosition(operand.substr(colon + 1))) {
    path = operand.substr(0, colon);
    position = operand.substr(colon + 1);
  }
  if (NamesProject(path)) {
    const std::string base = *ProjectBase(path);
    if (!position) return LoadProjectModules(base, error);
    auto m = LoadProjectModule(base, *position, error);
    if (!m) return std::nullopt;
    return std::vector<ModuleSource>{std::move(*m)};
  }
  auto modules = LoadFileModules(path, error);
  if (!modules || !position) return modules;
  int32_t rack = 0;
  int32_t slot = 0;
  ParseSlotPosition(*position, rack, slot);
  for (ModuleSource& m : *modules) {
    if (m.rack == rack && m.slot == slot) return std::vector<ModuleSource>{std::move(m)};
  }
  error = path + ": no section [" + SlotSectionName(rack, slot) + "] with KM31QX-2C parameters";
  return std::nullopt;
}

}  // namespace

int RunDump(const std::string& source, const std::optional<std::string>& position, bool json, Streams s) {
  std::string error;
  std::optional<std::vector<ModuleSource>> modules;
  if (position) {
    // A project's module, or one section of a file ("export.qx1 SLOT00").
    if (!IsPosition(*position)) return Fail(s, "position \"" + *position + "\" is not of the form 12, 111 or SLOT12");
    modules = Resolve(source + ":" + *position, error);
  } else {
    modules = Resolve(source, error);
  }
  if (!modules) return Fail(s, error);
  for (std::size_t i = 0; i < modules->size(); ++i) {
    const ModuleSource& m = (*modules)[i];
    if (!m.checksumsMatch) s.err << "qxconf: " << m.file << " [" << m.section << "]: a checksum does not match\n";
    if (i > 0) s.out << "\n";
    s.out << (json ? DumpJson(m) : DumpText(m));
  }
  return kExitOk;
}

int RunCheck(const std::string& source, Streams s) {
  std::string error;
  const bool project = NamesProject(source);
  const std::optional<std::string> base = project ? ProjectBase(source) : std::nullopt;
  std::vector<std::string> missing;
  auto modules = project ? LoadProjectModules(*base, error, &missing) : LoadFileModules(source, error);
  if (!modules) return Fail(s, error);
  std::size_t count = 0;
  // All modules come from one file: the project's parameter file, or the file given.
  const CheckedFile file(project ? *base + ".qx1" : source);
  for (const std::string& section : missing) {
    const Finding f{*base + ".qx1", file.lines.Section(section), section,
                    "the project has a KM31QX-2C module here, but the section holds no parameters "
                    "(the configurator creates them when the project is opened)"};
    s.out << FormatFinding(f) << "\n";
    ++count;
  }
  for (const ModuleSource& m : *modules) {
    for (const Finding& f : CheckModule(m, LimitsFor(m, base), file)) {
      s.out << FormatFinding(f) << "\n";
      ++count;
    }
  }
  const std::size_t checked = modules->size() + missing.size();
  s.err << "qxconf: " << count << (count == 1 ? " finding in " : " findings in ") << checked
        << (checked == 1 ? " module\n" : " modules\n");
  return count == 0 ? kExitOk : kExitFindings;
}

int RunDiff(const std::string& a, const std::string& b, Streams s) {
  std::string error;
  auto left = Resolve(a, error);
  if (!left) return Fail(s, error);
  auto right = Resolve(b, error);
  if (!right) return Fail(s, error);
  std::string out;
  if (left->size() == 1 && right->size() == 1) {
    out = FormatDifferences(DiffRecords(left->front().record, right->front().record));
  } else {
    // Several modules a side: paired by section, each difference under its section.
    std::map<std::string, const ModuleSource*> byName;
    for (const ModuleSource& m : *right) byName[m.section] = &m;
    for (const ModuleSource& m : *left) {
      const auto it = byName.find(m.section);
      if (it == byName.end()) {
        out += m.section + ": only in " + a + "\n";
        continue;
      }
      out += FormatDifferences(DiffRecords(m.record, it->second->record), m.section + ": ");
      byName.erase(it);
    }
    for (const auto& [name, m] : byName) out += name + ": only in " + b + "\n";
  }
  s.out << out;
  return out.empty() ? kExitOk : kExitFindings;
}

int RunCompare(const std::string& projectArg, const std::string& position, int port, Streams s) {
  std::string error;
  const auto base = ProjectBase(projectArg);
  if (!base) return Fail(s, projectArg + ": not a host project (no .ini with HW_CFG)");
  const auto target = ReadProjectTarget(*base, error);
  if (!target) return Fail(s, error);
  int32_t rack = -1;
  int32_t slot = -1;
  if (!IsPosition(position) || !ParseSlotPosition(position, rack, slot)) {
    return Fail(s, "position \"" + position + "\" is not of the form 12, 111 or SLOT12");
  }
  bool listed = false;
  for (const auto& m : target->modules) listed |= m.rack == rack && m.slot == slot;
  if (!listed) return Fail(s, *base + ".ini: no KM31QX-2C module at " + SlotSectionName(rack, slot));
  auto project = LoadProjectModule(*base, position, error);
  if (!project) return Fail(s, error);

  TerminalProgressFactory bar(s.progress, "upload " + project->section);
  const bool showProgress = s.progress != nullptr;
  const UploadResult module =
      UploadImage(target->session, project->rack, project->slot, port, showProgress ? &bar : nullptr);
  if (!module.ok) return Fail(s, "upload from " + project->section + " failed: " + module.reason);

  const auto differences = DiffRecords(project->record, module.record);
  if (differences.empty()) {
    s.out << project->section << ": the module runs the project's configuration\n";
    return kExitOk;
  }
  s.out << project->section << ": " << differences.size() << " field(s) differ (project -> module)\n"
        << FormatDifferences(differences);
  return kExitFindings;
}

int RunConvert(const std::string& file, const std::optional<std::string>& output, bool force, Streams s) {
  std::string error;
  const std::string target = output.value_or(ConvertedName(file));
  const int n = ConvertFile(file, target, force, error);
  if (n < 0) return Fail(s, error);
  s.out << file << " -> " << target << ": " << n << (n == 1 ? " section" : " sections") << " converted\n";
  return kExitOk;
}

int RunBackup(const std::vector<std::string>& projects, int port, const std::string& outDir, int jobs, Streams s) {
  if (!PathExists(outDir)) return Fail(s, outDir + ": no such folder");
  std::string error;
  std::vector<ProjectTarget> targets;
  for (const std::string& p : projects) {
    const auto base = ProjectBase(p);
    if (!base) return Fail(s, p + ": not a host project (no .ini with HW_CFG)");
    auto t = ReadProjectTarget(*base, error);
    if (!t) return Fail(s, error);
    targets.push_back(std::move(*t));
  }
  const std::vector<BackupJob> plan = PlanBackup(targets, outDir, error);
  if (!error.empty()) return Fail(s, error);
  std::vector<BackupOutcome> outcomes(plan.size());
  {
    ProgressBar bar(s.progress, "backup", static_cast<int>(plan.size()));
    RunJobs(
        plan.size(), jobs, [&](std::size_t i) { outcomes[i] = BackupOne(plan[i], port); },
        [&](int done) { bar.Set(done); });
  }
  const std::string summary = BackupSummary(plan, outcomes, outDir);
  bool failed = false;
  for (const BackupOutcome& o : outcomes) failed |= !o.ok;
  (failed ? s.err : s.out) << summary;
  return failed ? kExitFindings : kExitOk;
}

}  // namespace qx::cli
