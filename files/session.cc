#include "files/session.h"

#include "files/stop_request.h"
#include "files/work.h"
#include "settings/settings_file.h"

namespace quarnel {

Session::Session(Env& env, Settings& settings, bool dry_run)
    : env_(env), settings_(settings), dry_run_(dry_run), program_folder_(env.ProgramFolder()) {}

Status Session::Start() { return LoadSettings(env_, program_folder_, settings_); }

void Session::RunPaths(const std::vector<std::string>& paths, WorkReport& report,
                       const ProgressEnv::Listener& progress) {
  // Unwatched runs go straight to the Env: the walk and the file job make
  // one call per folder entry and per page.
  ProgressEnv watched(env_, progress);
  Env& env = (progress.file_started || progress.step) ? static_cast<Env&>(watched) : env_;
  Work work(env, settings_, report, dry_run_);
  for (const std::string& path : paths) {
    if (StopRequested()) return;
    work.DispatchPath(path);
  }
}

Status Session::End(bool pin_shown) {
  if (dry_run_) return Status::OK();
  return SaveSettings(env_, program_folder_, pin_shown, settings_);
}

}  // namespace quarnel
