#ifndef QUARNEL_FILES_WORK_H_
#define QUARNEL_FILES_WORK_H_

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/folder_walk.h"
#include "files/page_job.h"
#include "files/run_config.h"
#include "files/run_observer.h"
#include "files/work_items.h"
#include "files/work_report.h"
#include "platform/env.h"
#include "settings/settings.h"

namespace quarnel {

class PagePool;

// The three wildcard patterns of a folder, in the order their files are
// taken.
std::vector<std::string> WalkPatterns();

// Module work: from one path to compacted files. One Work serves one run (a
// batch run or one drop), with the settings as they stood when it began.
class Work {
 public:
  // The run is as `config` asks; `report` counts its pages, and `observer`,
  // when set, hears of them on the caller's thread.
  Work(Env& env, const Settings& settings, WorkReport& report, const RunConfig& config,
       RunObserver* observer = nullptr);
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
  void DispatchFolder(const std::string& path);
  // Where the page `file` of `path` goes under the output folder.
  std::string TargetOf(const std::string& path, const std::string& file, bool walked) const;
  void StartPage(const std::string& path, const std::string& target,
                 const std::optional<FolderId>& folder);
  // Waits for the oldest page in the pool and tells its outcome.
  void TellNext();
  // Tells the outcomes that are in, oldest first; whether there was one.
  bool ReportReady();
  void Tell(const std::string& path, const PageOutcome& outcome);
  void TellPathFailure(const Status& failure);
  void RemoveAbandoned(const std::vector<FileMain::TempFile>& temp_files);

  Env& env_;
  const WorkItems items_;
  WorkReport& report_;
  const RunConfig config_;
  RunObserver& observer_;
  FileMain file_main_;
  std::unique_ptr<PagePool> pool_;  // only with more than one worker
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_WORK_H_
