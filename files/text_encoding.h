#ifndef QUARNEL_FILES_TEXT_ENCODING_H_
#define QUARNEL_FILES_TEXT_ENCODING_H_

#include <string_view>

#include "engine/text_compare.h"

namespace quarnel {

// UTF-8 when the bytes start with the byte order mark or are valid UTF-8
// (plain ASCII included), else CP932.
Encoding DetectEncoding(std::string_view bytes);

}  // namespace quarnel

#endif  // QUARNEL_FILES_TEXT_ENCODING_H_
