#include "files/session.h"

#include "files/work.h"
#include "settings/settings_file.h"

namespace quarnel {

Session::Session(Env& env, Settings& settings, const RunConfig& config)
    : env_(env), settings_(settings), config_(config), program_folder_(env.ProgramFolder()) {}

Status Session::Start() {
  if (!config_.settings_file.empty())
    return LoadSettingsFrom(env_, config_.settings_file, settings_);
  return LoadSettings(env_, program_folder_, settings_);
}

void Session::RunPaths(const std::vector<std::string>& paths, WorkReport& report,
                       RunObserver* observer) {
  Work work(env_, settings_, report, config_, observer);
  for (const std::string& path : paths) work.DispatchPath(path);
  work.Finish();
}

Status Session::End(bool pin_shown) {
  if (config_.dry_run || !config_.settings_file.empty()) return Status::OK();
  return SaveSettings(env_, program_folder_, pin_shown, settings_);
}

}  // namespace quarnel
