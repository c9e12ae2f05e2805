// quarnel: the core libraries plus main(). Started with arguments it is a
// batch tool that never touches a window; without any it opens its window.
#include <iostream>
#include <string>
#include <vector>

#include "app/failure_notice.h"
#include "app/interactive.h"
#include "cli/batch_run.h"
#include "cli/desktop_run.h"
#include "platform/env.h"
#include "platform/free_memory.h"
#include "platform/interrupt.h"
#include "platform/terminal.h"
#include "settings/settings.h"

int main(int argc, char** argv) {
  quarnel::KeepFreedMemory();
  if (argc <= 1) return quarnel::RunInteractive(argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  quarnel::Env& env = *quarnel::Env::Default();
  const quarnel::ParsedOptions parsed = quarnel::ParseOptions(args);
  if (parsed.error.empty() && parsed.options.desktop) {
    // The menu entry started without pages to open: the window, as a start
    // without arguments.
    const quarnel::Options& o = parsed.options;
    if (o.paths.empty() && !o.help && !o.version) return quarnel::RunInteractive(1, argv);
    quarnel::CatchInterrupts();  // a session that ends (SIGHUP, SIGTERM) stops the run cleanly
    return quarnel::RunFromDesktop(args, env, quarnel::TheSettings(), std::cout, std::cerr,
                                   quarnel::ShowFailureNotice);
  }
  if (parsed.error.empty() && parsed.options.standard_input) {
    // The page filter writes no file, so a signal may end it at once: a
    // Ctrl-C while it waits for its page is not held back. It reads
    // standard input through a file buffer of its own, which tells a read
    // that fails from the end of the page.
    std::ios::sync_with_stdio(false);
  } else {
    quarnel::CatchInterrupts();
  }
  return quarnel::RunCommandLine(args, env, quarnel::TheSettings(), std::cout, std::cerr,
                                 quarnel::StandardErrorIsTerminal(), &std::cin);
}
