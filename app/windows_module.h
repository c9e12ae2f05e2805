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

}  // namespace quarnel

#endif  // QUARNEL_APP_WINDOWS_MODULE_H_
