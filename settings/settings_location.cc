#include "settings/settings_location.h"

#include "platform/companion_file.h"
#include "platform/path.h"

namespace quarnel {
namespace {

// An installed copy keeps no settings file in the system's program folder,
// even where it may write there (run as root): such a file belongs to no
// package and would outlive the program's removal.
bool IsInstalledCopy(Env& env, const std::string& programFolder) {
  return LocateCompanionFile(env, programFolder, InstalledDataFolder(), kManualName) !=
         JoinPath(programFolder, kManualName, env.PathSeparator());
}

}  // namespace

bool IsOrdinaryFile(Env& env, const std::string& path) {
  return !path.empty() && IsOrdinaryFile(env.GetFileAttributes(path));
}

bool IsOrdinaryFile(std::uint32_t attributes) {
  return attributes != kInvalidAttributes &&
         (attributes & (kAttrDirectory | kAttrHidden | kAttrSystem)) == 0;
}

SettingsLocation LocateSettingsFile(Env& env, const std::string& programFolder) {
  const char separator = env.PathSeparator();
  // Without a program folder there is no file of its own, rather than one in
  // whatever folder is current.
  const std::string programFile = programFolder.empty() ? ""
                                                        : AddBackslash(programFolder, separator) +
                                                              std::string(kSettingsFileName);
  if (!programFolder.empty() && env.CanCreateFilesIn(programFolder) &&
      !IsInstalledCopy(env, programFolder)) {
    return {programFile, programFile, programFolder};
  }
  const std::string userFolder = env.UserConfigFolder();
  if (userFolder.empty()) return {programFile, programFile, programFolder};
  const std::string userFile = AddBackslash(userFolder, separator) + std::string(kSettingsFileName);
  return {IsOrdinaryFile(env, userFile) ? userFile : programFile, userFile, userFolder};
}

}  // namespace quarnel
