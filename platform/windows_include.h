#ifndef QUARNEL_PLATFORM_WINDOWS_INCLUDE_H_
#define QUARNEL_PLATFORM_WINDOWS_INCLUDE_H_

// <windows.h> for the Windows-only files: without its min and max macros and
// rarely used parts, and without the macros that would rename the Env's
// methods of the same names (GetFileAttributes to GetFileAttributesA, and so
// on).
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef GetFileAttributes
#undef ReplaceFile

#endif  // QUARNEL_PLATFORM_WINDOWS_INCLUDE_H_
