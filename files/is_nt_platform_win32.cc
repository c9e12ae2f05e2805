#include "platform/windows_include.h"

#include "files/command_line_split.h"

namespace quarnel {

// The record starts zeroed, so a failed call reads as platform 0: not NT.
bool IsNtPlatform() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = 148;
  // Deprecated, but it still tells the two families apart.
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
  GetVersionExA(&info);
  switch (info.dwPlatformId) {
    case 1:
      return false;
    case 2:
      return true;
    default:
      return false;
  }
}

}  // namespace quarnel
