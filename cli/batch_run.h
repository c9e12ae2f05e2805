#ifndef QUARNEL_CLI_BATCH_RUN_H_
#define QUARNEL_CLI_BATCH_RUN_H_

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/options.h"
#include "platform/env.h"
#include "settings/settings.h"

namespace quarnel {

// Exit statuses of the command line.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // a path could not be read, listed or written
inline constexpr int kExitUsage = 2;
// Plus the signal's number, when a signal stopped the run (130 for Ctrl-C).
inline constexpr int kExitSignal = 128;

// A batch run: one session that reads the settings, runs every path
// through DispatchPath in order, and writes the settings file at the end
// (not in a dry run, nor with a settings file of the site's own). Rewritten
// files (or, with --diff, their diffs) and the summary go to `out` as the
// options ask; every failure is one line on `err`, where a progress line
// shows too when `errIsTerminal`. A settings file of the site's own that
// cannot be read, or an output folder that the run may not write under
// (see CheckOutputFolder), is a usage error told before anything is
// written. A run stopped by a signal (see
// CatchInterrupts) leaves the pages not yet done and the settings file as
// they were. Returns the exit status.
int RunBatch(const Options& options, Env& env, Settings& settings, std::ostream& out,
             std::ostream& err, bool errIsTerminal = false);

// The command line: reads the options from the arguments after the
// program's name, answers --help and --version, turns away a usage error,
// and otherwise runs the batch, or, for "-", the page filter over `in`
// (which fails without it). Returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, Env& env, Settings& settings,
                   std::ostream& out, std::ostream& err, bool errIsTerminal = false,
                   std::istream* in = nullptr);

}  // namespace quarnel

#endif  // QUARNEL_CLI_BATCH_RUN_H_
