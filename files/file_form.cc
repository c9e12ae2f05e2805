#include "files/file_form.h"

#include <utility>

#include "engine/compact_lines.h"
#include "engine/text_compare.h"

namespace quarnel {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHeadOpen = "<HEAD>";

std::size_t FormattedSize(const LineList& lines, const FileFrame& frame,
                          const ItemList& head_lines) {
  std::size_t size = frame.byte_order_mark.size();
  if (frame.write_signature) size += SignatureLine.size() + kLineEnd.size();
  for (const std::string& line : lines) {
    if (!line.empty()) size += line.size() + kLineEnd.size();
  }
  for (const std::string& item : head_lines) size += item.size() + kLineEnd.size();
  return size;
}

void AppendLine(std::string& out, std::string_view line) {
  out += line;
  out += kLineEnd;
}

}  // namespace

std::string FormatFile(const LineList& lines, const FileFrame& frame, std::string storage) {
  static const ItemList kNoItems;
  const bool insert = frame.insert_head_lines && frame.head_lines != nullptr;
  const ItemList& head_lines = insert ? *frame.head_lines : kNoItems;

  std::string out = std::move(storage);
  out.clear();
  out.reserve(FormattedSize(lines, frame, head_lines));
  out += frame.byte_order_mark;
  if (frame.write_signature) AppendLine(out, SignatureLine);
  bool inserted = !insert;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    AppendLine(out, line);
    if (!inserted && ContainsIgnoreAsciiCase(line, kHeadOpen)) {
      for (const std::string& item : head_lines) AppendLine(out, item);
      inserted = true;
    }
  }
  return out;
}

}  // namespace quarnel
