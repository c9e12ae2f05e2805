#include "files/file_form.h"

#include <cstring>
#include <utility>

#include "engine/compact_lines.h"
#include "engine/text_compare.h"

namespace quarnel {
namespace {

constexpr std::string_view kHeadOpen = "<HEAD>";

// Copies views into a buffer sized beforehand.
class Writer {
 public:
  explicit Writer(char* at) : at_(at) {}
  void Put(std::string_view text) {
    // An emptied line is a view without data: memcpy must not see it.
    if (text.empty()) return;
    std::memcpy(at_, text.data(), text.size());
    at_ += text.size();
  }
  void Put(char c) { *at_++ = c; }

 private:
  char* at_;
};

bool Kept(const LineViews& lines, const LineMarks& marks, std::size_t i) {
  return !lines.Empty(i) || Protected(marks, i);
}

// Whether the line's content holds "<HEAD>"; a line with pieces is put
// together in `scratch` first, as the word may span them.
bool HoldsHeadOpen(const LineViews& lines, std::size_t i, std::string& scratch) {
  if (!lines.HasPieces(i)) return ContainsIgnoreAsciiCase(lines.Own(i), kHeadOpen);
  scratch.clear();
  lines.AppendContent(i, scratch);
  return ContainsIgnoreAsciiCase(scratch, kHeadOpen);
}

// The line after which the head lines go, or lines.size() for none.
std::size_t HeadLinesAfter(const LineViews& lines, const LineMarks& marks) {
  std::string scratch;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!Kept(lines, marks, i) || !HoldsHeadOpen(lines, i, scratch)) continue;
    // Head lines after a line that ends inside a block would land in it.
    return EndsInBlock(marks, i) ? lines.size() : i;
  }
  return lines.size();
}

}  // namespace

std::string FormatFile(const LineViews& lines, const FileFrame& frame, std::string storage) {
  static const LineMarks kNoMarks;
  const LineMarks& marks = frame.marks != nullptr ? *frame.marks : kNoMarks;
  const bool insert = frame.insert_head_lines && frame.head_lines != nullptr;
  const std::size_t head_after = insert ? HeadLinesAfter(lines, marks) : lines.size();
  const std::string_view line_end = LineEndText(frame.line_end);

  std::size_t size = frame.byte_order_mark.size();
  if (frame.write_signature) size += SignatureLine.size() + line_end.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (Kept(lines, marks, i)) size += lines.ContentSize(i) + line_end.size();
  }
  if (head_after < lines.size()) {
    for (const std::string& item : *frame.head_lines) size += item.size() + line_end.size();
  }

  std::string out = std::move(storage);
  out.resize(size);
  Writer writer(out.data());
  auto put_line = [&](std::string_view text) {
    writer.Put(text);
    writer.Put(line_end);
  };
  writer.Put(frame.byte_order_mark);
  if (frame.write_signature) put_line(SignatureLine);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!Kept(lines, marks, i)) continue;
    writer.Put(lines.Own(i));
    lines.ForEachPiece(i, [&](bool blank, std::string_view text) {
      if (blank) writer.Put(' ');
      writer.Put(text);
    });
    writer.Put(line_end);
    if (i == head_after) {
      for (const std::string& item : *frame.head_lines) put_line(item);
    }
  }
  return out;
}

std::string FormatFile(const LineList& lines, const FileFrame& frame, std::string storage) {
  return FormatFile(LineViews(lines), frame, std::move(storage));
}

}  // namespace quarnel
