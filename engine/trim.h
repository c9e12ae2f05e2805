#ifndef QUARNEL_ENGINE_TRIM_H_
#define QUARNEL_ENGINE_TRIM_H_

#include <string>
#include <string_view>

namespace quarnel {

// The characters trimmed: blank and tab. Nothing else counts (not the
// ideographic space, not CR or LF).
constexpr bool IsLayoutBlank(char c) { return c == ' ' || c == '\t'; }

// Trims a line of layout blanks: both ends when `compactFlag` is true, the
// trailing end otherwise. Returns true when the line changed, and also when
// it is empty (an empty line disappears on writing, which is a change). A
// line made only of layout blanks is left as it is and reported unchanged.
bool TrimLine(std::string& line, bool compactFlag);
// The same on a view of the line: the view is narrowed.
bool TrimView(std::string_view& line, bool compactFlag);

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_TRIM_H_
