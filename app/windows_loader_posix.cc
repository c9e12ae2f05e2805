// RunInteractive for the program: loads the windows module (beside the
// program or where it is installed) and hands the run to it.
#include <dlfcn.h>

#include <iostream>
#include <string>

#include "app/interactive.h"
#include "app/windows_module.h"
#include "app/windows_module_path.h"
#include "platform/env.h"

namespace quarnel {

int RunInteractive(int argc, char** argv) {
  const std::string module = WindowsModulePath(*Env::Default());
  // RTLD_LOCAL: the module keeps its own copy of the core to itself.
  void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  const auto entry =
      handle == nullptr
          ? nullptr
          : reinterpret_cast<WindowsModuleEntry>(::dlsym(handle, kWindowsModuleEntry));
  if (entry == nullptr) {
    const char* why = ::dlerror();
    std::cerr << "quarnel: cannot open the window: " << (why != nullptr ? why : module)
              << "\nquarnel: give the files and folders to compact as arguments to run without "
                 "a window (see 'quarnel --help')\n";
    return 1;
  }
  return entry(argc, argv);  // the module stays loaded until the process ends
}

}  // namespace quarnel
