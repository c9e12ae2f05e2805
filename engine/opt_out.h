#ifndef QUARNEL_ENGINE_OPT_OUT_H_
#define QUARNEL_ENGINE_OPT_OUT_H_

#include <string_view>

#include "engine/line_list.h"
#include "engine/line_views.h"
#include "engine/page_lines.h"

namespace quarnel {

// A file holding this line (after trimming, any letter case) is left alone.
inline constexpr std::string_view OptOutMarker = "<!--NO QUARNEL-->";

// The opt-out rule: a line that, trimmed as the mode trims it (both ends
// when `compactFlag` is true, the trailing end otherwise), equals
// OptOutMarker in any letter case.

// The rule over a page's lines; a protected line (see LineMarks) is taken
// as it is, untrimmed.
bool HoldsOptOutMarker(const LineList& lines, bool compactFlag);
bool HoldsOptOutMarker(const LineList& lines, const LineMarks& marks, bool compactFlag);
// Over the lines' own views (before any rule changed them).
bool HoldsOptOutMarker(const LineViews& lines, const LineMarks& marks, bool compactFlag);

// The rule over a page's text before it is cut into lines (at CR LF, CR or
// LF), found with one fast search for "<!--", so that a page that cannot
// be opted out need not be cut for it. Knows nothing of blocks: a page it
// finds may still be cleared by HoldsOptOutMarker on its marked lines.
bool HoldsOptOutLine(std::string_view text, bool compactFlag);

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_OPT_OUT_H_
