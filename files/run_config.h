#ifndef QUARNEL_FILES_RUN_CONFIG_H_
#define QUARNEL_FILES_RUN_CONFIG_H_

#include <atomic>
#include <cstddef>
#include <string>

namespace quarnel {

// What one run asks for, whichever face started it: made once (from the
// command line, or as a drop on the window asks) and read by the session,
// the work and every file job.
struct RunConfig {
  // File jobs at once unless told otherwise. Chosen from measurements
  // (bench/tree_bench.sh): a disk serves several flushes side by side, so
  // more file jobs than cores pay.
  static constexpr int kDefaultJobs = 8;

  // Nothing is written, neither a page nor the settings file: the report
  // tells what would be.
  bool dry_run = false;
  bool repeat = false;  // see PageCompaction
  bool diff = false;    // each page rewritten carries its unified diff (see PageOutcome)
  // When set, the pages are written under this folder instead of in place
  // (see OutputPath), and the folders walked are left as they are.
  std::string output_folder;
  // Workers for the file jobs; 1 runs each page in turn on the caller's
  // thread. With more, the pages are still told in walk order, on the
  // caller's thread.
  int jobs = kDefaultJobs;
  // How many pages a run holds before it works on them: the first walk of a
  // folder keeps up to this many (a larger tree is walked again, its pages
  // handed on folder by folder), and the walk hands the workers this many
  // before it waits for the oldest. Enough to keep every worker busy
  // through a slow page, few enough that memory stays flat however many
  // pages a tree holds.
  std::size_t pages_ahead = 1024;
  // When set and true, no further page is started, and a page whose new
  // form is not yet in place is left as it was.
  const std::atomic<bool>* stop = nullptr;
  // When set, the settings are read from here, and no settings file is
  // written.
  std::string settings_file;

  bool Stopped() const { return stop != nullptr && stop->load(); }
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_RUN_CONFIG_H_
