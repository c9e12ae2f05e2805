// The CP932 character table through Windows code page 932.
#include "platform/windows_include.h"

#include "platform/cp932_table.h"

namespace quarnel {
namespace {

constexpr UINT kCodePage932 = 932;

}  // namespace

struct Cp932Table::Rep {};  // the system's table needs no state

Cp932Table::Cp932Table() : rep_(std::make_unique<Rep>()) {}
Cp932Table::~Cp932Table() = default;

char32_t Cp932Table::DecodePair(unsigned char lead, unsigned char trail) {
  const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  wchar_t out[2] = {};
  // MB_ERR_INVALID_CHARS: an unassigned code fails instead of becoming the
  // default character.
  const int length = ::MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, in, 2, out, 2);
  return length == 1 ? static_cast<char32_t>(out[0]) : 0;
}

std::string Cp932Table::Encode(char32_t c) {
  if (c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) return {};  // CP932 holds only the BMP
  const wchar_t in = static_cast<wchar_t>(c);
  char out[4] = {};
  BOOL usedDefault = FALSE;
  // WC_NO_BEST_FIT_CHARS: no look-alike substitutes (such as "\" for U+00A5).
  const int length = ::WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, &in, 1, out,
                                           sizeof out, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return {};
  return std::string(out, static_cast<std::size_t>(length));
}

}  // namespace quarnel
