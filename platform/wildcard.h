#ifndef QUARNEL_PLATFORM_WILDCARD_H_
#define QUARNEL_PLATFORM_WILDCARD_H_

#include <string_view>

namespace quarnel {

// True when `name` matches the wildcard `pattern` by the rules Windows
// applies to a search: "*" matches any run of characters, "?" exactly one
// (a UTF-8 sequence counts as one), every other character itself with ASCII
// letter case ignored. A pattern ending in ".*" also matches the name
// without any extension, so "*.*" matches every name and "a.*" matches "a".
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_WILDCARD_H_
