#ifndef QUARNEL_SETTINGS_SETTINGS_LOCATION_H_
#define QUARNEL_SETTINGS_SETTINGS_LOCATION_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/env.h"

namespace quarnel {

inline constexpr std::string_view kSettingsFileName = "Quarnel.ini";

// Where "Quarnel.ini" is read from and written to.
struct SettingsLocation {
  std::string read_path;
  std::string write_path;
  // The folder that holds write_path; the writer creates it when missing.
  std::string write_folder;
};

// True when `path` names an ordinary file: it exists and is neither a folder
// nor a hidden or system file.
bool IsOrdinaryFile(Env& env, const std::string& path);
// The same, told from the path's attributes.
bool IsOrdinaryFile(std::uint32_t attributes);

// The settings file lives beside the program. When no file can be created in
// the program folder (an installed copy in a system folder), the per-user
// configuration folder takes its place, much as Windows redirects such
// writes: its file is read when it exists, else the program folder's one,
// and it is always the one written. So it does for a copy installed in a
// tree (its manual in the tree's data folder, none beside it), also when
// the program folder is writable. Without a per-user folder the program
// folder's file is used for both. Paths are empty when there is no folder at
// all to keep the file in.
SettingsLocation LocateSettingsFile(Env& env, const std::string& programFolder);

}  // namespace quarnel

#endif  // QUARNEL_SETTINGS_SETTINGS_LOCATION_H_
