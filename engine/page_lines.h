#ifndef QUARNEL_ENGINE_PAGE_LINES_H_
#define QUARNEL_ENGINE_PAGE_LINES_H_

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/line_list.h"
#include "engine/line_views.h"

namespace quarnel {

// The line end a rewritten page is written with.
enum class LineEnd { kCrLf, kLf };

constexpr std::string_view LineEndText(LineEnd end) { return end == LineEnd::kLf ? "\n" : "\r\n"; }

// What the rules must know of a line beyond its text: whether any of its
// bytes, or its line end, lies in a block's content (see FindBlocks). Such
// a line is protected: no rule changes, blanks, joins or moves it.
enum LineMark : std::uint8_t {
  kLineFree = 0,
  kLineInBlock = 1,     // protected
  kLineEndInBlock = 2,  // its line end lies in a block (set with kLineInBlock)
};
// One mark per line, or none at all when no line touches a block.
using LineMarks = std::vector<std::uint8_t>;

inline bool Protected(const LineMarks& marks, std::size_t i) {
  return !marks.empty() && (marks[i] & kLineInBlock) != 0;
}
inline bool EndsInBlock(const LineMarks& marks, std::size_t i) {
  return !marks.empty() && (marks[i] & kLineEndInBlock) != 0;
}

// A page's text (after any byte order mark) as the rules see it.
struct PageLines {
  LineList lines;  // a line ends at CR LF, CR or LF; never fewer than one
  LineMarks marks;
  // A page without any CR is written back with LF line ends, all others
  // with CR LF.
  LineEnd line_end = LineEnd::kCrLf;
  bool has_blocks = false;  // some block has content
};

PageLines ReadPageLines(std::string_view text);

// The same as views into `text`, which must outlive them: the page's lines
// without a copy.
struct PageViews {
  LineViews lines;
  LineMarks marks;
  LineEnd line_end = LineEnd::kCrLf;
  bool has_blocks = false;
  // The text holds OptOutMarker somewhere, in any letter case. Only then can
  // a line of it be the marker (see HoldsOptOutMarker).
  bool marker_seen = false;
  // The first byte of 0x80 or more, or npos for plain ASCII: where the
  // encoding is decided (see DetectEncoding).
  std::size_t first_high_byte = std::string_view::npos;
};

PageViews ReadPageViews(std::string_view text);

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_PAGE_LINES_H_
