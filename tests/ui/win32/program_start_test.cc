// quarnel.exe started the ways a Windows user starts it: double-clicked (the
// main window, no console, the settings file written beside it on close),
// with pages but without a console (failures told in a message box), and
// from a console through quarnel.com (its output and exit status handed
// on). Needs a desktop to show windows on: under Wine, an X display.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/wide_text_windows.h"
#include "platform/windows_include.h"
#include "tests/support/temp_folder.h"

namespace quarnel {
namespace {

using testing_support::FsPath;
using testing_support::TempFolder;

std::string g_program_folder;  // where the build put quarnel.exe and quarnel.com

struct Started {
  HANDLE process = nullptr;
  DWORD id = 0;
};

// Starts `program` with `arguments`; the standard handles are `output` (if
// given, for output and errors) or none at all.
Started Start(const std::string& program, const std::string& arguments, HANDLE output = nullptr) {
  std::wstring command_line = L"\"" + WideFromUtf8(program) + L"\" " + WideFromUtf8(arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (output != nullptr) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
  }
  PROCESS_INFORMATION info{};
  const DWORD flags = output != nullptr ? 0 : DETACHED_PROCESS;
  if (!::CreateProcessW(WideFromUtf8(program).c_str(), command_line.data(), nullptr, nullptr,
                        output != nullptr, flags, nullptr, nullptr, &startup, &info)) {
    ADD_FAILURE() << "cannot start " << program << ": error " << ::GetLastError();
    return {};
  }
  ::CloseHandle(info.hThread);
  return {info.hProcess, info.dwProcessId};
}

DWORD ExitStatus(const Started& started) {
  if (::WaitForSingleObject(started.process, 30000) != WAIT_OBJECT_0) {
    ::TerminateProcess(started.process, 99);
    ADD_FAILURE() << "the program did not end";
  }
  DWORD status = 99;
  ::GetExitCodeProcess(started.process, &status);
  ::CloseHandle(started.process);
  return status;
}

// The first top-level window of class `window_class` that the process
// shows, waited for up to 30 s.
HWND WaitForWindow(DWORD process, const wchar_t* window_class) {
  struct Search {
    DWORD process;
    const wchar_t* window_class;
    HWND found;
  } search{process, window_class, nullptr};
  for (int waited = 0; waited < 30000 && search.found == nullptr; waited += 100) {
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(window, &owner);
          wchar_t name[64] = {};
          ::GetClassNameW(window, name, 64);
          if (owner != s->process || lstrcmpW(name, s->window_class) != 0 ||
              !::IsWindowVisible(window)) {
            return TRUE;
          }
          s->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) ::Sleep(100);
  }
  return search.found;
}

// Every text in a window and its controls, one after another.
std::string WindowTexts(HWND window) {
  std::wstring texts;
  const auto add = [](HWND control, LPARAM data) -> BOOL {
    wchar_t text[1024] = {};
    ::GetWindowTextW(control, text, 1024);
    *reinterpret_cast<std::wstring*>(data) += std::wstring(text) + L"\n";
    return TRUE;
  };
  add(window, reinterpret_cast<LPARAM>(&texts));
  ::EnumChildWindows(window, add, reinterpret_cast<LPARAM>(&texts));
  return Utf8FromWide(texts);
}

// A copy of the programs in a folder of their own, so the settings file
// they write lands there.
class ProgramStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"quarnel.exe", "quarnel.com"}) {
      std::filesystem::copy_file(FsPath(g_program_folder + "\\" + name), FsPath(folder_ / name));
    }
  }
  std::string Program(const char* name) const { return folder_ / name; }

  TempFolder folder_;
};

TEST_F(ProgramStartTest, DoubleClickedItOpensTheMainWindowWithoutAConsole) {
  // A GUI program: Windows gives it no console window.
  const std::string image = TempFolder::Read(Program("quarnel.exe"));
  ASSERT_GT(image.size(), 0x200u);
  const std::uint32_t header = *reinterpret_cast<const std::uint32_t*>(image.data() + 0x3C);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(image.data() + header);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

  const Started started = Start(Program("quarnel.exe"), "");
  const HWND form1 = WaitForWindow(started.id, L"Form1");
  ASSERT_NE(form1, nullptr);
  ::PostMessageW(form1, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitStatus(started), 0u);
  EXPECT_NE(TempFolder::Read(folder_ / "Quarnel.ini").find("QUARNEL"), std::string::npos);
}

TEST_F(ProgramStartTest, PagesGivenWithoutAConsoleHaveTheirFailuresToldInAMessageBox) {
  const std::string missing = folder_ / "ない.htm";
  const Started started = Start(Program("quarnel.exe"), "\"" + missing + "\"");
  const HWND box = WaitForWindow(started.id, L"#32770");
  ASSERT_NE(box, nullptr);
  const std::string texts = WindowTexts(box);
  EXPECT_NE(texts.find("Quarnel"), std::string::npos) << texts;
  EXPECT_NE(texts.find(missing), std::string::npos) << texts;
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(ExitStatus(started), 1u);
}

TEST_F(ProgramStartTest, FromAConsoleTheLauncherHandsOnOutputAndExitStatus) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  ASSERT_TRUE(::CreatePipe(&read_end, &write_end, &inherit, 0));
  ::SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  const std::string missing = folder_ / "ない.htm";
  const Started started = Start(Program("quarnel.com"), "\"" + missing + "\"", write_end);
  ::CloseHandle(write_end);
  std::string output;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(read_end, buffer, sizeof(buffer), &got, nullptr) && got > 0)
    output.append(buffer, got);
  ::CloseHandle(read_end);
  EXPECT_EQ(ExitStatus(started), 1u);
  EXPECT_NE(output.find(missing + ": no such file or folder"), std::string::npos) << output;
}

}  // namespace
}  // namespace quarnel

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: program_start_test FOLDER_OF_QUARNEL_EXE\n");
    return 2;
  }
  quarnel::g_program_folder = argv[1];
  return RUN_ALL_TESTS();
}
