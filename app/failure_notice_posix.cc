// ShowFailureNotice through the windows module, loaded only when there is
// something to tell, so a clean run from the desktop never loads Qt.
#include <dlfcn.h>

#include <string>

#include "app/failure_notice.h"
#include "app/windows_module.h"
#include "app/windows_module_path.h"

namespace quarnel {

void ShowFailureNotice(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  void* handle = ::dlopen(WindowsModulePath(*Env::Default()).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return;
  const auto entry = reinterpret_cast<WindowsNoticeEntry>(::dlsym(handle, kWindowsNoticeEntry));
  if (entry != nullptr) entry(text.c_str());
}

}  // namespace quarnel
