#ifndef QUARNEL_PLATFORM_TEMP_NAME_H_
#define QUARNEL_PLATFORM_TEMP_NAME_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace quarnel {

// How many random characters tell the temporary files of one page apart.
inline constexpr std::size_t kTempUniqueLength = 6;

// The name of the temporary file that will replace the file `name`:
// ".<name>.quarnel-<unique>.tmp", with `name` cut so that the whole stays
// within `max_bytes`, never inside a UTF-8 character: in UTF-16 units too
// the name then stays within `max_bytes`, as Windows needs.
std::string TempFileName(std::string_view name, std::string_view unique, std::size_t max_bytes);

// The characters of a temporary name's random part: with both letter cases
// where names are case-sensitive, with one where they are not.
inline constexpr std::string_view kTempDigitsAnyCase =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
inline constexpr std::string_view kTempDigitsOneCase = "abcdefghijklmnopqrstuvwxyz0123456789";

// A fresh random part of kTempUniqueLength characters of `digits`. Each
// thread draws from its own generator, so that the file jobs of a run
// share no state.
std::string TempUniquePart(std::string_view digits);

// True for a name TempFileName gives.
bool IsTempFileName(std::string_view name);

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_TEMP_NAME_H_
