#include "files/page_job.h"

#include <string_view>
#include <utility>

#include "files/html_name.h"
#include "files/page_compaction.h"

namespace quarnel {
namespace {

void WriteBack(Env& env, const std::string& path, const std::string& contents,
               const ReplaceGuard& guard, const PageJobOptions& options, PageOutcome& outcome) {
  outcome.after = contents.size();
  if (options.dry_run) {
    // Nothing is written; a read-only file is told as the failure it would be.
    const std::uint32_t attributes = env.GetFileAttributes(path);
    if (attributes != kInvalidAttributes && (attributes & kAttrReadOnly) != 0) {
      outcome.kind = PageOutcome::Kind::kFailed;
      outcome.failure = Status::ReadOnly(path);
    } else {
      outcome.kind = PageOutcome::Kind::kRewritten;
    }
    return;
  }
  outcome.failure = env.ReplaceFile(path, contents, guard);
  outcome.kind = outcome.failure.ok()                               ? PageOutcome::Kind::kRewritten
                 : outcome.failure.code() == Status::Code::kStopped ? PageOutcome::Kind::kStopped
                                                                    : PageOutcome::Kind::kFailed;
}

}  // namespace

PageOutcome RunPageJob(Env& env, const WorkItems& items, const std::string& path,
                       const PageJobOptions& options, const std::optional<FolderId>& folder) {
  PageOutcome outcome;
  if (!IsHtmlName(path)) return outcome;
  std::string bytes;
  FileStamp read;
  if (Status status = env.ReadFile(path, &bytes, &read); !status.ok()) {
    outcome.kind = PageOutcome::Kind::kFailed;
    outcome.failure = std::move(status);
    return outcome;
  }
  outcome.before = bytes.size();
  const CompactedPage page = CompactPage(items, std::move(bytes), options.compaction);
  outcome.blocks_kept = page.blocks_kept;
  if (!page.rewrite) {
    outcome.kind = PageOutcome::Kind::kUnchanged;
    return outcome;
  }
  outcome.still_changing = page.still_changing;
  const ReplaceGuard guard{&read, options.stop, folder ? &*folder : nullptr};
  WriteBack(env, path, page.bytes, guard, options, outcome);
  return outcome;
}

void ReportOutcome(const std::string& path, const PageOutcome& outcome, WorkReport& report) {
  report.SetCurrentPage(path);
  if (outcome.blocks_kept) report.AddBlocksKept();
  switch (outcome.kind) {
    case PageOutcome::Kind::kNotHtml:
    case PageOutcome::Kind::kStopped:
      return;
    case PageOutcome::Kind::kUnchanged:
      report.AddUnchanged(outcome.before);
      return;
    case PageOutcome::Kind::kRewritten:
      if (outcome.still_changing) report.AddStillChanging(path);
      report.AddRewritten(path, outcome.before, outcome.after);
      return;
    case PageOutcome::Kind::kFailed:
      // A page that could not be read counts no bytes; one that could not be
      // written counts its unchanged size.
      report.AddFileFailure(outcome.failure, outcome.before);
      return;
  }
}

}  // namespace quarnel
