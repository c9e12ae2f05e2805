#ifndef QUARNEL_APP_WINDOWS_MODULE_PATH_H_
#define QUARNEL_APP_WINDOWS_MODULE_PATH_H_

#include <string>

#include "platform/env.h"

namespace quarnel {

// Where the windows module is: beside the program (a build, an unpacked
// copy), else in the installed tree's module folder ($libdir/quarnel), else
// the path beside the program, for the message that it is missing.
std::string WindowsModulePath(Env& env);

}  // namespace quarnel

#endif  // QUARNEL_APP_WINDOWS_MODULE_PATH_H_
