#ifndef QUARNEL_FILES_UNIFIED_DIFF_H_
#define QUARNEL_FILES_UNIFIED_DIFF_H_

#include <string>
#include <string_view>

namespace quarnel {

// The lines of context around each change.
inline constexpr int kDiffContext = 3;

// The unified diff that turns `before` into `after`, as `diff -u` writes
// it: headers "--- OLD" and "+++ NEW", then hunks with kDiffContext lines
// of context; empty when the two are the same. Lines end at LF and keep
// every other byte (a CR before the LF included), and a last line without
// a line end is marked "\ No newline at end of file", so that `patch`
// gives back `after` byte for byte. A name holding blanks, quotes,
// backslashes or control characters is written C-quoted, as `patch` reads
// it. The edit script is a shortest one when that is cheap to find, and a
// correct one always.
std::string UnifiedDiff(std::string_view before, std::string_view after, std::string_view old_name,
                        std::string_view new_name);

}  // namespace quarnel

#endif  // QUARNEL_FILES_UNIFIED_DIFF_H_
