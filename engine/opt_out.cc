#include "engine/opt_out.h"

#include "engine/text_compare.h"
#include "engine/trim.h"

namespace quarnel {
namespace {

// The line as TrimLine would leave it, without touching it.
std::string_view TrimmedView(std::string_view line, bool compactFlag) {
  std::size_t end = line.size();
  while (end > 0 && IsLayoutBlank(line[end - 1])) --end;
  if (end == 0) return line;
  std::size_t first = 0;
  if (compactFlag) {
    while (IsLayoutBlank(line[first])) ++first;
  }
  return line.substr(first, end - first);
}

}  // namespace

bool HoldsOptOutMarker(const LineList& lines, bool compactFlag) {
  return HoldsOptOutMarker(lines, LineMarks{}, compactFlag);
}

bool HoldsOptOutMarker(const LineList& lines, const LineMarks& marks, bool compactFlag) {
  return HoldsOptOutMarker(LineViews(lines), marks, compactFlag);
}

bool HoldsOptOutMarker(const LineViews& lines, const LineMarks& marks, bool compactFlag) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines.Own(i);
    if (line.size() < OptOutMarker.size()) continue;
    const std::string_view seen = Protected(marks, i) ? line : TrimmedView(line, compactFlag);
    if (EqualsIgnoreAsciiCase(seen, OptOutMarker, Encoding::kUtf8)) return true;
  }
  return false;
}

bool HoldsOptOutMarker(const PageViews& page, bool compactFlag) {
  return page.marker_seen && HoldsOptOutMarker(page.lines, page.marks, compactFlag);
}

bool OptOutMarkerAt(std::string_view text, std::size_t at) {
  return text.size() - at >= OptOutMarker.size() &&
         EqualsIgnoreAsciiCase(text.substr(at, OptOutMarker.size()), OptOutMarker, Encoding::kUtf8);
}

}  // namespace quarnel
