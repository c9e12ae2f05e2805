#ifndef QUARNEL_FILES_TEXT_ENCODING_H_
#define QUARNEL_FILES_TEXT_ENCODING_H_

#include <cstddef>
#include <string_view>

#include "engine/text_compare.h"

namespace quarnel {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// How a file's bytes are to be taken.
struct TextEncoding {
  Encoding encoding = Encoding::kUtf8;
  // Bytes of a leading UTF-8 byte order mark: 0 or 3. The mark is kept out
  // of the lines and written back first.
  std::size_t byteOrderMark = 0;
};

// UTF-8 when the bytes start with the byte order mark or are valid UTF-8
// (plain ASCII included), else CP932.
TextEncoding DetectEncoding(std::string_view bytes);

}  // namespace quarnel

#endif  // QUARNEL_FILES_TEXT_ENCODING_H_
