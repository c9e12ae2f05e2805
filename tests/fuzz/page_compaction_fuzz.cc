// Any bytes as a page, with any lists and switches, through CompactPage:
// its new form must be exactly what the plain reference rendering of the
// rules makes of the page (ReferencePage), with repeated compaction too.
// Every difference is a finding: line ends (CR LF, CR, LF, mixed), blocks,
// comments, quotes and CP932 bytes all reach both.
//
// Input: one byte of switches (size first, signature, head lines, repeat),
// then a page and three lists (see Parse).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/page_compaction.h"
#include "files/text_encoding.h"
#include "tests/engine/reference_page.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quarnel::fuzzing::Check;
  if (size == 0) return 0;
  const std::uint8_t switches = data[0];
  const quarnel::fuzzing::Input input =
      quarnel::fuzzing::Parse(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  quarnel::Settings settings;
  settings.CompactMode = switches & 1;
  settings.WriteSignature = (switches >> 1) & 1;
  settings.InsertHeadLines = (switches >> 2) & 1;
  settings.JoinTags = input.lists[0];
  settings.DeleteLines = input.lists[1];
  settings.HeadLines = input.lists[2];
  const bool repeat = (switches & 8) != 0;

  const quarnel::WorkItems items(settings);
  const quarnel::CompactedPage got =
      quarnel::CompactPage(items, input.page, quarnel::PageCompaction{repeat});
  const quarnel::EncodedSettings& encoded = items.For(quarnel::DetectEncoding(input.page));
  const std::optional<std::string> expected =
      quarnel::ReferencePage(input.page, settings.CompactMode == 1, encoded.JoinTags,
                             encoded.DeleteLines, encoded.context, repeat);
  Check(got.rewrite == expected.has_value());
  if (got.rewrite) Check(got.bytes == *expected);
  return 0;
}
