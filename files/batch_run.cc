#include "files/batch_run.h"

#include <optional>
#include <ostream>

#include "base/product.h"
#include "files/command_line_split.h"
#include "files/one_line.h"
#include "files/page_compaction.h"
#include "files/progress_line.h"
#include "files/session.h"
#include "files/work_report.h"
#include "platform/interrupt.h"

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

// Prints the events of the run as they happen, the progress line (when
// there is one) cleared first.
class ConsoleObserver final : public WorkReport::Observer {
 public:
  ConsoleObserver(const Options& options, std::ostream& out, std::ostream& err)
      : options_(options), out_(out), err_(err) {}

  void set_progress(ProgressLine* progress) { progress_ = progress; }

  void FileRewritten(const std::string& path, std::uint64_t before, std::uint64_t after) override {
    if (!options_.verbose && !options_.dry_run) return;
    Out() << (options_.dry_run ? "would rewrite " : "rewrote ") << OneLine(path) << " (" << before
          << " -> " << after << " bytes)\n";
  }

  void PathFailed(const Status& failure) override {
    Err() << kProgram << ": " << OneLine(failure.ToString()) << '\n';
  }

  void FolderNotWalked(const std::string& path, std::uint32_t attributes) override {
    Err() << kProgram << ": " << OneLine(path) << ": not walked: the folder is "
          << FolderKind(attributes) << "; only plain folders are walked\n";
  }

  void StillChanging(const std::string& path) override {
    if (!options_.verbose) return;
    Out() << OneLine(path) << ": still changing after " << kMostCompactionPasses
          << " passes; written as it stands\n";
  }

  void TempFileRemoved(const std::string& path) override {
    if (!options_.verbose) return;
    Out() << "removed " << OneLine(path) << ": a temporary file that a killed run left behind\n";
  }

 private:
  std::ostream& Out() {
    if (progress_ != nullptr) progress_->Clear();
    return out_;
  }
  std::ostream& Err() {
    if (progress_ != nullptr) progress_->Clear();
    return err_;
  }

  const Options& options_;
  std::ostream& out_;
  std::ostream& err_;
  ProgressLine* progress_ = nullptr;
};

void PrintSummary(const WorkReport& report, bool dry_run, std::ostream& out) {
  const std::uint64_t before = report.bytesBefore();
  const std::uint64_t after = report.bytesAfter();
  out << report.filesExamined() << " files examined, " << report.filesRewritten()
      << (dry_run ? " would be rewritten, " : " rewritten, ") << report.failures() << " failed; "
      << before << " bytes before, " << after << " after ("
      << (before >= after ? before - after : 0) << (dry_run ? " would be saved)" : " saved)")
      << '\n';
  if (report.pagesWithBlocks() > 0) {
    out << report.pagesWithBlocks() << (report.pagesWithBlocks() == 1 ? " page has" : " pages have")
        << " <pre>, <textarea>, <script> or <style> blocks, kept as they are\n";
  }
}

void Warn(const Status& status, std::ostream& err) {
  if (!status.ok()) err << kProgram << ": warning: " << OneLine(status.ToString()) << '\n';
}

}  // namespace

int RunBatch(const Options& options, Env& env, Settings& settings, std::ostream& out,
             std::ostream& err, bool errIsTerminal) {
  Session session(env, settings, options.dry_run);
  Warn(session.Start(), err);

  ConsoleObserver observer(options, out, err);
  WorkReport report(&observer);
  std::optional<ProgressLine> progress;
  ProgressEnv::Listener listener;
  if (errIsTerminal && !options.no_progress) {
    progress.emplace(err, report);
    observer.set_progress(&*progress);
    listener = {[&] { progress->Update(); }, [&] { progress->Update(); }};
  }
  RunOptions run;
  if (options.jobs > 0) run.jobs = options.jobs;
  run.repeat = options.repeat;
  run.stop = &InterruptFlag();
  session.RunPaths(PathsFromArguments(options.paths), report, listener, run);
  if (progress) progress->Clear();

  // A stopped run leaves the settings file as it was and ends at once.
  if (InterruptFlag().load()) {
    err << kProgram << ": interrupted\n";
    return kExitSignal + InterruptSignal();
  }
  // A batch run has no pin to change: TopmostOff is saved as it was read.
  Warn(session.End(settings.TopmostOff == 0), err);
  if (options.verbose || options.dry_run) PrintSummary(report, options.dry_run, out);
  // A signal during the last steps finds every page done and the settings
  // file written whole; it still tells in the status that it came.
  if (InterruptFlag().load()) return kExitSignal + InterruptSignal();
  return report.failures() == 0 ? kExitOk : kExitFailure;
}

int RunCommandLine(const std::vector<std::string>& args, Env& env, Settings& settings,
                   std::ostream& out, std::ostream& err, bool errIsTerminal) {
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
  return RunBatch(options, env, settings, out, err, errIsTerminal);
}

}  // namespace quarnel
