// A page of 200 MB in one line, compacted by the program as a process: it
// comes back whole in its compacted form, and the program's peak memory
// stays under three times the page plus 30 MB. Needs about 1 GB free.
#include "tests/support/fault_support.h"

namespace quarnel {
namespace {

using namespace testing_support;

constexpr std::size_t kBlocks = 3200;
constexpr std::uint64_t kPageBytes = 200ull << 20;

// 64 KB of UTF-8 text, different in every block.
std::string Block(std::size_t i) {
  std::string block = "<b>" + std::to_string(i) + "</b>";
  while (block.size() < (64u << 10) - 16) block += " 日本語のページ text \t";
  block.resize((64u << 10) - 16, '.');
  return block;
}

// Streams the file against the expected pieces; true when they agree.
bool FileHolds(const std::string& path, const std::vector<std::string_view>& head,
               std::size_t blocks, std::string_view tail) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) return false;
  bool same = true;
  std::string buffer;
  const auto expect = [&](std::string_view piece) {
    buffer.resize(piece.size());
    same =
        same && std::fread(buffer.data(), 1, piece.size(), in) == piece.size() && buffer == piece;
  };
  for (std::string_view piece : head) expect(piece);
  for (std::size_t i = 0; i < blocks && same; ++i) expect(Block(i));
  expect(tail);
  same = same && std::fgetc(in) == EOF;
  std::fclose(in);
  return same;
}

TEST(HugeFileTest, TwoHundredMegabytePageOfOneLine) {
  TempFolder dir;
  if (FreeBytes(dir.path()) < (1ull << 30)) {
    GTEST_SKIP() << "needs 1 GB free in " << dir.path();
  }
  const std::string program = CopyProgram(dir / "bin");
  const std::string page = dir / "huge.html";
  {
    std::FILE* out = std::fopen(page.c_str(), "wb");
    std::fputs("<head><p>", out);
    for (std::size_t i = 0; i < kBlocks; ++i) {
      const std::string block = Block(i);
      std::fwrite(block.data(), 1, block.size(), out);
    }
    std::fputs("</p>  \t ", out);
    ASSERT_EQ(std::fclose(out), 0);
  }
  ASSERT_GT(std::filesystem::file_size(page), kPageBytes - (1u << 20));

  ProcessOptions options;
  options.cwd = dir.path();
  options.env = {"HOME=" + (dir / "home"), "XDG_CONFIG_HOME=" + (dir / "config")};
  const ProcessOutcome run = RunProcess({program, "-v", "huge.html"}, options);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(FileHolds(page, {"<head><p>"}, kBlocks, "</p>\n")) << "the page, compacted, whole";
  const long limitKb = static_cast<long>((3 * kPageBytes + (30u << 20)) >> 10);
  EXPECT_LT(run.max_rss_kb, limitKb) << "peak memory";
  std::printf("200 MB page: peak memory %ld MB (limit %ld MB)\n", run.max_rss_kb >> 10,
              limitKb >> 10);
  FileTally tally;
  tally.files = 1;
  tally.replaced = FileHolds(page, {"<head><p>"}, kBlocks, "</p>\n") ? 1 : 0;
  tally.corrupted = 1 - tally.replaced;
  ReportFigure("a 200 MB page of one line", 1, 1, tally,
               "peak memory " + std::to_string(run.max_rss_kb >> 10) + " MB");
}

}  // namespace
}  // namespace quarnel
