// quarnel.exe: the core libraries, the native windows and main(). The
// command line is read as UTF-16 (GetCommandLineW) and cut by the program's
// own rule, so a path in any script arrives whole whatever the system's
// ANSI code page; messages go out through ConsoleStream.
//
// quarnel.exe is a GUI program, so a double click opens the main window and
// no console window. Started with paths it speaks to the console of
// whoever started it (cmd and PowerShell start the console launcher
// quarnel.com beside it, which waits and hands on the exit status), or to
// the files and pipes it was given; with neither (pages dropped on its
// icon in Explorer, Send To) failures are told in a message box.
#include "platform/windows_include.h"

#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cstdio>
#include <iostream>
#include <ostream>
#include <streambuf>
#include <string>
#include <thread>
#include <vector>

#include "app/failure_notice.h"
#include "app/interactive.h"
#include "cli/argument_text.h"
#include "cli/batch_run.h"
#include "cli/desktop_run.h"
#include "cli/options.h"
#include "platform/console_stream_windows.h"
#include "platform/env.h"
#include "platform/interrupt.h"
#include "platform/wide_text_windows.h"
#include "settings/settings.h"

namespace {

std::atomic<bool> runEnded{false};

// Every console event asks the run to stop before its next file. Ctrl-C and
// Ctrl-Break are then taken as handled, and the run ends by itself with
// status 130. Closing the console window, logging off and shutting
// down end the process as soon as the handler returns, so for those it
// waits until the run has ended (at most 4 s of the 5 s the system gives):
// the page in hand is finished and no temporary file is left.
BOOL WINAPI OnConsoleEvent(DWORD event) {
  quarnel::RequestInterrupt(quarnel::kInterruptSignal);
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
  for (int waited = 0; waited < 4000 && !runEnded.load(); waited += 50) ::Sleep(50);
  return TRUE;
}

// Whether a standard handle leads somewhere: a console, a file or a pipe.
bool Usable(DWORD which) {
  const HANDLE handle = ::GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// Attaches to the console of the process that started this one, if it has
// one, and points the standard handles that lead nowhere at it. True when
// the run has somewhere to speak: that console, or handles of its own.
bool AttachToStarter() {
  if (::AttachConsole(ATTACH_PARENT_PROCESS) || ::GetLastError() == ERROR_ACCESS_DENIED) {
    for (const DWORD which : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
      if (Usable(which)) continue;  // redirected to a file or a pipe: kept
      const HANDLE console = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
      if (console != INVALID_HANDLE_VALUE) ::SetStdHandle(which, console);
    }
    return true;
  }
  return Usable(STD_ERROR_HANDLE) || Usable(STD_OUTPUT_HANDLE);
}

// Started by quarnel.com: its stop event (named in QUARNEL_STOP_EVENT)
// asks the run to stop, as a console event does.
void FollowLauncherStop() {
  wchar_t name[64] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"QUARNEL_STOP_EVENT", name, 64);
  if (length == 0 || length >= 64) return;
  ::SetEnvironmentVariableW(L"QUARNEL_STOP_EVENT", nullptr);  // not for programs opened from here
  const HANDLE stop = ::OpenEventW(SYNCHRONIZE, FALSE, name);
  if (stop == nullptr) return;
  std::thread([stop] {
    if (::WaitForSingleObject(stop, INFINITE) == WAIT_OBJECT_0)
      quarnel::RequestInterrupt(quarnel::kInterruptSignal);
  }).detach();
}

// Output that nobody would see.
class Discard final : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};

}  // namespace

int main(int argc, char** argv) {
  const std::string commandLine = quarnel::Utf8FromWide(::GetCommandLineW());
  const std::string_view arguments = quarnel::ArgumentText(commandLine);
  if (arguments.empty()) return quarnel::RunInteractive(argc, argv);
  if (!AttachToStarter()) {
    Discard nowhere;
    std::ostream out(&nowhere);
    std::ostream err(&nowhere);
    return quarnel::RunFromDesktop(quarnel::SplitArgumentText(arguments), *quarnel::Env::Default(),
                                   quarnel::TheSettings(), out, err, quarnel::ShowFailureNotice);
  }
  const std::vector<std::string> args = quarnel::SplitArgumentText(arguments);
  // The page filter writes no file: Ctrl-C may end it at once, also while it
  // waits for its page.
  const quarnel::ParsedOptions parsed = quarnel::ParseOptions(args);
  if (!parsed.error.empty() || !parsed.options.standard_input) {
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    FollowLauncherStop();
  }
  // The page filter ("quarnel -") takes its page as bytes: no CR LF
  // translation, and a file buffer of its own that tells a read that fails
  // from the end. Standard output is written as bytes by ConsoleStream.
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  std::ios::sync_with_stdio(false);
  int status = 0;
  {
    quarnel::ConsoleStream out(STD_OUTPUT_HANDLE);
    quarnel::ConsoleStream err(STD_ERROR_HANDLE);
    status =
        quarnel::RunCommandLine(args, *quarnel::Env::Default(), quarnel::TheSettings(), out, err,
                                /*errIsTerminal=*/false, &std::cin);
  }
  runEnded.store(true);
  return status;
}
