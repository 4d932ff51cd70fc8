#include "cli/Backup.h"

#include <atomic>
#include <map>
#include <thread>

#include "cli/Sources.h"
#include "config/ExportFile.h"
#include "config/ParameterCodec.h"

namespace qx::cli {

std::vector<BackupJob> PlanBackup(const std::vector<ProjectTarget>& projects, const std::string& outDir,
                                  std::string& error) {
  std::vector<BackupJob> jobs;
  std::map<std::string, std::string> names;
  for (const ProjectTarget& p : projects) {
    const std::string name = BaseName(p.base);
    const auto [it, fresh] = names.emplace(name, p.base);
    if (!fresh) {
      error = "projects " + it->second + " and " + p.base + " have the same name \"" + name +
              "\": their backups would overwrite each other";
      return {};
    }
    for (const ProjectTarget::Module& m : p.modules) {
      const std::string file = name + "_" + SlotSectionName(m.rack, m.slot) + ".qx1";
      jobs.push_back({name, &p, m, outDir + "/" + file});
    }
  }
  return jobs;
}

void RunJobs(std::size_t jobs, int workers, const std::function<void(std::size_t)>& work,
             const std::function<void(int)>& done) {
  std::atomic<std::size_t> next{0};
  std::atomic<int> finished{0};
  auto worker = [&] {
    for (std::size_t i; (i = next++) < jobs;) {
      work(i);
      const int n = ++finished;
      if (done) done(n);
    }
  };
  const std::size_t threads = std::min<std::size_t>(static_cast<std::size_t>(std::max(workers, 1)), jobs);
  std::vector<std::thread> pool;
  for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(worker);
  worker();  // the calling thread is one of them
  for (std::thread& t : pool) t.join();
}

BackupOutcome BackupOne(const BackupJob& job, int port) {
  UploadResult up = UploadImage(job.target->session, job.module.rack, job.module.slot, port);
  if (!up.ok) return {false, up.reason};
  // Written as Export File writes (section SLOT00, put in place whole), so
  // that no other file beside it, a "<name>.part" of the user's included,
  // is touched.
  std::string error;
  if (!ExportParameterFile(up.record, job.module.firmwareVersion, job.outPath, &error)) {
    return {false, error.empty() ? "cannot write " + job.outPath : error};
  }
  return {true, ""};
}

std::string BackupSummary(const std::vector<BackupJob>& jobs, const std::vector<BackupOutcome>& outcomes,
                          const std::string& outDir) {
  std::size_t saved = 0;
  std::string failures;
  for (std::size_t i = 0; i < jobs.size() && i < outcomes.size(); ++i) {
    if (outcomes[i].ok) {
      ++saved;
    } else {
      failures += "  " + jobs[i].project + " " + SlotSectionName(jobs[i].module.rack, jobs[i].module.slot) + ": " +
                  outcomes[i].reason + "\n";
    }
  }
  std::string out = std::to_string(saved) + " of " + std::to_string(jobs.size()) + " modules saved in " + outDir + "\n";
  if (!failures.empty()) out += std::to_string(jobs.size() - saved) + " failed:\n" + failures;
  return out;
}

}  // namespace qx::cli
