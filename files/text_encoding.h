#ifndef QUARNEL_FILES_TEXT_ENCODING_H_
#define QUARNEL_FILES_TEXT_ENCODING_H_

#include <string_view>

#include "engine/text_compare.h"

namespace quarnel {

// UTF-8 when the bytes start with the byte order mark or are valid UTF-8
// (plain ASCII included), else CP932.
Encoding DetectEncoding(std::string_view bytes);
// The same, where `first_high_byte` is the first byte of 0x80 or more in
// `bytes` (npos when there is none), already found by a scan of the page:
// the bytes before it need no second look.
Encoding DetectEncoding(std::string_view bytes, std::size_t first_high_byte);

}  // namespace quarnel

#endif  // QUARNEL_FILES_TEXT_ENCODING_H_
