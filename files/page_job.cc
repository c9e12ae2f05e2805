#include "files/page_job.h"

#include <string_view>
#include <utility>

#include "engine/compact_lines.h"
#include "engine/line_split.h"
#include "engine/opt_out.h"
#include "files/file_form.h"
#include "files/html_name.h"
#include "files/text_encoding.h"

namespace quarnel {
namespace {

bool LineFeedsOnly(std::string_view bytes) {
  return bytes.find('\n') != std::string_view::npos && bytes.find('\r') == std::string_view::npos;
}

// The page's new bytes, or nothing when it is to stay as it is. Takes the
// bytes over, so that their memory holds the new form: a large page then
// costs two buffers of its size, not three.
std::optional<std::string> Compacted(const WorkItems& items, std::string bytes, bool explain,
                                     std::optional<JoinHarm>* harm) {
  const std::size_t mark = bytes.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
  const std::string_view text = std::string_view(bytes).substr(mark);
  const bool compactFlag = CompactFlag(items.CompactMode());
  // An opted-out file is never rewritten: it need not even be decoded.
  if (HoldsOptOutLine(text, compactFlag)) return std::nullopt;

  const EncodedSettings& settings = items.For(DetectEncoding(bytes));
  const std::string byteOrderMark(bytes, 0, mark);
  LineList lines = SplitLines(text);
  if (explain) *harm = FindJoinHarm(lines);
  static const ItemList kNoItems;
  if (!CompactLines(lines, compactFlag, compactFlag ? settings.JoinTags : kNoItems,
                    settings.DeleteLines, settings.context)) {
    harm->reset();
    return std::nullopt;
  }
  FileFrame frame;
  frame.byte_order_mark = byteOrderMark;
  frame.write_signature = settings.context.write_signature;
  frame.insert_head_lines = settings.context.insert_head_lines;
  frame.head_lines = &settings.context.head_lines;
  return FormatFile(lines, frame, std::move(bytes));
}

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
  if (options.explain) outcome.line_feeds_only = LineFeedsOnly(bytes);
  const std::optional<std::string> contents =
      Compacted(items, std::move(bytes), options.explain, &outcome.harm);
  if (!contents) {
    outcome.kind = PageOutcome::Kind::kUnchanged;
    return outcome;
  }
  const ReplaceGuard guard{&read, options.stop, folder ? &*folder : nullptr};
  WriteBack(env, path, *contents, guard, options, outcome);
  if (outcome.kind != PageOutcome::Kind::kRewritten) outcome.harm.reset();
  return outcome;
}

void ReportOutcome(const std::string& path, const PageOutcome& outcome, WorkReport& report) {
  report.SetCurrentPage(path);
  if (outcome.line_feeds_only) report.AddLineFeedsOnly();
  switch (outcome.kind) {
    case PageOutcome::Kind::kNotHtml:
    case PageOutcome::Kind::kStopped:
      return;
    case PageOutcome::Kind::kUnchanged:
      report.AddUnchanged(outcome.before);
      return;
    case PageOutcome::Kind::kRewritten:
      if (outcome.harm) report.AddJoinHarm(path, *outcome.harm);
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
