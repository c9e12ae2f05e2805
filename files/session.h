#ifndef QUARNEL_FILES_SESSION_H_
#define QUARNEL_FILES_SESSION_H_

#include <string>
#include <vector>

#include "files/run_config.h"
#include "files/run_observer.h"
#include "files/work_report.h"
#include "platform/env.h"
#include "platform/status.h"
#include "settings/settings.h"

namespace quarnel {

// One run of Quarnel, whichever face started it: the settings are read from
// "Quarnel.ini" at its start, every batch of paths (the command line's, or
// each drop on a window) is compacted with them, and the settings are
// written back at its end. A window front-end owns everything that is its
// own (style, pin, hook, controls) and hands the session only the pin state
// to save.
class Session {
 public:
  // Every batch of paths runs as `config` asks (see RunConfig): in a dry
  // run nothing is written, no page and no settings file; with a
  // `settings_file`, the settings are read from there, and no settings file
  // is written.
  Session(Env& env, Settings& settings, const RunConfig& config = {});
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Reads the settings file into the record. Returns what there was to say
  // about a file that could not be trusted or read; the defaults are in
  // place then. A `settings_file` that cannot be read or is no settings
  // file is an error instead, and the record is left as it was.
  Status Start();

  // Hands each path to DispatchPath, in order, with the settings as they
  // stand now. The pages are worked on by the config's `jobs` workers;
  // `report` counts them and `observer`, when set, hears of them and of
  // the walk, in order and on this thread, exactly as if each page were
  // finished before the next.
  void RunPaths(const std::vector<std::string>& paths, WorkReport& report,
                RunObserver* observer = nullptr);

  // Writes the settings file, TopmostOff taken from `pin_shown` (not in a
  // dry run). Returns why it could not be written, if it could not.
  Status End(bool pin_shown);

  Settings& settings() { return settings_; }
  const Settings& settings() const { return settings_; }
  Env& env() { return env_; }
  const std::string& program_folder() const { return program_folder_; }

 private:
  Env& env_;
  Settings& settings_;
  const RunConfig config_;
  const std::string program_folder_;
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_SESSION_H_
