// RunInteractive for the program: loads the windows module from the
// program's folder and hands the run to it.
#include "platform/windows_include.h"

#include <iostream>
#include <string>

#include "app/interactive.h"
#include "app/windows_module.h"
#include "platform/env.h"
#include "platform/path.h"

namespace quarnel {

int RunInteractive(int argc, char** argv) {
  Env& env = *Env::Default();
  const std::string module =
      AddBackslash(env.ProgramFolder(), env.PathSeparator()) + kWindowsModuleName;
  const HMODULE handle = ::LoadLibraryA(module.c_str());
  const auto entry =
      handle == nullptr ? nullptr
                        : reinterpret_cast<WindowsModuleEntry>(
                              reinterpret_cast<void*>(::GetProcAddress(handle, kWindowsModuleEntry)));
  if (entry == nullptr) {
    ::MessageBoxA(nullptr, ("cannot open the window: " + module + " cannot be loaded").c_str(),
                  "Quarnel", MB_OK | MB_ICONWARNING);
    std::cerr << "quarnel: cannot open the window: " << module << " cannot be loaded\n";
    return 1;
  }
  return entry(argc, argv);
}

}  // namespace quarnel
