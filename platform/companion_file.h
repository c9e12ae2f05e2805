#ifndef QUARNEL_PLATFORM_COMPANION_FILE_H_
#define QUARNEL_PLATFORM_COMPANION_FILE_H_

#include <string>
#include <string_view>

#include "platform/env.h"

namespace quarnel {

// The files that come with the program (its windows module, its manual) lie
// beside it in a build or an unpacked copy, and in a folder of their own in
// an installed tree. `installed_folder` is that folder relative to the
// program's folder, with "/" between its parts ("../share/quarnel"), so a
// tree installed under any prefix, or staged under DESTDIR, finds its own
// files. Returns the first of `program_folder`/`name` and
// `program_folder`/`installed_folder`/`name` that is a file, or the first
// when neither is (for the caller's message).
std::string LocateCompanionFile(Env& env, const std::string& program_folder,
                                std::string_view installed_folder, std::string_view name);

// The installed tree's folders, relative to the program's folder, as the
// build was configured: the manual's ($datadir/quarnel) and the windows
// module's ($libdir/quarnel).
std::string_view InstalledDataFolder();
std::string_view InstalledModuleFolder();

// The manual's file name; its place tells an installed copy (the manual in
// the installed tree) from a build or an unpacked copy (beside the program).
inline constexpr std::string_view kManualName = "readme.htm";

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_COMPANION_FILE_H_
