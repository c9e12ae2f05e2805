#include "files/file_form.h"

#include "engine/text_compare.h"
#include "engine/workhtml.h"

namespace quarnel {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHeadOpen = "<HEAD>";

std::size_t FormattedSize(const LineList& lines, const FileFrame& frame,
                          const ItemList& headLines) {
  std::size_t size = frame.byteOrderMark.size();
  if (frame.WriteSignature != 0) size += SignatureLine.size() + kLineEnd.size();
  for (const std::string& line : lines) {
    if (!line.empty()) size += line.size() + kLineEnd.size();
  }
  for (const std::string& item : headLines) size += item.size() + kLineEnd.size();
  return size;
}

void AppendLine(std::string& out, std::string_view line) {
  out += line;
  out += kLineEnd;
}

}  // namespace

std::string FormatFile(const LineList& lines, const FileFrame& frame) {
  static const ItemList kNoItems;
  const bool insert = frame.InsertHeadLines == 1 && frame.HeadLines != nullptr;
  const ItemList& headLines = insert ? *frame.HeadLines : kNoItems;

  std::string out;
  out.reserve(FormattedSize(lines, frame, headLines));
  out += frame.byteOrderMark;
  if (frame.WriteSignature != 0) AppendLine(out, SignatureLine);
  bool inserted = !insert;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    AppendLine(out, line);
    if (!inserted && ContainsIgnoreAsciiCase(line, kHeadOpen)) {
      for (const std::string& item : headLines) AppendLine(out, item);
      inserted = true;
    }
  }
  return out;
}

}  // namespace quarnel
