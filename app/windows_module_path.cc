#include "app/windows_module_path.h"

#include "app/windows_module.h"
#include "platform/companion_file.h"

namespace quarnel {

std::string WindowsModulePath(Env& env) {
  return LocateCompanionFile(env, env.ProgramFolder(), InstalledModuleFolder(), kWindowsModuleName);
}

}  // namespace quarnel
