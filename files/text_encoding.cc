#include "files/text_encoding.h"

#include <cstdint>
#include <cstring>

#include "platform/codepage.h"

namespace quarnel {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// The first position at or after `pos` that holds a byte of 0x80 or more.
std::size_t SkipAscii(std::string_view bytes, std::size_t pos) {
  while (pos + 8 <= bytes.size()) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + pos, 8);
    if ((word & kHighBits) != 0) break;
    pos += 8;
  }
  while (pos < bytes.size() && IsAscii(bytes[pos])) ++pos;
  return pos;
}

// An ASCII byte is a whole character and never part of another, so the
// bytes are valid UTF-8 exactly when every run of other bytes is. Pages are
// mostly ASCII; only the runs between need decoding.
bool IsValidUtf8Text(std::string_view bytes, std::size_t pos) {
  while (pos < bytes.size()) {
    std::size_t end = pos;
    while (end < bytes.size() && !IsAscii(bytes[end])) ++end;
    if (!IsValidUtf8(bytes.substr(pos, end - pos))) return false;
    pos = SkipAscii(bytes, end);
  }
  return true;
}

}  // namespace

Encoding DetectEncoding(std::string_view bytes) {
  return DetectEncoding(bytes, SkipAscii(bytes, 0));
}

Encoding DetectEncoding(std::string_view bytes, std::size_t first_high_byte) {
  if (bytes.starts_with(kUtf8ByteOrderMark)) return Encoding::kUtf8;
  return IsValidUtf8Text(bytes, first_high_byte) ? Encoding::kUtf8 : Encoding::kCp932;
}

}  // namespace quarnel
