// The CP932 character table through the C library's iconv ("CP932", which
// follows Microsoft's code page 932 table).
#include <iconv.h>

#include <cstdint>

#include "platform/cp932_table.h"

namespace quarnel {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));

// Converts `in` with `cd`; false unless every input byte was taken.
bool Convert(iconv_t cd, const char* in, std::size_t inSize, char* out, std::size_t* outSize) {
  if (cd == kNoConverter) return false;
  ::iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  char* inPtr = const_cast<char*>(in);
  char* outPtr = out;
  std::size_t inLeft = inSize;
  std::size_t outLeft = *outSize;
  const std::size_t result = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  if (result == static_cast<std::size_t>(-1) || inLeft != 0) return false;
  *outSize -= outLeft;
  return true;
}

}  // namespace

struct Cp932Table::Rep {
  iconv_t decoder = kNoConverter;
  iconv_t encoder = kNoConverter;
  bool opened = false;

  void Open() {
    if (opened) return;
    opened = true;
    decoder = ::iconv_open("UTF-32LE", "CP932");
    encoder = ::iconv_open("CP932", "UTF-32LE");
  }
  ~Rep() {
    if (decoder != kNoConverter) ::iconv_close(decoder);
    if (encoder != kNoConverter) ::iconv_close(encoder);
  }
};

Cp932Table::Cp932Table() : rep_(std::make_unique<Rep>()) {}
Cp932Table::~Cp932Table() = default;

char32_t Cp932Table::DecodePair(unsigned char lead, unsigned char trail) {
  rep_->Open();
  const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  unsigned char out[8];
  std::size_t outSize = sizeof out;
  if (!Convert(rep_->decoder, in, sizeof in, reinterpret_cast<char*>(out), &outSize) ||
      outSize != 4) {
    return 0;
  }
  return static_cast<char32_t>(out[0]) | static_cast<char32_t>(out[1]) << 8 |
         static_cast<char32_t>(out[2]) << 16 | static_cast<char32_t>(out[3]) << 24;
}

std::string Cp932Table::Encode(char32_t c) {
  rep_->Open();
  const unsigned char in[4] = {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8),
                               static_cast<unsigned char>(c >> 16),
                               static_cast<unsigned char>(c >> 24)};
  char out[8];
  std::size_t outSize = sizeof out;
  if (!Convert(rep_->encoder, reinterpret_cast<const char*>(in), sizeof in, out, &outSize)) {
    return {};
  }
  return std::string(out, outSize);
}

}  // namespace quarnel
