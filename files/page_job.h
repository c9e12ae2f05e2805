#ifndef QUARNEL_FILES_PAGE_JOB_H_
#define QUARNEL_FILES_PAGE_JOB_H_

#include <cstdint>
#include <optional>
#include <string>

#include "files/run_config.h"
#include "files/work_items.h"
#include "files/work_report.h"
#include "platform/env.h"
#include "platform/status.h"

namespace quarnel {

// What the file job did to one page. A value, so that a job can run on any
// thread and its outcome be told later, in the walk's order.
struct PageOutcome {
  enum class Kind {
    kNotHtml,    // not an HTML name: passed over without a word
    kUnchanged,  // read and left as it was
    kRewritten,  // rewritten (or, in a dry run, would be)
    kFailed,     // could not be read or written; `failure` says why
    kStopped,    // the run was told to stop before the new page was in place
  };
  Kind kind = Kind::kNotHtml;
  std::uint64_t before = 0;  // bytes read (0 when the read failed)
  std::uint64_t after = 0;   // bytes of the new form
  Status failure;
  bool blocks_kept = false;     // the page has blocks that the rules left as they were
  bool still_changing = false;  // repeated compaction had not settled (see PageCompaction)
  std::string target;           // where the page went, when not in place
  std::string diff;             // with `diff`, for a page rewritten
};

// The file job, as `options` asks: in a dry run nothing is written and the
// outcome tells what would be; with `stop` set, a replacement not yet in
// place is given up (kStopped). Does nothing for a path whose name is not
// an HTML name. Otherwise reads the file, takes its encoding, compacts its lines with the
// run's settings and, only when the engine reports a change, replaces the
// file with the compacted form, provided it is still the version that was
// read. A read-only file is never rewritten. The file is as it was after
// any failure. With a `target`, the page itself is only read, and its new
// form, or its bytes as they were when nothing changes, replace or make
// the file `target` (and its folders) instead. With `folder` (the folder a
// walk listed the page in), the page is replaced only while its path still
// leads into that folder. Safe to run on several threads at once.
PageOutcome RunPageJob(Env& env, const WorkItems& items, const std::string& path,
                       const RunConfig& options, const std::string& target = {},
                       const std::optional<FolderId>& folder = std::nullopt);

// Counts the outcome in the report.
void ReportOutcome(const std::string& path, const PageOutcome& outcome, WorkReport& report);

}  // namespace quarnel

#endif  // QUARNEL_FILES_PAGE_JOB_H_
