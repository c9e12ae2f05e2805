// The batch run's options for pipelines on the real file system: an output
// folder instead of in-place rewrites, and a settings file of the site's own.
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/batch_run.h"
#include "settings/default_lists.h"
#include "settings/settings.h"
#include "settings/settings_format.h"
#include "tests/support/folder_env.h"
#include "tests/support/temp_folder.h"

namespace quarnel {
namespace {

using testing_support::AgeFile;
using testing_support::FolderEnv;
using testing_support::FsPath;
using testing_support::ModificationTime;
using testing_support::TempFolder;

constexpr std::string_view kPage = "<html>\r\n<head>\r\n<title>t</title>  \r\n</head>\r\n\r\n";
constexpr std::string_view kCompacted = "<html>\r\n<head>\r\n<title>t</title>\r\n</head>\r\n";
// Without a head line, a page stays as it is.
constexpr std::string_view kHeadless = "<p>x</p>  \r\n";

class PipelineRunTest : public ::testing::Test {
 protected:
  PipelineRunTest() : env_(dir_ / "bin") {
    std::filesystem::create_directories(FsPath(dir_ / "bin"));
  }

  int Run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    Settings settings;
    return RunCommandLine(args, env_, settings, out_, err_);
  }

  std::string At(std::string_view relative) const { return dir_ / relative; }
  bool Exists(std::string_view relative) const {
    return std::filesystem::exists(FsPath(At(relative)));
  }

  TempFolder dir_;
  FolderEnv env_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(PipelineRunTest, OutputFolderGetsEveryPageAndTheSourcesStayAsTheyWere) {
  const std::string a = dir_.Write("site/a.html", kPage);
  const std::string b = dir_.Write("site/sub/b.htm", kHeadless);
  dir_.Write("site/notes.txt", "not a page");
  const std::string c = dir_.Write("other/c.html", kPage);
  dir_.Write("out/a.html", "an older page");
  for (const std::string& page : {a, b, c}) AgeFile(page);
  const auto aged = ModificationTime(a);

  EXPECT_EQ(Run({"-n", "-o", At("out"), At("site"), c}), kExitOk) << err_.str();
  EXPECT_NE(
      out_.str().find("would write " + At("out/a.html") + " from " + a + " (47 -> 43 bytes)\n"),
      std::string::npos)
      << out_.str();
  EXPECT_NE(out_.str().find("would write " + At("out/sub/b.htm") + " from " + b +
                            " (12 bytes, as it was)\n"),
            std::string::npos)
      << out_.str();
  EXPECT_FALSE(Exists("out/sub"));

  EXPECT_EQ(Run({"-j2", "-o", At("out"), At("site"), c}), kExitOk) << err_.str();
  EXPECT_EQ(TempFolder::Read(At("out/a.html")), kCompacted);
  EXPECT_EQ(TempFolder::Read(At("out/sub/b.htm")), kHeadless);
  EXPECT_EQ(TempFolder::Read(At("out/c.html")), kCompacted);
  EXPECT_FALSE(Exists("out/notes.txt"));
  EXPECT_EQ(dir_.Names("out"), (std::set<std::string>{"a.html", "c.html", "sub"}));
  EXPECT_EQ(TempFolder::Read(a), kPage);
  EXPECT_EQ(TempFolder::Read(c), kPage);
  EXPECT_EQ(ModificationTime(a), aged);
  EXPECT_EQ(dir_.Names("site"), (std::set<std::string>{"a.html", "notes.txt", "sub"}));
}

TEST_F(PipelineRunTest, AnOutputFolderThatWouldHarmTheRunIsRefusedBeforeAnyWrite) {
  dir_.Write("site/a.html", kPage);
  dir_.Write("site/sub/d.html", kPage);
  dir_.Write("site/sub/sub/d.html", kPage);
  dir_.Write("other/a.html", kPage);
  struct Case {
    std::vector<std::string> args;
    std::string says;
  };
  std::vector<Case> cases = {
      {{"-o", At("site/new/out"), At("site")}, "lies inside, " + At("site")},
      {{"-o", At("site"), At("site")}, "lies inside, " + At("site")},
      // The run would make "later" by writing its output, then walk it.
      {{"-o", At("later/out"), At("other"), At("later")}, "lies inside, " + At("later")},
      {{"-o", At("site/a.html"), At("other")}, "the output folder is a file"},
      {{"-o", At("out"), At("site/a.html"), At("other")},
       "both " + At("site/a.html") + " and " + At("other/a.html") + " would be written here"},
      // site/sub/sub/d.html would go where site/sub/d.html is read.
      {{"-o", At("site"), At("site/sub")}, "which this run reads"},
  };
#ifndef _WIN32
  std::filesystem::create_directory_symlink(FsPath(At("site/sub")), FsPath(At("link")));
  cases.push_back({{"-o", At("link/out"), At("site")}, "lies inside, " + At("site")});
#endif
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.args), kExitUsage) << c.says;
    EXPECT_NE(err_.str().find(c.says), std::string::npos) << err_.str();
    EXPECT_EQ(TempFolder::Read(At("site/a.html")), kPage);
    EXPECT_EQ(TempFolder::Read(At("site/sub/d.html")), kPage);
    EXPECT_FALSE(Exists("out") || Exists("site/new") || Exists("site/sub/out") || Exists("later"));
    EXPECT_FALSE(Exists("bin/Quarnel.ini")) << "not even the settings file";
  }
}

TEST_F(PipelineRunTest, SettingsFileOfTheSiteIsReadAndNeverWritten) {
  Settings own;
  own.InsertHeadLines = 1;
  own.HeadLines = {"<meta charset=\"utf-8\">"};
  own.DeleteLines = DefaultDeleteLines();
  const std::string file = dir_.Write("site.ini", FormatSettingsFile(own));
  AgeFile(file);
  const auto aged = ModificationTime(file);
  const std::string page = dir_.Write("site/a.html", kPage);

  EXPECT_EQ(Run({"--settings", file, At("site")}), kExitOk) << err_.str();
  EXPECT_EQ(TempFolder::Read(page),
            "<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>t</title>\r\n</head>\r\n");
  EXPECT_EQ(TempFolder::Read(file), FormatSettingsFile(own));
  EXPECT_EQ(ModificationTime(file), aged);
  EXPECT_FALSE(Exists("bin/Quarnel.ini"));

  dir_.Write("site/b.html", kPage);
  const std::string foreign = dir_.Write("notes.txt", "[site]\r\nname=x\r\n");
  for (const auto& [path, says] : {std::pair{At("missing.ini"), "no such file or folder"},
                                   std::pair{foreign, "not a settings file"},
                                   std::pair{At("site"), "a folder, not a settings file"}}) {
    EXPECT_EQ(Run({"--settings", path, At("site")}), kExitUsage) << path;
    EXPECT_NE(err_.str().find(path + ": " + says), std::string::npos) << err_.str();
    EXPECT_EQ(TempFolder::Read(At("site/b.html")), kPage);
  }
}

}  // namespace
}  // namespace quarnel
