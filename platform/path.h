#ifndef QUARNEL_PLATFORM_PATH_H_
#define QUARNEL_PLATFORM_PATH_H_

#include <string>
#include <string_view>
#include <vector>

namespace quarnel {

// The path with exactly one trailing `separator`: an empty path stays empty,
// a path that already ends with the separator is returned unchanged (so a
// drive root such as "C:\" keeps its single one), any other path gets the
// separator appended.
std::string AddBackslash(std::string_view path, char separator);

// `folder` and `name` joined by one separator; just `name` when `folder` is
// empty.
std::string JoinPath(std::string_view folder, std::string_view name, char separator);

// Whether `c` ends a name in a path whose separator is `separator`; where it
// is '\\' (Windows), the slash ends one too.
bool IsPathSeparator(char c, char separator);

// The names of `path` between its separators. Doubled, leading and trailing
// separators make no empty names.
std::vector<std::string_view> PathNames(std::string_view path, char separator);

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_PATH_H_
