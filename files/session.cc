#include "files/session.h"

#include <utility>

#include "files/work.h"
#include "settings/settings_file.h"

namespace quarnel {

Session::Session(Env& env, Settings& settings, bool dry_run, std::string settings_file)
    : env_(env),
      settings_(settings),
      dry_run_(dry_run),
      settings_file_(std::move(settings_file)),
      program_folder_(env.ProgramFolder()) {}

Status Session::Start() {
  if (!settings_file_.empty()) return LoadSettingsFrom(env_, settings_file_, settings_);
  return LoadSettings(env_, program_folder_, settings_);
}

void Session::RunPaths(const std::vector<std::string>& paths, WorkReport& report,
                       const ProgressEnv::Listener& progress, const RunOptions& run) {
  // Unwatched walks go straight to the Env: they make one call per folder
  // entry.
  ProgressEnv watched(env_, progress);
  Env& env = progress.step ? static_cast<Env&>(watched) : env_;
  WorkOptions options;
  options.dry_run = dry_run_;
  options.repeat = run.repeat;
  options.jobs = run.jobs;
  options.stop = run.stop;
  options.diff = run.diff;
  options.output_folder = run.output_folder;
  options.page_done = run.page_done;
  options.page_started = progress.file_started;
  options.waiting = progress.step;
  Work work(env, settings_, report, std::move(options));
  for (const std::string& path : paths) work.DispatchPath(path);
  work.Finish();
}

Status Session::End(bool pin_shown) {
  if (dry_run_ || !settings_file_.empty()) return Status::OK();
  return SaveSettings(env_, program_folder_, pin_shown, settings_);
}

}  // namespace quarnel
