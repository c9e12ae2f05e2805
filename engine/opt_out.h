#ifndef QUARNEL_ENGINE_OPT_OUT_H_
#define QUARNEL_ENGINE_OPT_OUT_H_

#include <string_view>

#include "engine/line_list.h"

namespace quarnel {

// A file holding this line (after trimming, any letter case) is left alone.
inline constexpr std::string_view OptOutMarker = "<!--NO QUARNEL-->";

// The opt-out rule: a line that, trimmed as the mode trims it (both ends
// when `compactFlag` is true, the trailing end otherwise), equals
// OptOutMarker in any letter case.

// The rule over a file's lines.
bool HoldsOptOutMarker(const LineList& lines, bool compactFlag);

// The same rule over a file's text before it is cut into lines (at CR LF or
// a lone CR, as the file job cuts it), found with one fast search for
// "<!--", so that an opted-out file need not even be cut.
bool HoldsOptOutLine(std::string_view text, bool compactFlag);

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_OPT_OUT_H_
