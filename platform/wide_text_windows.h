#ifndef QUARNEL_PLATFORM_WIDE_TEXT_WINDOWS_H_
#define QUARNEL_PLATFORM_WIDE_TEXT_WINDOWS_H_

// Between the program's UTF-8 and the UTF-16 of the Windows W calls.
#include <string>
#include <string_view>

namespace quarnel {

// UTF-8 to UTF-16. A byte that is no part of a UTF-8 character becomes
// U+FFFD, so such a path names no file rather than another one.
std::wstring WideFromUtf8(std::string_view utf8);

// UTF-16 to UTF-8. A lone surrogate (which NTFS names may hold) becomes
// U+FFFD.
std::string Utf8FromWide(std::wstring_view wide);

// The path as the W calls take it: UTF-16, and past 247 characters in the
// "\\?\" form with its full path, which lifts the 260-character limit.
// Shorter paths keep their own form, relative ones included.
std::wstring SystemPath(std::string_view utf8);

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_WIDE_TEXT_WINDOWS_H_
