#include "engine/opt_out.h"

#include "engine/text_compare.h"
#include "engine/trim.h"

namespace quarnel {
namespace {

constexpr std::string_view kCommentOpen = "<!--";

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

bool LineStartsAt(std::string_view text, std::size_t pos) {
  return pos == 0 || IsLineBreak(text[pos - 1]);
}

// The first "<!--" at or after `from`. HTML is full of '<' and has few '!',
// so looking for the '!' takes one memchr call per comment, not per tag.
std::size_t FindCommentOpen(std::string_view text, std::size_t from) {
  for (std::size_t bang = text.find('!', from + 1); bang != std::string_view::npos;
       bang = text.find('!', bang + 1)) {
    if (text.substr(bang - 1).starts_with(kCommentOpen)) return bang - 1;
  }
  return std::string_view::npos;
}

bool LineEndsAt(std::string_view text, std::size_t pos) {
  return pos == text.size() || IsLineBreak(text[pos]);
}

// The marker at `at`, with only what trimming removes between it and the
// ends of its line.
bool MarkerLineAt(std::string_view text, std::size_t at, bool compactFlag) {
  if (text.size() - at < OptOutMarker.size() ||
      !EqualsIgnoreAsciiCase(text.substr(at, OptOutMarker.size()), OptOutMarker, Encoding::kUtf8)) {
    return false;
  }
  std::size_t begin = at;
  if (compactFlag) {
    while (begin > 0 && IsLayoutBlank(text[begin - 1])) --begin;
  }
  std::size_t end = at + OptOutMarker.size();
  while (end < text.size() && IsLayoutBlank(text[end])) ++end;
  return LineStartsAt(text, begin) && LineEndsAt(text, end);
}

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

bool HoldsOptOutLine(std::string_view text, bool compactFlag) {
  static_assert(OptOutMarker.starts_with(kCommentOpen));
  for (std::size_t at = FindCommentOpen(text, 0); at != std::string_view::npos;
       at = FindCommentOpen(text, at + 1)) {
    if (MarkerLineAt(text, at, compactFlag)) return true;
  }
  return false;
}

}  // namespace quarnel
