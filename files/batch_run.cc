#include "files/batch_run.h"

#include <ostream>

#include "app/product.h"
#include "files/command_line_split.h"
#include "files/one_line.h"
#include "files/session.h"
#include "files/stop_request.h"
#include "files/work_report.h"

namespace quarnel {
namespace {

constexpr std::string_view kProgram = "quarnel";

// Words for the flags that keep a folder from being walked.
std::string FolderKind(std::uint32_t attributes) {
  struct Flag {
    std::uint32_t bit;
    std::string_view word;
  };
  constexpr Flag kFlags[] = {{kAttrReadOnly, "read-only"},
                             {kAttrHidden, "hidden"},
                             {kAttrSystem, "system"},
                             {kAttrArchive, "archived"},
                             {kAttrReparsePoint, "a link"}};
  std::string words;
  for (const Flag& flag : kFlags) {
    if ((attributes & flag.bit) == 0) continue;
    if (!words.empty()) words += ", ";
    words += flag.word;
  }
  return words.empty() ? "not a plain folder" : words;
}

// Prints the events of the run as they happen.
class ConsoleObserver final : public WorkReport::Observer {
 public:
  ConsoleObserver(const Options& options, std::ostream& out, std::ostream& err)
      : options_(options), out_(out), err_(err) {}

  void FileRewritten(const std::string& path, std::uint64_t before, std::uint64_t after) override {
    if (!options_.verbose && !options_.dry_run) return;
    out_ << (options_.dry_run ? "would rewrite " : "rewrote ") << OneLine(path) << " (" << before
         << " -> " << after << " bytes)\n";
  }

  void PathFailed(const Status& failure) override {
    err_ << kProgram << ": " << OneLine(failure.ToString()) << '\n';
  }

  void FolderNotWalked(const std::string& path, std::uint32_t attributes) override {
    err_ << kProgram << ": " << OneLine(path) << ": not walked: the folder is "
         << FolderKind(attributes) << "; only plain folders are walked\n";
  }

 private:
  const Options& options_;
  std::ostream& out_;
  std::ostream& err_;
};

void PrintSummary(const WorkReport& report, bool dry_run, std::ostream& out) {
  const std::uint64_t before = report.bytesBefore();
  const std::uint64_t after = report.bytesAfter();
  out << report.filesExamined() << " files examined, " << report.filesRewritten()
      << (dry_run ? " would be rewritten, " : " rewritten, ") << report.failures() << " failed; "
      << before << " bytes before, " << after << " after ("
      << (before >= after ? before - after : 0) << (dry_run ? " would be saved)" : " saved)")
      << '\n';
}

void Warn(const Status& status, std::ostream& err) {
  if (!status.ok()) err << kProgram << ": warning: " << OneLine(status.ToString()) << '\n';
}

}  // namespace

int RunBatch(const Options& options, Env& env, Settings& settings, std::ostream& out,
             std::ostream& err) {
  Session session(env, settings, options.dry_run);
  Warn(session.Start(), err);

  ConsoleObserver observer(options, out, err);
  WorkReport report(&observer);
  session.RunPaths(PathsFromArguments(options.paths), report);
  // Stopped by the user: ends as a run that Ctrl-C ends on Linux, with the
  // settings file left as it was.
  if (StopRequested()) {
    err << kProgram << ": interrupted\n";
    return kExitInterrupted;
  }

  // A batch run has no pin to change: TopmostOff is saved as it was read.
  Warn(session.End(settings.TopmostOff == 0), err);
  if (options.verbose || options.dry_run) PrintSummary(report, options.dry_run, out);
  return report.failures() == 0 ? kExitOk : kExitFailure;
}

int RunCommandLine(const std::vector<std::string>& args, Env& env, Settings& settings,
                   std::ostream& out, std::ostream& err) {
  const ParsedOptions parsed = ParseOptions(args);
  const Options& options = parsed.options;
  if (!parsed.error.empty()) {
    err << kProgram << ": " << OneLine(parsed.error) << "\nTry '" << kProgram
        << " --help' for more information.\n";
    return kExitUsage;
  }
  if (options.help) {
    out << UsageText(kProgram);
    return kExitOk;
  }
  if (options.version) {
    out << kProgram << ' ' << kVersionText << '\n';
    return kExitOk;
  }
  if (options.paths.empty()) {
    err << kProgram << ": no path given\nTry '" << kProgram << " --help' for more information.\n";
    return kExitUsage;
  }
  return RunBatch(options, env, settings, out, err);
}

}  // namespace quarnel
