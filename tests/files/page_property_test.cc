// Random pages through CompactPage, against the plain reference rendering
// of the rules: pages that mix CR LF, CR and LF line ends, blocks, comments,
// quotes and CP932 bytes. Every block's content must also come back in the
// new form, byte for byte apart from its line ends.
#include <gtest/gtest.h>

#include <random>

#include "engine/blocks.h"
#include "files/page_compaction.h"
#include "files/text_encoding.h"
#include "tests/engine/reference_page.h"

namespace quarnel {
namespace {

const char* const kPieces[] = {"<pre>",
                               "</pre>",
                               "<PRE class='>'>",
                               "<script>",
                               "</script>",
                               "<Style>",
                               "</STYLE >",
                               "<textarea>",
                               "</textarea>",
                               "<scripts>",
                               "<!--",
                               "-->",
                               "<!-",
                               "->",
                               "\r\n",
                               "\r\n",
                               "\r",
                               "\n",
                               "\n",
                               " ",
                               "\t",
                               "a",
                               ">",
                               "<",
                               "<head>",
                               "</head>",
                               "<p>",
                               "</p>",
                               "<br>",
                               "\"",
                               "'",
                               "\x82\xA0",
                               "\x95\x5C",
                               "\xE3\x81\x82",
                               "<!--NO QUARNEL-->",
                               "<meta x>"};

class RandomPage {
 public:
  explicit RandomPage(unsigned seed) : rng_(seed) {}
  std::string Text(int most) {
    std::string text;
    for (int n = Uniform(0, most); n > 0; --n) text += kPieces[Uniform(0, std::size(kPieces) - 1)];
    return text;
  }
  ItemList Items() {
    ItemList items(static_cast<std::size_t>(Uniform(0, 2)));
    for (std::string& item : items) {
      do item = Text(2);
      while (item.find_first_of("\r\n") != std::string::npos);
    }
    return items;
  }
  int Uniform(int lo, std::size_t hi) {
    return std::uniform_int_distribution<int>(lo, static_cast<int>(hi))(rng_);
  }

 private:
  std::mt19937 rng_;
};

// The content of every block of `text`, its line ends made `line_end`.
std::vector<std::string> BlockContents(std::string_view text, std::string_view line_end) {
  std::vector<std::string> out;
  for (const BlockContent& b : FindBlocks(text)) {
    std::string content;
    for (std::size_t i = b.begin; i < b.end; ++i) {
      if (text[i] == '\r' && i + 1 < b.end && text[i + 1] == '\n') continue;
      if (text[i] == '\r' || text[i] == '\n') {
        content += line_end;
      } else {
        content += text[i];
      }
    }
    out.push_back(content);
  }
  return out;
}

TEST(PagePropertyTest, AgreesWithTheReferenceAndKeepsEveryBlock) {
  int rewritten = 0;
  int with_blocks = 0;
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    RandomPage random(seed);
    Settings settings;
    settings.CompactMode = random.Uniform(0, 1);
    settings.WriteSignature = random.Uniform(0, 1);
    settings.InsertHeadLines = random.Uniform(0, 1);
    settings.JoinTags = random.Items();
    settings.DeleteLines = random.Items();
    settings.HeadLines = random.Items();
    const bool repeat = random.Uniform(0, 3) == 0;
    const std::string page = random.Text(seed % 100 == 0 ? 2000 : 40);
    SCOPED_TRACE(seed);

    const WorkItems items(settings);
    const CompactedPage got = CompactPage(items, page, PageCompaction{repeat});
    const EncodedSettings& encoded = items.For(DetectEncoding(page));
    const std::optional<std::string> expected =
        ReferencePage(page, settings.CompactMode == 1, encoded.JoinTags, encoded.DeleteLines,
                      encoded.context, repeat);
    ASSERT_EQ(got.rewrite, expected.has_value()) << page;
    if (!got.rewrite) continue;
    ASSERT_EQ(got.bytes, *expected) << page;
    ++rewritten;
    const std::string_view line_end =
        page.find('\r') == std::string::npos ? std::string_view("\n") : "\r\n";
    for (const std::string& content : BlockContents(page, line_end)) {
      ++with_blocks;
      EXPECT_NE(got.bytes.find(content), std::string::npos) << page;
    }
  }
  EXPECT_GT(rewritten, 300);
  EXPECT_GT(with_blocks, 500);
}

}  // namespace
}  // namespace quarnel
