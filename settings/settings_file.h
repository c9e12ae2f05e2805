#ifndef QUARNEL_SETTINGS_SETTINGS_FILE_H_
#define QUARNEL_SETTINGS_SETTINGS_FILE_H_

#include <string>

#include "platform/env.h"
#include "platform/status.h"
#include "settings/settings.h"

namespace quarnel {

// Reads "Quarnel.ini" (see LocateSettingsFile) into `settings` and sets
// SettingsLoaded. When the file is missing or its first line is not the
// header, the defaults apply: DeleteLines and JoinTags get the factory
// defaults (settings/default_lists.h), the numbers and HeadLines are left as
// they are. A file with the header
// that cannot be trusted (it ends early, holds a negative count or a number
// outside 32 bits) or cannot be read gets the defaults too, and the result
// says why, for the user to see; otherwise the result is ok.
// Called once, at start-up.
Status LoadSettings(Env& env, const std::string& programFolder, Settings& settings);

// Reads the settings file at `path`, one that a site keeps with its pages,
// into `settings` and sets SettingsLoaded. Unlike LoadSettings it takes no
// defaults: a file that cannot be read, or that is not a complete settings
// file, is an error that names it and says why, and `settings` is left
// as it was. Such a file is never written back.
Status LoadSettingsFrom(Env& env, const std::string& path, Settings& settings);

// Sets TopmostOff from the pin state (0 when the pin indicator is shown, 1
// when hidden) and writes the whole settings file in the encoding it was
// read in, replacing the old one atomically. A file there that is not a
// usable settings file is first kept as "Quarnel.ini.bak". A read-only file
// is left as it is: users freeze their settings that way. Any other failure is returned
// for the caller to report; the file is then unchanged.
// Called once, at exit.
Status SaveSettings(Env& env, const std::string& programFolder, bool pinShown, Settings& settings);

}  // namespace quarnel

#endif  // QUARNEL_SETTINGS_SETTINGS_FILE_H_
