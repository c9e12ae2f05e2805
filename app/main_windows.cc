// quarnel.exe: the core libraries plus main(). The command line is read as
// UTF-16 (GetCommandLineW) and cut by the program's own rule, so a path in
// any script arrives whole whatever the system's ANSI code page; messages
// go out through ConsoleStream.
#include "platform/windows_include.h"

#include <atomic>
#include <string>

#include "app/interactive.h"
#include "files/argument_text.h"
#include "files/batch_run.h"
#include "files/stop_request.h"
#include "platform/console_stream_windows.h"
#include "platform/env.h"
#include "platform/wide_text_windows.h"
#include "settings/settings.h"

namespace {

std::atomic<bool> runEnded{false};

// Every console event asks the run to stop before its next file. Ctrl-C and
// Ctrl-Break are then taken as handled, and the run ends by itself with
// kExitInterrupted. Closing the console window, logging off and shutting
// down end the process as soon as the handler returns, so for those it
// waits until the run has ended (at most 4 s of the 5 s the system gives):
// the page in hand is finished and no temporary file is left.
BOOL WINAPI OnConsoleEvent(DWORD event) {
  quarnel::RequestStop();
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
  for (int waited = 0; waited < 4000 && !runEnded.load(); waited += 50) ::Sleep(50);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string commandLine = quarnel::Utf8FromWide(::GetCommandLineW());
  const std::string_view arguments = quarnel::ArgumentText(commandLine);
  if (arguments.empty()) return quarnel::RunInteractive(argc, argv);
  ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
  int status = 0;
  {
    quarnel::ConsoleStream out(STD_OUTPUT_HANDLE);
    quarnel::ConsoleStream err(STD_ERROR_HANDLE);
    status = quarnel::RunCommandLine(quarnel::SplitArgumentText(arguments),
                                     *quarnel::Env::Default(), quarnel::TheSettings(), out, err);
  }
  runEnded.store(true);
  return status;
}
