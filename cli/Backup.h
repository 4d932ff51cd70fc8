// Backup: every module of every project given, uploaded into export files
// under one folder, several connections at a time, without touching the
// projects. Each module's file is "<project>_<section>.qx1" (line1_SLOT12.qx1),
// written beside its final name and renamed over it, so a failed upload
// never leaves a half-written or stale-looking file.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/Upload.h"

namespace qx::cli {

struct BackupJob {
  std::string project;  // its name, for messages and the file name
  const ProjectTarget* target = nullptr;
  ProjectTarget::Module module;
  std::string outPath;
};

struct BackupOutcome {
  bool ok = false;
  std::string reason;
};

// The jobs for the projects in the order given, each project's modules in
// slot order. Fails (error set) when two projects share a name, whose files
// would overwrite each other.
std::vector<BackupJob> PlanBackup(const std::vector<ProjectTarget>& projects, const std::string& outDir,
                                  std::string& error);

// Runs work(job index) for every job on at most `workers` threads, taking
// the jobs in order; done(finished count) after each. Returns when all have
// run. work and done may be called from several threads at once.
void RunJobs(std::size_t jobs, int workers, const std::function<void(std::size_t)>& work,
             const std::function<void(int)>& done = {});

// Uploads one job's module and saves it. Thread-safe.
BackupOutcome BackupOne(const BackupJob& job, int port);

// "N of M modules saved in DIR" and one line per failure.
std::string BackupSummary(const std::vector<BackupJob>& jobs, const std::vector<BackupOutcome>& outcomes,
                          const std::string& outDir);

}  // namespace qx::cli
