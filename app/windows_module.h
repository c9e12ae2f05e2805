#ifndef QUARNEL_APP_WINDOWS_MODULE_H_
#define QUARNEL_APP_WINDOWS_MODULE_H_

// The windows live in a module of their own beside the program, loaded only
// by an interactive start: a batch run never loads the windowing libraries,
// so it starts fast, keeps little memory, and runs where they are missing.

namespace quarnel {

// The module's file name in the program's folder.
#ifdef _WIN32
inline constexpr char kWindowsModuleName[] = "quarnel-windows.dll";
#else
inline constexpr char kWindowsModuleName[] = "quarnel-windows.so";
#endif

// The module's one entry: RunInteractive (app/interactive.h) under a plain
// C name, of type WindowsModuleEntry.
inline constexpr char kWindowsModuleEntry[] = "QuarnelRunInteractive";
using WindowsModuleEntry = int (*)(int argc, char** argv);

// Its second entry, for a batch run started from the desktop: shows the
// lines (UTF-8, each ended by a line feed) the run wrote to standard error
// in a message box and returns when it is dismissed; does nothing without a
// display.
inline constexpr char kWindowsNoticeEntry[] = "QuarnelShowNotice";
using WindowsNoticeEntry = void (*)(const char* lines);

}  // namespace quarnel

// Marks the module's entries, which the program looks up by their plain C
// names; everything else in the module stays hidden.
#if defined(_WIN32)
#define QUARNEL_MODULE_EXPORT __declspec(dllexport)
#else
#define QUARNEL_MODULE_EXPORT __attribute__((visibility("default")))
#endif

#endif  // QUARNEL_APP_WINDOWS_MODULE_H_
