#ifndef QUARNEL_ENGINE_TRIM_H_
#define QUARNEL_ENGINE_TRIM_H_

#include <string>
#include <string_view>

namespace quarnel {

// Which ends of a line lose their layout blanks.
enum class TrimMode { Trailing = 0, BothEnds = 2 };

// The characters trimmed: blank, then tab. Nothing else counts (not the
// ideographic space, not CR or LF).
inline constexpr std::string_view BlankChars = " \t";

constexpr bool IsLayoutBlank(char c) { return c == ' ' || c == '\t'; }

// Trims `text` by the single-byte characters in `chars`. Returns true when
// the text changed, and also when it is empty (an empty line disappears on
// writing, which is a change). A text made only of such characters is left
// as it is and reported unchanged.
bool TrimChars(std::string& text, TrimMode mode, std::string_view chars);

// Trims a line of layout blanks: both ends when `compactFlag` is true, the
// trailing end otherwise. Same result as TrimChars.
bool TrimLine(std::string& line, bool compactFlag);

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_TRIM_H_
