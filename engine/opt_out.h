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

// Over a page as ReadPageViews found it; only a page whose text holds the
// marker somewhere has its lines searched.
bool HoldsOptOutMarker(const PageViews& page, bool compactFlag);

// Whether the marker, in any letter case, stands in `text` at `at`.
bool OptOutMarkerAt(std::string_view text, std::size_t at);

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_OPT_OUT_H_
