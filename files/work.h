#ifndef QUARNEL_FILES_WORK_H_
#define QUARNEL_FILES_WORK_H_

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/folder_walk.h"
#include "files/page_job.h"
#include "files/work_items.h"
#include "files/work_report.h"
#include "platform/env.h"
#include "settings/settings.h"

namespace quarnel {

class PagePool;

// The three wildcard patterns of a folder, in the order their files are
// taken.
std::vector<std::string> WalkPatterns();

// How a Work runs its file jobs.
struct WorkOptions {
  bool dry_run = false;  // nothing is written: the report tells what would be
  bool repeat = false;   // see PageCompaction
  bool diff = false;     // each page rewritten carries its unified diff (see PageOutcome)
  // When set, the pages are written under this folder instead of in place
  // (see OutputPath), and the folders walked are left as they are.
  std::string output_folder;
  // Workers for the file jobs; 1 runs each page in turn on the caller's
  // thread. With more, the report still hears of every page in walk order,
  // on the caller's thread.
  int jobs = 1;
  // When set and true, no further page is started, and a page whose new
  // form is not yet in place is left as it was.
  const std::atomic<bool>* stop = nullptr;
  // On the caller's thread: a page's turn to be told has come (every page
  // before it has been).
  std::function<void()> page_started;
  // On the caller's thread, a few times a second while it waits for a file
  // job.
  std::function<void()> waiting;
  // On the caller's thread, in walk order: a page's outcome, just before the
  // report hears of it.
  std::function<void(const std::string& path, const PageOutcome& outcome)> page_done;
};

// Module work: from one path to compacted files. One Work serves one run (a
// batch run or one drop), with the settings as they stood when it began.
class Work {
 public:
  // With `dry_run` nothing is written: the report tells what would be.
  Work(Env& env, const Settings& settings, WorkReport& report, bool dry_run = false);
  Work(Env& env, const Settings& settings, WorkReport& report, WorkOptions options);
  // Tells the outcome of every page still in flight (see Finish).
  ~Work();
  Work(const Work&) = delete;
  Work& operator=(const Work&) = delete;

  // Runs the file job once for the path, or, when its attributes are
  // exactly those of a plain folder (16), once for every HTML file of the
  // folder and its sub-folders. A path that does not exist, or a folder
  // that cannot be listed, is reported and no file job runs for it. A
  // temporary file that a killed run left in a walked folder is removed
  // (not in a dry run, nor when writing under an output folder).
  void DispatchPath(const std::string& path);

  // The file job for one path (see RunPageJob), writing to `target` when
  // it is not empty.
  void CompactFile(const std::string& path, const std::string& target = {});

  // Waits for the file jobs in flight and reports their outcomes. Also
  // called before the walk tells anything, so that what it tells comes
  // after the pages handed in before.
  void Finish();

 private:
  void ReportReady();
  void Tell(const std::string& path, const PageOutcome& outcome);
  void RemoveAbandoned(const std::vector<std::string>& temp_files);
  bool Stopped() const { return options_.stop != nullptr && options_.stop->load(); }

  Env& env_;
  const WorkItems items_;
  WorkReport& report_;
  const WorkOptions options_;
  const PageJobOptions job_options_;
  FileMain file_main_;
  std::unique_ptr<PagePool> pool_;  // only with more than one worker
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_WORK_H_
