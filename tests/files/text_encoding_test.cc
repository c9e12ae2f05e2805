#include "files/text_encoding.h"

#include <random>

#include <gtest/gtest.h>

#include "engine/page_lines.h"
#include "platform/codepage.h"

namespace quarnel {
namespace {

TEST(DetectEncodingTest, ByteOrderMarkOrValidUtf8MeansUtf8) {
  struct Case {
    std::string bytes;
    Encoding encoding;
  };
  const Case cases[] = {
      {"", Encoding::kUtf8},
      {"<html>plain ASCII</html>\r\n", Encoding::kUtf8},
      {"<p>日本語のページ</p>", Encoding::kUtf8},
      {"\xEF\xBB\xBF<p>x</p>", Encoding::kUtf8},
      {"\xEF\xBB\xBF\x82\xA0 not UTF-8 after the mark", Encoding::kUtf8},
      {"<p>\x93\xFA\x96\x7B\x8C\xEA</p>", Encoding::kCp932},  // 日本語 in Shift-JIS
      {"long ASCII run before it......................\x82\xA0", Encoding::kCp932},
      {"\xE6\x97", Encoding::kCp932},       // a cut UTF-8 character
      {"\xE6\x97<\xA5", Encoding::kCp932},  // ASCII inside a character
      {"\xC0\xAF", Encoding::kCp932},       // overlong
      {"\xED\xA0\x80", Encoding::kCp932},   // surrogate
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DetectEncoding(c.bytes), c.encoding) << c.bytes;
  }
}

TEST(DetectEncodingTest, AgreesWithWholeTextValidationOnRandomBytes) {
  const std::string_view pieces[] = {"a",
                                     "<p>",
                                     "        ",
                                     "日",
                                     "\xE6",
                                     "\x97",
                                     "\xA5",
                                     "\x82\xA0",
                                     "\xF0\x9F\x98\x80",
                                     "\xC3",
                                     "\xBF",
                                     "\xFF",
                                     "ASCII long enough to cross a 64-byte stretch of the scan"};
  std::mt19937 random(11);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes;
    for (int n = static_cast<int>(random() % 12); n > 0; --n) bytes += pieces[pick(random)];
    if (bytes.starts_with("\xEF\xBB\xBF")) continue;
    const Encoding expected = IsValidUtf8(bytes) ? Encoding::kUtf8 : Encoding::kCp932;
    ASSERT_EQ(DetectEncoding(bytes), expected) << bytes;
    // The same from where the page scan finds the first byte past ASCII.
    ASSERT_EQ(DetectEncoding(bytes, ReadPageViews(bytes).first_high_byte), expected) << bytes;
  }
}

}  // namespace
}  // namespace quarnel
