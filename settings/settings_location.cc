#include "settings/settings_location.h"

#include "platform/path.h"

namespace quarnel {

bool IsOrdinaryFile(Env& env, const std::string& path) {
  const std::uint32_t attributes = env.GetFileAttributes(path);
  return attributes != kInvalidAttributes &&
         (attributes & (kAttrDirectory | kAttrHidden | kAttrSystem)) == 0;
}

SettingsLocation LocateSettingsFile(Env& env, const std::string& programFolder) {
  const std::string programFile = AddBackslash(programFolder, env.PathSeparator()) + std::string(kSettingsFileName);
  if (env.CanCreateFilesIn(programFolder)) return {programFile, programFile, programFolder};

  const std::string userFolder = env.UserConfigFolder();
  if (userFolder.empty()) return {programFile, programFile, programFolder};
  const std::string userFile = AddBackslash(userFolder, env.PathSeparator()) + std::string(kSettingsFileName);
  return {IsOrdinaryFile(env, userFile) ? userFile : programFile, userFile, userFolder};
}

}  // namespace quarnel
