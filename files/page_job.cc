#include "files/page_job.h"

#include <string_view>
#include <utility>

#include "files/html_name.h"
#include "files/output_folder.h"
#include "files/page_compaction.h"
#include "files/unified_diff.h"

namespace quarnel {
namespace {

// Writes `contents` to `place`: the page itself, as `guard` allows, or
// (with no version read to guard) its place in the output folder, whose
// folders are made as needed. The outcome is `done` once written.
void WriteBack(Env& env, const std::string& place, const std::string& contents,
               const ReplaceGuard& guard, PageOutcome::Kind done, const RunConfig& options,
               PageOutcome& outcome) {
  outcome.after = contents.size();
  if (options.dry_run) {
    // Nothing is written; a read-only file is told as the failure it would be.
    const std::uint32_t attributes = env.GetFileAttributes(place);
    if (attributes != kInvalidAttributes && (attributes & kAttrReadOnly) != 0) {
      outcome.kind = PageOutcome::Kind::kFailed;
      outcome.failure = Status::ReadOnly(place);
    } else {
      outcome.kind = done;
    }
    return;
  }
  if (guard.unchanged == nullptr) {
    const std::string folder = ParentFolder(place, env.PathSeparator());
    if (!folder.empty()) outcome.failure = env.CreateFolders(folder);
  }
  if (outcome.failure.ok()) outcome.failure = env.ReplaceFile(place, contents, guard);
  outcome.kind = outcome.failure.ok()                               ? done
                 : outcome.failure.code() == Status::Code::kStopped ? PageOutcome::Kind::kStopped
                                                                    : PageOutcome::Kind::kFailed;
}

}  // namespace

PageOutcome RunPageJob(Env& env, const WorkItems& items, const std::string& path,
                       const RunConfig& options, const std::string& target,
                       const std::optional<FolderId>& folder) {
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
  const bool elsewhere = !target.empty();
  const CompactedPage page = CompactPage(items, bytes, PageCompaction{options.repeat});
  outcome.blocks_kept = page.blocks_kept;
  outcome.target = target;
  if (!page.rewrite) {
    outcome.kind = PageOutcome::Kind::kUnchanged;
    // The output folder gets every page: this one as it was.
    if (elsewhere)
      WriteBack(env, target, bytes, {nullptr, options.stop}, outcome.kind, options, outcome);
    return outcome;
  }
  outcome.still_changing = page.still_changing;
  if (options.diff) outcome.diff = UnifiedDiff(bytes, page.bytes, path, elsewhere ? target : path);
  const ReplaceGuard guard = elsewhere
                                 ? ReplaceGuard{nullptr, options.stop}
                                 : ReplaceGuard{&read, options.stop, folder ? &*folder : nullptr};
  WriteBack(env, elsewhere ? target : path, page.bytes, guard, PageOutcome::Kind::kRewritten,
            options, outcome);
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
      report.AddRewritten(outcome.before, outcome.after);
      return;
    case PageOutcome::Kind::kFailed:
      // A page that could not be read counts no bytes; one that could not be
      // written counts its unchanged size.
      report.AddFileFailure(outcome.before);
      return;
  }
}

}  // namespace quarnel
