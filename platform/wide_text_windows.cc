#include "platform/wide_text_windows.h"

#include "platform/windows_include.h"

#include <vector>

namespace quarnel {
namespace {

// CreateDirectoryW takes at most MAX_PATH - 12 characters (room for an 8.3
// name inside); every call is given the long form from there on.
constexpr std::size_t kLongFormFrom = MAX_PATH - 12;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

std::wstring WideFromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int length =
      ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
  return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
  return utf8;
}

std::wstring SystemPath(std::string_view utf8) {
  std::wstring path = WideFromUtf8(utf8);
  if (path.size() < kLongFormFrom || path.starts_with(L"\\\\?\\")) return path;
  // The long form takes no "/", "." or "..": the full path resolves them.
  const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::vector<wchar_t> full(length);
  const DWORD got = ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
  if (got == 0 || got >= length) return path;
  const std::wstring absolute(full.data(), got);
  if (absolute.size() >= 2 && IsSeparator(absolute[0]) && IsSeparator(absolute[1])) {
    return L"\\\\?\\UNC\\" + absolute.substr(2);  // \\server\share\...
  }
  return L"\\\\?\\" + absolute;
}

}  // namespace quarnel
