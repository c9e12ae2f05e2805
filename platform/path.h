#ifndef QUARNEL_PLATFORM_PATH_H_
#define QUARNEL_PLATFORM_PATH_H_

#include <string>
#include <string_view>

namespace quarnel {

// The path with exactly one trailing `separator`: an empty path stays empty,
// a path that already ends with the separator is returned unchanged (so a
// drive root such as "C:\" keeps its single one), any other path gets the
// separator appended.
std::string AddBackslash(std::string_view path, char separator);

// `folder` and `name` joined by one separator; just `name` when `folder` is
// empty.
std::string JoinPath(std::string_view folder, std::string_view name, char separator);

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_PATH_H_
