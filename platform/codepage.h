#ifndef QUARNEL_PLATFORM_CODEPAGE_H_
#define QUARNEL_PLATFORM_CODEPAGE_H_

#include <string>
#include <string_view>

namespace quarnel {

// Conversion between Unicode text (held as UTF-8) and CP932 (Shift-JIS), the
// code page the tool's users keep their legacy sites and settings in.

// The UTF-8 byte order mark, which a page or the settings file may start
// with.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// CP932: a lead byte followed by a trail byte is one two-byte character; a
// lead byte followed by anything else stands alone.
constexpr bool IsCp932Lead(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool IsCp932Trail(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// Decodes CP932 bytes. A byte that starts no valid character is kept
// losslessly as the private-use character U+F700 + byte, which
// Utf8ToCp932 turns back into that same byte.
std::string Cp932ToUtf8(std::string_view cp932);

// Encodes UTF-8 text as CP932. A character CP932 cannot hold becomes "?";
// U+F780..U+F7FF become the bytes 0x80..0xFF again. Invalid UTF-8 bytes
// become "?".
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_CODEPAGE_H_
