#ifndef QUARNEL_FILES_SESSION_H_
#define QUARNEL_FILES_SESSION_H_

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "files/page_job.h"
#include "files/progress_env.h"
#include "files/work_report.h"
#include "platform/env.h"
#include "platform/status.h"
#include "settings/settings.h"

namespace quarnel {

// File jobs at once unless told otherwise. Chosen from measurements
// (bench/tree_bench.sh): a disk serves several flushes side by side, so more
// file jobs than cores pay.
inline constexpr int kDefaultJobs = 8;

// How the pages of a batch of paths are worked on.
struct RunOptions {
  int jobs = kDefaultJobs;                  // file jobs at once (see WorkOptions)
  bool repeat = false;                      // see PageCompaction
  const std::atomic<bool>* stop = nullptr;  // see WorkOptions
  bool diff = false;                        // see WorkOptions
  std::string output_folder;                // see WorkOptions
  std::function<void(const std::string&, const PageOutcome&)> page_done;  // see WorkOptions
};

// One run of Quarnel, whichever face started it: the settings are read from
// "Quarnel.ini" at its start, every batch of paths (the command line's, or
// each drop on a window) is compacted with them, and the settings are
// written back at its end. A window front-end owns everything that is its
// own (style, pin, hook, controls) and hands the session only the pin state
// to save.
class Session {
 public:
  // With `dry_run` nothing is written: no page and no settings file. With
  // a `settings_file`, the settings are read from there instead, and no
  // settings file is written.
  Session(Env& env, Settings& settings, bool dry_run = false, std::string settings_file = {});
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Reads the settings file into the record. Returns what there was to say
  // about a file that could not be trusted or read; the defaults are in
  // place then. A `settings_file` that cannot be read or is no settings
  // file is an error instead, and the record is left as it was.
  Status Start();

  // Hands each path to DispatchPath, in order, with the settings as they
  // stand now. The pages are worked on by `run.jobs` workers, and `report`
  // hears of them in order, on this thread, exactly as if each were
  // finished before the next. `progress` hears, on this thread, of every
  // page's turn and every folder entry listed, and a few times a second
  // while the run waits.
  void RunPaths(const std::vector<std::string>& paths, WorkReport& report,
                const ProgressEnv::Listener& progress = {}, const RunOptions& run = {});

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
  const bool dry_run_;
  const std::string settings_file_;
  const std::string program_folder_;
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_SESSION_H_
