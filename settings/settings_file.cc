#include "settings/settings_file.h"

#include <utility>

#include "settings/default_lists.h"
#include "settings/settings_format.h"
#include "settings/settings_location.h"

namespace quarnel {
namespace {

constexpr std::string_view kUsingDefaults = "; using the defaults";
constexpr std::string_view kKeptAsBackup =
    " (the old file is kept as Quarnel.ini.bak when the settings are saved)";
constexpr std::string_view kBackupSuffix = ".bak";

// The defaults for a missing, foreign or unusable file.
void TakeDefaultLists(Settings& settings) {
  settings.DeleteLines = DefaultDeleteLines();
  settings.JoinTags = DefaultJoinTags();
  settings.FileEncoding = Encoding::kCp932;
  settings.ReadFromFile = false;
  settings.SettingsLoaded = true;
}

// A file at `path` that is not a usable settings file (damaged, or written by
// something else), or one the settings were not read from (it could not be
// read at start-up), is copied to "Quarnel.ini.bak" before it is replaced, so
// that hand-made settings are never lost to the defaults. When the copy
// cannot be made, the result says why and the file must not be replaced.
Status KeepUnusableFile(Env& env, const std::string& path, bool readFrom) {
  if (!IsOrdinaryFile(env, path)) return Status::OK();
  std::string bytes;
  const Status read = env.ReadFile(path, &bytes);
  if (!read.ok()) {
    return Status::IOError(path, "cannot keep a copy of the unusable file (" + read.reason() +
                                     "); it is left as it is");
  }
  if (readFrom && ParseSettingsFile(bytes).kind == SettingsFileContent::Kind::kSettings) {
    return Status::OK();
  }
  const std::string backup = path + std::string(kBackupSuffix);
  const Status kept = env.ReplaceFile(backup, bytes);
  if (!kept.ok()) {
    return Status::IOError(path, "cannot keep a copy of the unusable file as " + backup + " (" +
                                     kept.reason() + "); it is left as it is");
  }
  return Status::OK();
}

}  // namespace

Status LoadSettings(Env& env, const std::string& programFolder, Settings& settings) {
  const std::string path = LocateSettingsFile(env, programFolder).read_path;
  Status warning;
  // Attributes that cannot be read mean a missing file or one that cannot be
  // queried just now: the read tells which, so that the user's settings are
  // never silently swapped for the defaults.
  const std::uint32_t attributes = path.empty() ? kInvalidAttributes : env.GetFileAttributes(path);
  if (!path.empty() && (IsOrdinaryFile(attributes) || attributes == kInvalidAttributes)) {
    std::string bytes;
    const Status read = env.ReadFile(path, &bytes);
    if (!read.ok()) {
      if (read.code() != Status::Code::kNotFound) {
        warning = Status::IOError(path, read.reason() + std::string(kUsingDefaults));
      }
    } else {
      SettingsFileContent content = ParseSettingsFile(bytes);
      if (content.kind == SettingsFileContent::Kind::kSettings) {
        settings = std::move(content.settings);
        settings.ReadFromFile = true;
        settings.SettingsLoaded = true;
        return Status::OK();
      }
      if (content.kind == SettingsFileContent::Kind::kDamaged) {
        warning = Status::InvalidArgument(
            path, content.problem + std::string(kUsingDefaults) + std::string(kKeptAsBackup));
      }
    }
  }
  TakeDefaultLists(settings);
  return warning;
}

Status LoadSettingsFrom(Env& env, const std::string& path, Settings& settings) {
  const std::uint32_t attributes = env.GetFileAttributes(path);
  if (attributes != kInvalidAttributes && (attributes & kAttrDirectory) != 0) {
    return Status::InvalidArgument(path, "a folder, not a settings file");
  }
  std::string bytes;
  if (Status read = env.ReadFile(path, &bytes); !read.ok()) return read;
  SettingsFileContent content = ParseSettingsFile(bytes);
  switch (content.kind) {
    case SettingsFileContent::Kind::kSettings:
      settings = std::move(content.settings);
      settings.ReadFromFile = true;
      settings.SettingsLoaded = true;
      return Status::OK();
    case SettingsFileContent::Kind::kForeign:
      return Status::InvalidArgument(path, "not a settings file: its first line is not \"" +
                                               std::string(kSettingsHeader) + "\"");
    case SettingsFileContent::Kind::kDamaged:
      break;
  }
  return Status::InvalidArgument(path, content.problem);
}

Status SaveSettings(Env& env, const std::string& programFolder, bool pinShown, Settings& settings) {
  settings.TopmostOff = pinShown ? 0 : 1;
  const SettingsLocation location = LocateSettingsFile(env, programFolder);
  if (location.write_path.empty()) {
    return Status::NotFound(kSettingsFileName, "no folder to keep it in is known");
  }
  const Status created = env.CreateFolders(location.write_folder);
  if (!created.ok()) return created;
  const Status kept = KeepUnusableFile(env, location.write_path, settings.ReadFromFile);
  if (!kept.ok()) return kept;
  const Status written = env.ReplaceFile(location.write_path, FormatSettingsFile(settings));
  if (written.code() == Status::Code::kReadOnly) return Status::OK();
  return written;
}

}  // namespace quarnel
