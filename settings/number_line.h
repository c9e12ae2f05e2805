#ifndef QUARNEL_SETTINGS_NUMBER_LINE_H_
#define QUARNEL_SETTINGS_NUMBER_LINE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarnel {

// Reads a number line of "Quarnel.ini". Blanks, tabs and line feeds anywhere
// in the line are ignored. The value is the longest leading number: an
// optional sign, digits, an optional "." and digits, an optional exponent
// ("E" or "D", optional sign, digits); or a hexadecimal constant after "&H"
// or an octal one after "&O". The rest of the line is ignored, and a line
// without a number gives 0. The value is rounded to the nearest integer,
// halves to the even neighbour. Returns nothing when the rounded value does
// not fit a signed 32-bit integer.
std::optional<std::int32_t> ParseNumberLine(std::string_view line);

// The line that holds `value`: " 1 ", " 10 ", "-1 ".
std::string FormatNumberLine(std::int32_t value);

}  // namespace quarnel

#endif  // QUARNEL_SETTINGS_NUMBER_LINE_H_
