// Feeds random pages, item lists and switches to the engine and checks it
// against the plain reference rendering of its rules: the page's lines and
// block marks as the page reader cuts them, then CompactLines on them. Also
// checks the promises that hold for every input: the line count stays, no
// line break appears, and no byte appears that was not in the inputs or the
// one joining blank.
//
// Input: one byte of switches, then a page and three lists (see Parse).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "engine/compact_lines.h"
#include "engine/page_lines.h"
#include "tests/engine/reference_page.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

using quarnel::ItemList;
using quarnel::fuzzing::Check;
using quarnel::fuzzing::Input;
using quarnel::fuzzing::Parse;

// Marks compare alike whether a page without blocks has none or all free.
bool SameMarks(const quarnel::LineMarks& a, const quarnel::LineMarks& b, std::size_t lines) {
  for (std::size_t i = 0; i < lines; ++i) {
    if ((a.empty() ? 0 : a[i]) != (b.empty() ? 0 : b[i])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t switches = data[0];
  const Input input = Parse(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  const bool flag = (switches & 1) != 0;
  quarnel::CompactContext context;
  context.encoding = (switches & 2) ? quarnel::Encoding::kCp932 : quarnel::Encoding::kUtf8;
  context.write_signature = (switches & 4) != 0;
  context.insert_head_lines = (switches & 8) != 0;
  context.head_lines = input.lists[2];

  quarnel::PageLines page = quarnel::ReadPageLines(input.page);
  quarnel::PageLines expected = quarnel::ReferenceReadPage(input.page);
  Check(page.lines == expected.lines && page.line_end == expected.line_end);
  Check(SameMarks(page.marks, expected.marks, page.lines.size()));
  Check(page.has_blocks == expected.has_blocks);

  const quarnel::LineList original = page.lines;
  const bool result =
      quarnel::CompactLines(page.lines, page.marks, flag, input.lists[0], input.lists[1], context);
  const bool expected_result = quarnel::ReferenceCompact(expected.lines, flag, input.lists[0],
                                                         input.lists[1], context, expected.marks);
  Check(result == expected_result);
  Check(page.lines == expected.lines);
  Check(SameMarks(page.marks, expected.marks, page.lines.size()));
  Check(page.lines.size() == original.size());
  std::set<char> allowed = {' '};
  allowed.insert(input.page.begin(), input.page.end());
  for (const ItemList& items : input.lists) {
    for (const std::string& s : items) allowed.insert(s.begin(), s.end());
  }
  for (std::size_t i = 0; i < page.lines.size(); ++i) {
    if (quarnel::Protected(page.marks, i)) Check(page.lines[i] == original[i]);
    for (char c : page.lines[i]) Check(c != '\r' && c != '\n' && allowed.count(c) == 1);
  }
  return 0;
}
