#ifndef QUARNEL_ENGINE_JOIN_LINES_H_
#define QUARNEL_ENGINE_JOIN_LINES_H_

#include "engine/line_list.h"
#include "engine/line_views.h"
#include "engine/page_lines.h"
#include "engine/text_compare.h"

namespace quarnel {

// The engine's second pass. A line that does not end with ">" takes the next
// line (trimmed at both ends) onto its end after one blank; a line that is
// nothing but a `joinTags` item (ASCII case folded) is pulled onto the
// nearest non-empty line above it. Lines of a comment that opens on one line
// and closes on a later one are left alone. Merged lines are blanked, never
// removed, so the number of lines stays. Empty items pull nothing. Returns
// true when anything changed. Runs in time linear in the size of `lines`.
// A line protected by `marks` never takes the next line, is never taken by
// the line above, is never pulled and is never the target of a pull (a line
// whose nearest non-empty or protected line above is protected stays).
bool JoinLines(LineList& lines, const ItemList& joinTags, Encoding encoding);
bool JoinLines(LineList& lines, const LineMarks& marks, const ItemList& joinTags,
               Encoding encoding);

// Lets a caller run its own per-line pass just ahead of the join pass, while
// the lines are still in the processor's cache. Prepare is called with
// consecutive ranges that together cover every line exactly once, each
// range before the join pass looks at any of its lines.
class LinePreparer {
 public:
  virtual ~LinePreparer() = default;
  virtual void Prepare(LineViews& lines, std::size_t begin, std::size_t end) = 0;
};

// The join pass over a page's line views, with a preparer.
bool JoinLines(LineViews& lines, const LineMarks& marks, const ItemList& joinTags,
               Encoding encoding, LinePreparer& preparer);

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_JOIN_LINES_H_
