#include "platform/companion_file.h"

#include "platform/path.h"

namespace quarnel {
namespace {

// `folder` followed by `relative`, each leading ".." taking off one of the
// folder's parts, so that paths stay short and clean in messages and
// addresses. The program's folder is a resolved path (no links), so this
// leads where the file system would.
std::string ResolveBelow(std::string folder, std::string_view relative, char separator) {
  while (relative.starts_with("../")) {
    const std::size_t cut = folder.find_last_of(separator);
    if (cut == std::string::npos || cut == 0) break;
    folder.resize(cut);
    relative.remove_prefix(3);
  }
  std::string tail(relative);
  for (char& c : tail) {
    if (c == '/') c = separator;
  }
  return JoinPath(folder, tail, separator);
}

bool IsFile(Env& env, const std::string& path) {
  const std::uint32_t attributes = env.GetFileAttributes(path);
  return attributes != kInvalidAttributes && (attributes & kAttrDirectory) == 0;
}

}  // namespace

std::string_view InstalledDataFolder() { return QUARNEL_DATA_DIR_FROM_PROGRAM; }
std::string_view InstalledModuleFolder() { return QUARNEL_MODULE_DIR_FROM_PROGRAM; }

std::string LocateCompanionFile(Env& env, const std::string& program_folder,
                                std::string_view installed_folder, std::string_view name) {
  const char separator = env.PathSeparator();
  const std::string beside = JoinPath(program_folder, name, separator);
  if (IsFile(env, beside)) return beside;
  const std::string installed =
      JoinPath(ResolveBelow(program_folder, installed_folder, separator), name, separator);
  return IsFile(env, installed) ? installed : beside;
}

}  // namespace quarnel
