#include "cli/batch_run.h"

#include <optional>
#include <ostream>

#include "base/product.h"
#include "cli/command_line_split.h"
#include "cli/one_line.h"
#include "cli/page_filter.h"
#include "cli/progress_line.h"
#include "files/output_folder.h"
#include "files/page_compaction.h"
#include "files/page_job.h"
#include "files/run_config.h"
#include "files/run_observer.h"
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
// there is one) cleared first, and passes the run's advance on to it.
class ConsoleObserver final : public RunObserver {
 public:
  ConsoleObserver(const Options& options, std::ostream& out, std::ostream& err)
      : options_(options), out_(out), err_(err) {}

  void set_progress(ProgressLine* progress) { progress_ = progress; }

  void PageStarted() override {
    if (progress_ != nullptr) progress_->PageStarted();
  }
  void EntryListed() override {
    if (progress_ != nullptr) progress_->EntryListed();
  }
  void Waiting() override {
    if (progress_ != nullptr) progress_->Waiting();
  }

  void PageDone(const std::string& path, const PageOutcome& outcome) override {
    using Kind = PageOutcome::Kind;
    if (options_.diff) {
      if (outcome.kind == Kind::kRewritten) Out() << outcome.diff;
    } else if (!outcome.target.empty()) {
      TellWritten(path, outcome);
    }
    if (outcome.kind != Kind::kRewritten) return;
    if (outcome.still_changing) StillChanging(path);
    // A diff, or a page written elsewhere, is told above.
    if ((!options_.verbose && !options_.dry_run) || options_.diff || !options_.output.empty()) {
      return;
    }
    Out() << (options_.dry_run ? "would rewrite " : "rewrote ") << OneLine(path) << " ("
          << outcome.before << " -> " << outcome.after << " bytes)\n";
  }

  void Failure(const Status& failure) override {
    Err() << kProgram << ": " << OneLine(failure.ToString()) << '\n';
  }

  void Note(const RunNote& note) override {
    switch (note.kind) {
      case RunNote::Kind::kFolderNotWalked:
        Err() << kProgram << ": " << OneLine(note.path) << ": not walked: the folder is "
              << FolderKind(note.attributes) << "; only plain folders are walked\n";
        return;
      case RunNote::Kind::kTempFileRemoved:
        if (!options_.verbose) return;
        Out() << "removed " << OneLine(note.path)
              << ": a temporary file that a killed run left behind\n";
        return;
    }
  }

 private:
  // A page written under the output folder, rewritten or as it was.
  void TellWritten(const std::string& path, const PageOutcome& outcome) {
    using Kind = PageOutcome::Kind;
    const bool written = outcome.kind == Kind::kRewritten || outcome.kind == Kind::kUnchanged;
    if (!written || (!options_.verbose && !options_.dry_run)) return;
    Out() << (options_.dry_run ? "would write " : "wrote ") << OneLine(outcome.target) << " from "
          << OneLine(path) << " (";
    if (outcome.kind == Kind::kRewritten) {
      Out() << outcome.before << " -> " << outcome.after << " bytes)\n";
    } else {
      Out() << outcome.before << " bytes, as it was)\n";
    }
  }

  void StillChanging(const std::string& path) {
    if (!options_.verbose) return;
    // With a diff, standard output carries nothing but the diff.
    (options_.diff ? Err() : Out()) << OneLine(path) << ": still changing after "
                                    << kMostCompactionPasses << " passes; written as it stands\n";
  }

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

// A run that the options make impossible, turned away before it writes
// anything.
int Refuse(const Status& why, std::ostream& err) {
  err << kProgram << ": " << OneLine(why.ToString()) << '\n';
  return kExitUsage;
}

// Reads the settings. A settings file of the site's own that cannot be used
// ends the run: the exit status is returned then.
std::optional<int> Start(Session& session, const Options& options, std::ostream& err) {
  const Status started = session.Start();
  if (!options.settings_file.empty() && !started.ok()) return Refuse(started, err);
  Warn(started, err);
  return std::nullopt;
}

// The run the command line asks for, stopped by an interrupt.
RunConfig RunConfigFrom(const Options& options) {
  RunConfig config;
  config.dry_run = options.dry_run;
  config.repeat = options.repeat;
  config.diff = options.diff;
  config.output_folder = options.output;
  if (options.jobs > 0) config.jobs = options.jobs;
  config.stop = &InterruptFlag();
  config.settings_file = options.settings_file;
  return config;
}

}  // namespace

int RunBatch(const Options& options, Env& env, Settings& settings, std::ostream& out,
             std::ostream& err, bool errIsTerminal) {
  Session session(env, settings, RunConfigFrom(options));
  if (const std::optional<int> refused = Start(session, options, err)) return *refused;
  const std::vector<std::string> paths = PathsFromArguments(options.paths);
  if (!options.output.empty()) {
    if (Status checked = CheckOutputFolder(env, paths, options.output); !checked.ok()) {
      return Refuse(checked, err);
    }
  }

  ConsoleObserver observer(options, out, err);
  WorkReport report;
  std::optional<ProgressLine> progress;
  if (errIsTerminal && !options.no_progress) {
    progress.emplace(err, report);
    observer.set_progress(&*progress);
  }
  session.RunPaths(paths, report, &observer);
  if (progress) progress->Clear();

  // A stopped run leaves the settings file as it was and ends at once.
  if (InterruptFlag().load()) {
    err << kProgram << ": interrupted\n";
    return kExitSignal + InterruptSignal();
  }
  // A batch run has no pin to change: TopmostOff is saved as it was read.
  Warn(session.End(settings.TopmostOff == 0), err);
  // With a diff, standard output carries nothing else.
  if (options.diff) {
    if (options.verbose) PrintSummary(report, options.dry_run, err);
  } else if (options.verbose || options.dry_run) {
    PrintSummary(report, options.dry_run, out);
  }
  // A signal during the last steps finds every page done and the settings
  // file written whole; it still tells in the status that it came.
  if (InterruptFlag().load()) return kExitSignal + InterruptSignal();
  return report.failures() == 0 ? kExitOk : kExitFailure;
}

int RunCommandLine(const std::vector<std::string>& args, Env& env, Settings& settings,
                   std::ostream& out, std::ostream& err, bool errIsTerminal, std::istream* in) {
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
  if (options.standard_input) {
    if (!options.paths.empty() || !options.output.empty() || options.dry_run) {
      err << kProgram << ": - reads one page from standard input and writes it to standard "
          << "output; it takes no other path, nor -o, -n or --diff\nTry '" << kProgram
          << " --help' for more information.\n";
      return kExitUsage;
    }
    if (in == nullptr) {
      err << kProgram << ": -: there is no standard input to read\n";
      return kExitFailure;
    }
    // The filter writes no settings file: a session that writes nothing.
    RunConfig config = RunConfigFrom(options);
    config.dry_run = true;
    Session session(env, settings, config);
    if (const std::optional<int> refused = Start(session, options, err)) return *refused;
    return RunPageFilter(options, settings, *in, out, err);
  }
  if (options.paths.empty()) {
    err << kProgram << ": no path given\nTry '" << kProgram << " --help' for more information.\n";
    return kExitUsage;
  }
  return RunBatch(options, env, settings, out, err, errIsTerminal);
}

}  // namespace quarnel
