#ifndef QUARNEL_FILES_FILE_FORM_H_
#define QUARNEL_FILES_FILE_FORM_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/line_list.h"

namespace quarnel {

// What is written around the compacted lines of a rewritten file.
struct FileFrame {
  std::string_view byteOrderMark;    // written first when not empty
  std::int32_t WriteSignature = 0;   // nonzero: the signature line next
  std::int32_t InsertHeadLines = 0;  // exactly 1: HeadLines after <HEAD>
  const ItemList* HeadLines = nullptr;  // in the file's encoding
};

// The bytes of a rewritten file: the byte order mark, the signature line,
// then every non-empty line in order, with the HeadLines items (each
// unchanged, even an empty one) right after the first line containing
// "<HEAD>" in any letter case. Every line, the last one too, ends in CR LF.
std::string FormatFile(const LineList& lines, const FileFrame& frame);

}  // namespace quarnel

#endif  // QUARNEL_FILES_FILE_FORM_H_
