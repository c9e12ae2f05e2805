#include "files/text_encoding.h"

#include "platform/codepage.h"

namespace quarnel {

TextEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8ByteOrderMark)) {
    return {Encoding::kUtf8, kUtf8ByteOrderMark.size()};
  }
  return {IsValidUtf8(bytes) ? Encoding::kUtf8 : Encoding::kCp932, 0};
}

}  // namespace quarnel
