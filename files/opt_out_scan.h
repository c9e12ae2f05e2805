#ifndef QUARNEL_FILES_OPT_OUT_SCAN_H_
#define QUARNEL_FILES_OPT_OUT_SCAN_H_

#include <string_view>

namespace quarnel {

// True when one of the lines of `text` (cut at CR LF or a lone CR, as the
// file job cuts them) equals OptOutMarker in any letter case once trimmed as
// the engine trims it: both ends when `compactFlag` is true, the trailing
// end otherwise. Such a file is never rewritten, so the file job can leave
// it before cutting it into lines. The same answer the engine gives, found
// with one fast search for "<!--".
bool HoldsOptOutLine(std::string_view text, bool compactFlag);

}  // namespace quarnel

#endif  // QUARNEL_FILES_OPT_OUT_SCAN_H_
