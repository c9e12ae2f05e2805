#ifndef QUARNEL_PLATFORM_CODEPAGE_H_
#define QUARNEL_PLATFORM_CODEPAGE_H_

#include <string>
#include <string_view>

namespace quarnel {

// Conversion between Unicode text (held as UTF-8) and CP932 (Shift-JIS), the
// code page the tool's users keep their legacy sites and settings in.

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
