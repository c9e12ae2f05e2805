#include "engine/text_compare.h"

#include <array>
#include <cstring>

#include "platform/ascii_case.h"

namespace quarnel {
namespace {

constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) {
    table[c] = static_cast<unsigned char>(FoldAscii(static_cast<char>(c)));
  }
  return table;
}
constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

inline unsigned char Fold(char c) { return kFold[static_cast<unsigned char>(c)]; }
inline unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

bool EqualsFoldingAllBytes(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

// Both strings start on a character boundary and have equal sizes. Once the
// lead bytes agree, the byte after them is compared exactly: if it is a trail
// byte it belongs to the character, and if it is not, it is no letter.
bool EqualsCp932(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  while (i < a.size()) {
    if (a[i] != b[i]) {
      if (Fold(a[i]) != Fold(b[i])) return false;
      ++i;
    } else if (IsCp932Lead(Byte(a[i])) && i + 1 < a.size()) {
      if (a[i + 1] != b[i + 1]) return false;
      i += 2;
    } else {
      ++i;
    }
  }
  return true;
}

}  // namespace

bool IsCharBoundary(std::string_view text, std::size_t pos, Encoding encoding) {
  if (encoding == Encoding::kUtf8 || pos == 0 || pos >= text.size()) {
    return true;
  }
  // Walk back over bytes that could be lead bytes; the byte before them ends
  // a character, so parsing forward from there is exact.
  std::size_t start = pos;
  while (start > 0 && IsCp932Lead(Byte(text[start - 1]))) --start;
  std::size_t i = start;
  while (i < pos) {
    const bool pair =
        IsCp932Lead(Byte(text[i])) && i + 1 < text.size() && IsCp932Trail(Byte(text[i + 1]));
    i += pair ? 2 : 1;
  }
  return i == pos;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b, Encoding encoding) {
  if (a.size() != b.size()) return false;
  return encoding == Encoding::kCp932 ? EqualsCp932(a, b) : EqualsFoldingAllBytes(a, b);
}

bool EndsWithIgnoreAsciiCase(std::string_view text, std::string_view suffix, Encoding encoding) {
  if (suffix.empty() || suffix.size() > text.size()) return false;
  const std::size_t start = text.size() - suffix.size();
  if (Fold(text.back()) != Fold(suffix.back()) || Fold(text[start]) != Fold(suffix.front())) {
    return false;
  }
  return EqualsIgnoreAsciiCase(text.substr(start), suffix, encoding) &&
         IsCharBoundary(text, start, encoding);
}

bool ContainsIgnoreAsciiCase(std::string_view text, std::string_view pattern) {
  if (pattern.empty()) return true;
  const char first = pattern.front();
  const std::string_view rest = pattern.substr(1);
  std::size_t pos = 0;
  while (pos + pattern.size() <= text.size()) {
    const void* hit = std::memchr(text.data() + pos, first, text.size() - pattern.size() - pos + 1);
    if (hit == nullptr) return false;
    pos = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    if (EqualsFoldingAllBytes(text.substr(pos + 1, rest.size()), rest)) {
      return true;
    }
    ++pos;
  }
  return false;
}

}  // namespace quarnel
