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

}  // namespace quarnel
