// quarnel.com: the console launcher beside quarnel.exe. quarnel.exe is a GUI
// program (a double click opens no console window), and cmd and PowerShell
// neither wait for a GUI program nor take its exit status. Typed as
// "quarnel", the launcher is found first (.COM comes before .EXE): it
// starts quarnel.exe with the same command line and standard handles,
// waits for it, and ends with its exit status. quarnel.exe attaches to
// this console, so its messages reach it directly.
#include "platform/windows_include.h"

#include <string>

namespace {

HANDLE g_stop = nullptr;   // the event that asks quarnel.exe to stop
HANDLE g_child = nullptr;  // quarnel.exe, once started

// Ctrl-C, Ctrl-Break and closing the console ask quarnel.exe to stop before
// its next page, through the stop event, which it waits on: Windows hands
// it the console's events itself, but Wine hands them only to the process
// at the front, this one. quarnel.exe then ends with its own status, which
// the launcher hands on. When the console is closing, the launcher waits
// for quarnel.exe to end (the system gives both 5 s).
BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (g_stop != nullptr) ::SetEvent(g_stop);
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && g_child != nullptr) {
    ::WaitForSingleObject(g_child, 4500);
  }
  return TRUE;
}

}  // namespace

int main() {
  std::wstring program(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    if (length == 0) return 2;
    if (length < program.size()) {
      program.resize(length);
      break;
    }
    program.resize(program.size() * 2);
  }
  const size_t dot = program.find_last_of(L'.');
  const size_t slash = program.find_last_of(L"\\/");
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return 2;
  program.replace(dot, std::wstring::npos, L".exe");

  const std::wstring stop_name = L"Local\\QuarnelStop." + std::to_wstring(::GetCurrentProcessId());
  g_stop = ::CreateEventW(nullptr, TRUE, FALSE, stop_name.c_str());
  if (g_stop != nullptr) ::SetEnvironmentVariableW(L"QUARNEL_STOP_EVENT", stop_name.c_str());
  ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started{};
  // The command line as given: quarnel.exe cuts it by its own rule, and its
  // first word (this program's name) is passed over there.
  std::wstring command_line = ::GetCommandLineW();
  if (!::CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &started)) {
    const std::wstring message = L"quarnel: cannot start " + program + L"\r\n";
    DWORD written = 0;
    const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
    if (::GetFileType(err) == FILE_TYPE_CHAR) {
      ::WriteConsoleW(err, message.c_str(), static_cast<DWORD>(message.size()), &written, nullptr);
    } else {
      std::string bytes(message.size() * 3, '\0');  // as UTF-8, as quarnel.exe writes
      bytes.resize(static_cast<size_t>(
          ::WideCharToMultiByte(CP_UTF8, 0, message.data(), static_cast<int>(message.size()),
                                bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
      ::WriteFile(err, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    return 2;
  }
  ::CloseHandle(started.hThread);
  g_child = started.hProcess;
  ::WaitForSingleObject(started.hProcess, INFINITE);
  DWORD status = 2;
  ::GetExitCodeProcess(started.hProcess, &status);
  return static_cast<int>(status);
}
