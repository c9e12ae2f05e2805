#include "settings/settings_file.h"

#include <utility>

#include "settings/settings_format.h"
#include "settings/settings_location.h"

namespace quarnel {
namespace {

constexpr std::string_view kUsingDefaults = "; using the defaults";

// The defaults for a missing, foreign or unusable file.
void TakeDefaultLists(DefaultListSource& defaults, Settings& settings) {
  ItemList deleteLines;
  ItemList joinTags;
  defaults.TakeDefaults(settings, &deleteLines, &joinTags);
  settings.DeleteLines = std::move(deleteLines);
  settings.JoinTags = std::move(joinTags);
  settings.FileEncoding = Encoding::kCp932;
  settings.SettingsLoaded = true;
}

}  // namespace

Status LoadSettings(Env& env, const std::string& programFolder, DefaultListSource& defaults,
                    Settings& settings) {
  const std::string path = LocateSettingsFile(env, programFolder).readPath;
  Status warning;
  if (IsOrdinaryFile(env, path)) {
    std::string bytes;
    const Status read = env.ReadFile(path, &bytes);
    if (!read.ok()) {
      warning = Status::IOError(path, read.reason() + std::string(kUsingDefaults));
    } else {
      SettingsFileContent content = ParseSettingsFile(bytes);
      if (content.kind == SettingsFileContent::Kind::kSettings) {
        settings = std::move(content.settings);
        settings.SettingsLoaded = true;
        return Status::OK();
      }
      if (content.kind == SettingsFileContent::Kind::kDamaged) {
        warning = Status::InvalidArgument(path, content.problem + std::string(kUsingDefaults));
      }
    }
  }
  TakeDefaultLists(defaults, settings);
  return warning;
}

Status SaveSettings(Env& env, const std::string& programFolder, bool pinShown,
                    Settings& settings) {
  settings.TopmostOff = pinShown ? 0 : 1;
  const SettingsLocation location = LocateSettingsFile(env, programFolder);
  if (location.writePath.empty()) {
    return Status::NotFound(kSettingsFileName, "no folder to keep it in is known");
  }
  const Status created = env.CreateFolders(location.writeFolder);
  if (!created.ok()) return created;
  const Status written = env.ReplaceFile(location.writePath, FormatSettingsFile(settings));
  if (written.code() == Status::Code::kReadOnly) return Status::OK();
  return written;
}

}  // namespace quarnel
