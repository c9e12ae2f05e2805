#include "files/html_name.h"

#include "engine/text_compare.h"

namespace quarnel {
namespace {

// The last `n` characters (the whole path when shorter) equal `upper`,
// ASCII letters folded.
bool EndEquals(std::string_view path, std::string_view upper) {
  const std::string_view end =
      path.size() < upper.size() ? path : path.substr(path.size() - upper.size());
  return EqualsIgnoreAsciiCase(end, upper, Encoding::kUtf8);
}

}  // namespace

bool IsHtmlName(std::string_view path) {
  return EndEquals(path, "HTML") || EndEquals(path, "HTM") || EndEquals(path, "SHT");
}

}  // namespace quarnel
