#include "files/file_form.h"

#include <utility>

#include "engine/compact_lines.h"
#include "engine/text_compare.h"

namespace quarnel {
namespace {

constexpr std::string_view kHeadOpen = "<HEAD>";

std::size_t FormattedSize(const LineList& lines, const FileFrame& frame,
                          const ItemList& head_lines) {
  const std::size_t line_end = LineEndText(frame.line_end).size();
  std::size_t size = frame.byte_order_mark.size();
  if (frame.write_signature) size += SignatureLine.size() + line_end;
  for (const std::string& line : lines) size += line.size() + line_end;
  for (const std::string& item : head_lines) size += item.size() + line_end;
  return size;
}

}  // namespace

std::string FormatFile(const LineList& lines, const FileFrame& frame, std::string storage) {
  static const ItemList kNoItems;
  const bool insert = frame.insert_head_lines && frame.head_lines != nullptr;
  const ItemList& head_lines = insert ? *frame.head_lines : kNoItems;

  static const LineMarks kNoMarks;
  const LineMarks& marks = frame.marks != nullptr ? *frame.marks : kNoMarks;
  const std::string_view line_end = LineEndText(frame.line_end);
  std::string out = std::move(storage);
  out.clear();
  out.reserve(FormattedSize(lines, frame, head_lines));
  auto append = [&](std::string_view line) {
    out += line;
    out += line_end;
  };
  out += frame.byte_order_mark;
  if (frame.write_signature) append(SignatureLine);
  bool inserted = !insert;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty() && !Protected(marks, i)) continue;
    append(line);
    if (!inserted && ContainsIgnoreAsciiCase(line, kHeadOpen)) {
      // Head lines after a line that ends inside a block would land in it.
      if (!EndsInBlock(marks, i)) {
        for (const std::string& item : head_lines) append(item);
      }
      inserted = true;
    }
  }
  return out;
}

}  // namespace quarnel
