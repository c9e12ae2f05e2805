#ifndef QUARNEL_CLI_ONE_LINE_H_
#define QUARNEL_CLI_ONE_LINE_H_

#include <string>
#include <string_view>

namespace quarnel {

// The text with its control characters written as escapes ("\n", "\r",
// "\t", "\x01"...), so that a message naming a path stays one line even when
// the name holds a line feed, which POSIX names may. Every other byte,
// backslashes and non-ASCII bytes included, is kept.
std::string OneLine(std::string_view text);

}  // namespace quarnel

#endif  // QUARNEL_CLI_ONE_LINE_H_
