#ifndef QUARNEL_ENGINE_TEXT_COMPARE_H_
#define QUARNEL_ENGINE_TEXT_COMPARE_H_

#include <cstddef>
#include <string_view>

#include "platform/codepage.h"

namespace quarnel {

// The encoding of a file's bytes. The engine never decodes text; it only
// needs to know where CP932 two-byte characters lie so that their second
// byte (which may be an ASCII letter or "\") is never folded or matched on
// its own. In UTF-8 no ASCII byte occurs inside a character, so plain byte
// work is safe there.
enum class Encoding { kUtf8, kCp932 };

// True when a character of `text` starts at byte offset `pos`
// (0 <= pos <= size). Always true for UTF-8.
bool IsCharBoundary(std::string_view text, std::size_t pos, Encoding encoding);

// Whole-string equality that folds ASCII letters only; the second byte of a
// CP932 two-byte character is compared exactly.
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b, Encoding encoding);

// True when `text` ends with `suffix` (ASCII letters folded) and the match
// starts on a character boundary. An empty suffix matches nothing.
bool EndsWithIgnoreAsciiCase(std::string_view text, std::string_view suffix, Encoding encoding);

// Substring search folding ASCII letters. REQUIRES: `pattern` is ASCII and
// starts with a byte that is never part of a CP932 two-byte character (such
// as "<"), so a byte match is a character match in both encodings.
bool ContainsIgnoreAsciiCase(std::string_view text, std::string_view pattern);

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_TEXT_COMPARE_H_
