#include "files/work.h"

#include <optional>
#include <utility>

#include "engine/compact_lines.h"
#include "engine/line_split.h"
#include "engine/opt_out.h"
#include "files/file_form.h"
#include "files/html_name.h"
#include "files/stop_request.h"
#include "files/text_encoding.h"

namespace quarnel {

std::vector<std::string> WalkPatterns() { return {"*.htm", "*.html", "*.shtml"}; }

Work::Work(Env& env, const Settings& settings, WorkReport& report, bool dry_run)
    : env_(env), items_(settings), report_(report), dry_run_(dry_run), file_main_(env) {}

void Work::DispatchPath(const std::string& path) {
  const std::vector<std::string> patterns = WalkPatterns();
  std::vector<std::string> PathList;
  const std::uint32_t attributes = env_.GetFileAttributes(path);
  if (attributes == kInvalidAttributes) {
    report_.AddPathFailure(Status::NotFound(path));
    return;
  }
  if (attributes == kAttrDirectory) {
    const Status expanded = file_main_.ExpandFolder(path, patterns, PathList);
    if (!expanded.ok()) {
      // An error anywhere in the expansion cancels every file of the path.
      report_.AddPathFailure(expanded);
      return;
    }
  } else {
    if ((attributes & kAttrDirectory) != 0) report_.AddFolderNotWalked(path, attributes);
    PathList.push_back(path);
  }
  for (const std::string& file : PathList) {
    if (StopRequested()) return;
    CompactFile(file);
  }
}

void Work::CompactFile(const std::string& path) {
  if (!IsHtmlName(path)) return;
  std::string bytes;
  if (Status read = env_.ReadFile(path, &bytes); !read.ok()) {
    report_.AddFileFailure(read, 0);
    return;
  }
  const std::uint64_t before = bytes.size();
  const std::optional<std::string> contents = Compacted(std::move(bytes));
  if (!contents) {
    report_.AddUnchanged(before);
    return;
  }
  WriteBack(path, before, *contents);
}

std::optional<std::string> Work::Compacted(std::string bytes) {
  const std::size_t mark = bytes.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
  const std::string_view text = std::string_view(bytes).substr(mark);
  const bool compactFlag = CompactFlag(items_.CompactMode());
  // An opted-out file is never rewritten: it need not even be decoded.
  if (HoldsOptOutLine(text, compactFlag)) return std::nullopt;

  const EncodedSettings& settings = items_.For(DetectEncoding(bytes));
  const std::string byteOrderMark(bytes, 0, mark);
  LineList lines = SplitLines(text);
  std::string().swap(bytes);  // the lines hold their own copy
  static const ItemList kNoItems;
  if (!CompactLines(lines, compactFlag, compactFlag ? settings.JoinTags : kNoItems,
                    settings.DeleteLines, settings.context)) {
    return std::nullopt;
  }
  FileFrame frame;
  frame.byte_order_mark = byteOrderMark;
  frame.write_signature = settings.context.write_signature;
  frame.insert_head_lines = settings.context.insert_head_lines;
  frame.head_lines = &settings.context.head_lines;
  return FormatFile(lines, frame);
}

void Work::WriteBack(const std::string& path, std::uint64_t before, const std::string& contents) {
  if (dry_run_) {
    // Nothing is written; a read-only file is told as the failure it would be.
    const std::uint32_t attributes = env_.GetFileAttributes(path);
    if (attributes != kInvalidAttributes && (attributes & kAttrReadOnly) != 0) {
      report_.AddFileFailure(Status::ReadOnly(path), before);
    } else {
      report_.AddRewritten(path, before, contents.size());
    }
    return;
  }
  if (Status written = env_.ReplaceFile(path, contents); !written.ok()) {
    report_.AddFileFailure(written, before);
    return;
  }
  report_.AddRewritten(path, before, contents.size());
}

}  // namespace quarnel
