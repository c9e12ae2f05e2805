#include "cli/options.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

TEST(ParseOptionsTest, FlagsAndPaths) {
  const ParsedOptions p = ParseOptions({"-v", "site", "--dry-run", "a.html"});
  ASSERT_EQ(p.error, "");
  EXPECT_TRUE(p.options.verbose);
  EXPECT_TRUE(p.options.dry_run);
  EXPECT_FALSE(p.options.help);
  EXPECT_FALSE(p.options.version);
  EXPECT_EQ(p.options.paths, (std::vector<std::string>{"site", "a.html"}));
}

TEST(ParseOptionsTest, LongAndShortNamesOfEveryOption) {
  EXPECT_TRUE(ParseOptions({"-h"}).options.help);
  EXPECT_TRUE(ParseOptions({"--help"}).options.help);
  EXPECT_TRUE(ParseOptions({"-V"}).options.version);
  EXPECT_TRUE(ParseOptions({"--version"}).options.version);
  EXPECT_TRUE(ParseOptions({"-n"}).options.dry_run);
  EXPECT_TRUE(ParseOptions({"--verbose"}).options.verbose);
  EXPECT_TRUE(ParseOptions({"--desktop"}).options.desktop);
  EXPECT_TRUE(ParseOptions({"--repeat"}).options.repeat);
  const ParsedOptions bundled = ParseOptions({"-nvr"});
  EXPECT_TRUE(bundled.options.dry_run && bundled.options.verbose && bundled.options.repeat);
}

TEST(ParseOptionsTest, DoubleDashEndsOptions) {
  const ParsedOptions p = ParseOptions({"--", "-v", "--help", "--"});
  ASSERT_EQ(p.error, "");
  EXPECT_FALSE(p.options.verbose);
  EXPECT_FALSE(p.options.help);
  EXPECT_EQ(p.options.paths, (std::vector<std::string>{"-v", "--help", "--"}));
}

TEST(ParseOptionsTest, LoneDashAsksForStandardInputUnlessAfterDoubleDash) {
  const ParsedOptions filter = ParseOptions({"-"});
  EXPECT_TRUE(filter.options.standard_input);
  EXPECT_TRUE(filter.options.paths.empty());
  const ParsedOptions path = ParseOptions({"--", "-"});
  EXPECT_FALSE(path.options.standard_input);
  EXPECT_EQ(path.options.paths, std::vector<std::string>{"-"});
}

TEST(ParseOptionsTest, OutputSettingsAndDiffTakeTheirValues) {
  const ParsedOptions p =
      ParseOptions({"-oout", "--settings", "site.ini", "--diff", "site", "--output=dist"});
  ASSERT_EQ(p.error, "");
  EXPECT_EQ(p.options.output, "dist") << "the last one counts";
  EXPECT_EQ(p.options.settings_file, "site.ini");
  EXPECT_TRUE(p.options.diff && p.options.dry_run) << "--diff implies --dry-run";
  EXPECT_EQ(p.options.paths, std::vector<std::string>{"site"});
  EXPECT_EQ(ParseOptions({"-o", "-v"}).options.output, "-v") << "the next argument, whatever it is";
  EXPECT_EQ(ParseOptions({"-o"}).error, "option '--output' wants a folder");
  EXPECT_EQ(ParseOptions({"--settings="}).error,
            "option '--settings' wants a file, not an empty name");
  EXPECT_EQ(ParseOptions({"--diff=1"}).error, "unknown option '--diff=1'");
}

TEST(ParseOptionsTest, UnknownOptionsAreUsageErrors) {
  EXPECT_EQ(ParseOptions({"-x"}).error, "unknown option '-x'");
  EXPECT_EQ(ParseOptions({"-vx"}).error, "unknown option '-x'");
  EXPECT_EQ(ParseOptions({"--dry"}).error, "unknown option '--dry'");
  EXPECT_EQ(ParseOptions({"--verbose=1"}).error, "unknown option '--verbose=1'");
  EXPECT_EQ(ParseOptions({"site", "--quiet"}).error, "unknown option '--quiet'");
}

TEST(ParseOptionsTest, JobsTakeANumberInEitherFormAndProgressCanBeOff) {
  EXPECT_EQ(ParseOptions({"site"}).options.jobs, 0);
  EXPECT_EQ(ParseOptions({"-j", "4", "site"}).options.jobs, 4);
  EXPECT_EQ(ParseOptions({"-vj16"}).options.jobs, 16);
  EXPECT_EQ(ParseOptions({"--jobs=1"}).options.jobs, 1);
  const ParsedOptions spaced = ParseOptions({"--jobs", "256", "site"});
  EXPECT_EQ(spaced.options.jobs, 256);
  EXPECT_EQ(spaced.options.paths, std::vector<std::string>{"site"});
  EXPECT_TRUE(ParseOptions({"--no-progress"}).options.no_progress);
  EXPECT_EQ(ParseOptions({"-j"}).error, "option '--jobs' wants a number");
  EXPECT_EQ(ParseOptions({"-j", "0"}).error,
            "option '--jobs' wants a number from 1 to 256, not '0'");
  EXPECT_EQ(ParseOptions({"--jobs=x"}).error,
            "option '--jobs' wants a number from 1 to 256, not 'x'");
  EXPECT_EQ(ParseOptions({"--no-progress=1"}).error, "unknown option '--no-progress=1'");
}

TEST(UsageTextTest, NamesEveryOptionFromTheTable) {
  const std::string text = UsageText("quarnel");
  for (const char* name :
       {"-h, --help", "-V, --version", "-n, --dry-run", "-v, --verbose", "-j, --jobs N",
        "      --no-progress", "-o, --output DIR", "      --settings FILE", "      --diff",
        "  --  ", "Exit status", "other files are not copied"}) {
    EXPECT_NE(text.find(name), std::string::npos) << name;
  }
  EXPECT_TRUE(text.starts_with("Usage: quarnel [OPTION]... PATH...\n"));
}

}  // namespace
}  // namespace quarnel
