#ifndef QUARNEL_ENGINE_JOIN_HARM_H_
#define QUARNEL_ENGINE_JOIN_HARM_H_

#include <cstddef>
#include <optional>
#include <string_view>

#include "engine/line_list.h"

namespace quarnel {

// Where the join rule would change what a page shows or does: a line break
// inside a <pre>, <textarea>, <script> or <style> block that no comment
// covers, after a line that does not end with ">". Joining there runs
// preformatted lines together, or pulls a script's next line into a "//"
// comment.
struct JoinHarm {
  std::size_t line = 0;    // 1-based: the line the next one would be joined to
  std::string_view block;  // "pre", "textarea", "script" or "style"
};

// The first such place in a page's lines as read (before any rule), if any.
// Tag names are matched in any ASCII letter case; "<" never occurs inside a
// CP932 character, so the page's encoding does not matter.
std::optional<JoinHarm> FindJoinHarm(const LineList& lines);

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_JOIN_HARM_H_
