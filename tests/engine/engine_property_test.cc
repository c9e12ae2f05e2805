// Random line lists and item lists through the whole engine, checking what
// must hold for every input: the line count stays, an opted-out file comes
// back untouched, no byte appears that was not in the inputs (or the one
// joining blank), and without delete rules no visible byte is lost or moved.
// The engine is also compared with a plain, unoptimised rendering of its
// rules, which catches any drift of the fast paths (the marker pre-scan, the
// pass that runs just ahead of the join, the pull's length index).
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "engine/compact_lines.h"
#include "tests/engine/reference_engine.h"

namespace quarnel {
namespace {

const char* const kPieces[] = {"<",
                               ">",
                               "<!-",
                               "->",
                               "<!--",
                               "-->",
                               "<head>",
                               "</HEAD>",
                               "<HEAD>",
                               " ",
                               "\t",
                               "  ",
                               "a",
                               "B",
                               "x",
                               "</p>",
                               "<br>",
                               "<TR>",
                               "\x82",
                               "\x61",
                               "\x82\xA0",
                               "\x95\x5C",
                               "\xE3\x81\x82",
                               "\n",
                               "<meta x>",
                               "<!--NO QUARNEL-->"};

class RandomInput {
 public:
  explicit RandomInput(unsigned seed) : rng_(seed) {}

  std::string Line() {
    std::string line;
    const int pieces = Uniform(0, 6);
    for (int i = 0; i < pieces; ++i) line += kPieces[Uniform(0, std::size(kPieces) - 1)];
    return line;
  }
  LineList Lines() {
    LineList lines(static_cast<std::size_t>(Uniform(1, 30)));
    for (std::string& line : lines) line = Line();
    return lines;
  }
  ItemList Items() {
    ItemList items(static_cast<std::size_t>(Uniform(0, 3)));
    for (std::string& item : items) item = Line();
    return items;
  }
  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  int Uniform(int lo, std::size_t hi) { return Uniform(lo, static_cast<int>(hi)); }

 private:
  std::mt19937 rng_;
};

std::string Visible(const LineList& lines) {
  std::string out;
  for (const std::string& line : lines) {
    for (char c : line) {
      if (c != ' ' && c != '\t') out += c;
    }
  }
  return out;
}

bool HasMarkerLine(const LineList& lines, bool compactFlag) {
  for (std::string line : lines) {
    const auto last = line.find_last_not_of(" \t");
    if (last == std::string::npos) continue;
    line.erase(last + 1);
    if (compactFlag) line.erase(0, line.find_first_not_of(" \t"));
    std::string upper;
    for (char c : line) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    if (upper == OptOutMarker) return true;
  }
  return false;
}

TEST(EnginePropertyTest, InvariantsHoldForRandomInputs) {
  int opted_out = 0;
  int rewritten = 0;
  for (unsigned seed = 1; seed <= 4000; ++seed) {
    RandomInput random(seed);
    // Long files now and then, so that the pass ahead of the join crosses
    // its block boundaries.
    LineList original = random.Lines();
    if (seed % 50 == 0) {
      for (int block = 0; block < 60; ++block) {
        const LineList more = random.Lines();
        original.insert(original.end(), more.begin(), more.end());
      }
    }
    const bool flag = random.Uniform(0, 1) == 1;
    const ItemList joinTags = random.Items();
    const ItemList deleteLines = random.Uniform(0, 1) ? random.Items() : ItemList{};
    CompactContext context;
    context.encoding = random.Uniform(0, 1) ? Encoding::kCp932 : Encoding::kUtf8;
    context.head_lines = random.Uniform(0, 1) ? random.Items() : ItemList{};
    context.insert_head_lines = random.Uniform(0, 1) == 1;
    context.write_signature = random.Uniform(0, 1) == 1;

    LineList lines = original;
    const bool result = CompactLines(lines, flag, joinTags, deleteLines, context);
    SCOPED_TRACE(seed);
    ASSERT_EQ(lines.size(), original.size());

    LineList expected = original;
    EXPECT_EQ(result, ReferenceCompact(expected, flag, joinTags, deleteLines, context));
    EXPECT_EQ(lines, expected);

    if (HasMarkerLine(original, flag)) {
      ++opted_out;
      EXPECT_FALSE(result);
      EXPECT_EQ(lines, original);
      continue;
    }
    rewritten += result ? 1 : 0;

    std::set<char> allowed = {' '};
    auto allow = [&](const std::vector<std::string>& list) {
      for (const std::string& s : list) allowed.insert(s.begin(), s.end());
    };
    allow(original);
    allow(joinTags);
    allow(deleteLines);
    std::size_t line_feeds_before = 0;
    std::size_t line_feeds_after = 0;
    for (const std::string& s : original) line_feeds_before += std::count(s.begin(), s.end(), '\n');
    for (const std::string& s : lines) {
      line_feeds_after += std::count(s.begin(), s.end(), '\n');
      EXPECT_EQ(s.find('\r'), std::string::npos);
      for (char c : s) EXPECT_TRUE(allowed.count(c)) << int(static_cast<unsigned char>(c));
    }
    EXPECT_LE(line_feeds_after, line_feeds_before);

    if (deleteLines.empty() && context.head_lines.empty()) {
      // Signature lines are the only other removal; the pieces cannot form
      // one, so every visible byte survives in order.
      EXPECT_EQ(Visible(lines), Visible(original));
    }
  }
  // The generator must actually exercise both exits.
  EXPECT_GT(opted_out, 20);
  EXPECT_GT(rewritten, 200);
}

}  // namespace
}  // namespace quarnel
