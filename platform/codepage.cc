#include "platform/codepage.h"

#include <cstddef>

#include "platform/cp932_table.h"

namespace quarnel {
namespace {

// Invalid CP932 bytes 0x80..0xFF are kept as U+F700 + byte.
constexpr char32_t kKeptByteBase = 0xF700;
constexpr char32_t kFirstKeptByte = kKeptByteBase + 0x80;
constexpr char32_t kLastKeptByte = kKeptByteBase + 0xFF;

// Half-width katakana: single bytes 0xA1..0xDF are U+FF61..U+FF9F.
constexpr char32_t kFirstHalfWidthKana = 0xFF61;
constexpr char32_t kLastHalfWidthKana = 0xFF9F;
constexpr unsigned char kFirstKanaByte = 0xA1;
constexpr unsigned char kLastKanaByte = 0xDF;

unsigned char Byte(std::string_view bytes, std::size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

bool IsKanaByte(unsigned char b) { return b >= kFirstKanaByte && b <= kLastKanaByte; }

bool InRange(unsigned char b, unsigned char low, unsigned char high) {
  return b >= low && b <= high;
}

// Decodes the strict UTF-8 character at bytes[i] into *c and returns its
// length, or returns 0 when no well-formed character starts there.
std::size_t DecodeUtf8(std::string_view bytes, std::size_t i, char32_t* c) {
  const unsigned char b0 = Byte(bytes, i);
  if (b0 < 0x80) {
    *c = b0;
    return 1;
  }
  std::size_t length = 0;
  unsigned char low = 0x80;  // the allowed range of the second byte
  unsigned char high = 0xBF;
  if (InRange(b0, 0xC2, 0xDF)) {
    length = 2;
  } else if (InRange(b0, 0xE0, 0xEF)) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;   // no overlongs
    if (b0 == 0xED) high = 0x9F;  // no surrogates
  } else if (InRange(b0, 0xF0, 0xF4)) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;   // no overlongs
    if (b0 == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (i + length > bytes.size() || !InRange(Byte(bytes, i + 1), low, high)) return 0;
  char32_t value = b0 & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char b = Byte(bytes, i + k);
    if (k > 1 && !InRange(b, 0x80, 0xBF)) return 0;
    value = (value << 6) | (b & 0x3F);
  }
  *c = value;
  return length;
}

void AppendUtf8(char32_t c, std::string* out) {
  auto put = [out](char32_t bits) { out->push_back(static_cast<char>(bits)); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

// The CP932 code of a character beyond ASCII, half-width katakana and the
// kept bytes. Only a double-byte code that decodes back to the same
// character counts: that keeps out one-way mappings such as U+00A5 to "\"
// and makes every system answer alike.
std::string EncodeDoubleByte(char32_t c, Cp932Table& table) {
  std::string code = table.Encode(c);
  if (code.size() != 2) return {};
  const auto lead = static_cast<unsigned char>(code[0]);
  const auto trail = static_cast<unsigned char>(code[1]);
  if (!IsCp932Lead(lead) || !IsCp932Trail(trail) || table.DecodePair(lead, trail) != c) return {};
  return code;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  char32_t c = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = DecodeUtf8(bytes, i, &c);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  Cp932Table table;
  std::string out;
  out.reserve(cp932.size() + cp932.size() / 2);
  for (std::size_t i = 0; i < cp932.size();) {
    const unsigned char b = Byte(cp932, i);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    if (IsKanaByte(b)) {
      AppendUtf8(kFirstHalfWidthKana + (b - kFirstKanaByte), &out);
      ++i;
      continue;
    }
    if (IsCp932Lead(b) && i + 1 < cp932.size() && IsCp932Trail(Byte(cp932, i + 1))) {
      const unsigned char trail = Byte(cp932, i + 1);
      const char32_t c = table.DecodePair(b, trail);
      if (c != 0) {
        AppendUtf8(c, &out);
      } else {
        // An unassigned code is still one two-byte unit, as the engine and
        // the system see it: both bytes are kept. Were the trail byte read
        // afresh, it could start a character that encodes back to another
        // code (a duplicate) and pair differently with the lead next time.
        AppendUtf8(kKeptByteBase + b, &out);
        AppendUtf8(trail < 0x80 ? char32_t{trail} : kKeptByteBase + trail, &out);
      }
      i += 2;
      continue;
    }
    // Starts no character: kept as is.
    AppendUtf8(kKeptByteBase + b, &out);
    ++i;
  }
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  Cp932Table table;
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    const std::size_t length = DecodeUtf8(utf8, i, &c);
    if (length == 0) {  // one "?" for each byte that starts no character
      out.push_back('?');
      ++i;
      continue;
    }
    i += length;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c >= kFirstKeptByte && c <= kLastKeptByte) {
      out.push_back(static_cast<char>(c - kKeptByteBase));
    } else if (c >= kFirstHalfWidthKana && c <= kLastHalfWidthKana) {
      out.push_back(static_cast<char>(kFirstKanaByte + (c - kFirstHalfWidthKana)));
    } else {
      const std::string code = EncodeDoubleByte(c, table);
      out += code.empty() ? std::string("?") : code;
    }
  }
  return out;
}

}  // namespace quarnel
