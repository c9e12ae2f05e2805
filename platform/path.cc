#include "platform/path.h"

namespace quarnel {

std::string AddBackslash(std::string_view path, char separator) {
  std::string result(path);
  if (!result.empty() && result.back() != separator) result += separator;
  return result;
}

std::string JoinPath(std::string_view folder, std::string_view name, char separator) {
  std::string result = AddBackslash(folder, separator);
  result += name;
  return result;
}

bool IsPathSeparator(char c, char separator) {
  return c == separator || (separator == '\\' && c == '/');
}

std::vector<std::string_view> PathNames(std::string_view path, char separator) {
  std::vector<std::string_view> names;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && !IsPathSeparator(path[i], separator)) continue;
    if (i > start) names.push_back(path.substr(start, i - start));
    start = i + 1;
  }
  return names;
}

}  // namespace quarnel
