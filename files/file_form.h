#ifndef QUARNEL_FILES_FILE_FORM_H_
#define QUARNEL_FILES_FILE_FORM_H_

#include <string>
#include <string_view>

#include "engine/line_list.h"
#include "engine/line_views.h"
#include "engine/page_lines.h"

namespace quarnel {

// What is written around the compacted lines of a rewritten file.
struct FileFrame {
  std::string_view byte_order_mark;      // written first when not empty
  bool write_signature = false;          // the signature line next
  bool insert_head_lines = false;        // head_lines after <HEAD>
  const ItemList* head_lines = nullptr;  // in the file's encoding
  LineEnd line_end = LineEnd::kCrLf;     // after every line written
  const LineMarks* marks = nullptr;      // protected lines, if any
};

// The bytes of a rewritten file: the byte order mark, the signature line,
// then every non-empty or protected line in order, with the HeadLines items
// (each unchanged, even an empty one) right after the first line containing
// "<HEAD>" in any letter case, unless that line ends inside a block: then
// nothing is inserted. Every line, the last one too, ends in the frame's
// line end.
// The result takes over the memory of `storage` (not its content), so that
// a buffer no longer needed can hold the new form.
std::string FormatFile(const LineViews& lines, const FileFrame& frame, std::string storage = {});
std::string FormatFile(const LineList& lines, const FileFrame& frame, std::string storage = {});

}  // namespace quarnel

#endif  // QUARNEL_FILES_FILE_FORM_H_
