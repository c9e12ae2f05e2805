#include "files/output_folder.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "files/folder_walk.h"
#include "files/html_name.h"
#include "files/work.h"
#include "platform/ascii_case.h"
#include "platform/path.h"

namespace quarnel {
namespace {

constexpr std::string_view kCurrentFolder = ".";

// The same place for the file system: on Windows, letter case aside.
std::string PlaceKey(std::string_view path, char separator) {
  std::string key(path);
  if (separator == '\\') {
    for (char& c : key) c = c == '/' ? '\\' : FoldAscii(c);
  }
  return key;
}

// Every page the run will take from `path`, as DispatchPath finds them.
Status PagesOf(Env& env, const std::string& path, std::vector<std::string>& pages, bool& walked) {
  const std::uint32_t attributes = env.GetFileAttributes(path);
  walked = attributes == kAttrDirectory;
  if (walked) {
    FileMain walk(env);
    std::vector<std::string> found;
    const Status listed = walk.ExpandFolder(path, WalkPatterns(), found);
    if (!listed.ok()) return listed;
    for (std::string& page : found) {
      if (IsHtmlName(page)) pages.push_back(std::move(page));
    }
  } else if (attributes != kInvalidAttributes && IsHtmlName(path)) {
    pages.push_back(path);
  }
  return Status::OK();
}

// The folders a walk of `paths` enters through the folders given, by id.
std::map<FolderId, std::string> WalkedFolders(Env& env, const std::vector<std::string>& paths) {
  std::map<FolderId, std::string> walked;
  for (const std::string& path : paths) {
    FolderId id;
    if (env.GetFileAttributes(path) == kAttrDirectory && env.GetFolderId(path, &id)) {
      walked.emplace(id, path);
    }
  }
  return walked;
}

// A path as the nearest folder at or above it that can be seen, and the
// names below that folder, which do not exist yet. No folder when none
// can be seen (a root that is gone, a current folder that was removed).
struct Anchor {
  std::optional<std::string> folder;
  std::vector<std::string> missing;  // in the file system's spelling (PlaceKey)
};

Anchor AnchorOf(Env& env, const std::string& path) {
  const char separator = env.PathSeparator();
  std::optional<std::string> probe = path;
  std::size_t spelled = path.size();  // how much of `path` the probe spells
  while (probe && env.GetFileAttributes(*probe) == kInvalidAttributes) {
    std::string parent = ParentFolder(*probe, separator);
    spelled = parent.size();
    if (parent.empty()) parent = std::string(kCurrentFolder);
    if (parent == *probe) {
      probe.reset();
      spelled = 0;
    } else {
      probe = std::move(parent);
    }
  }
  const std::string missing = PlaceKey(std::string_view(path).substr(spelled), separator);
  const std::vector<std::string_view> names = PathNames(missing, separator);
  return {probe, {names.begin(), names.end()}};
}

bool SameFolder(Env& env, const std::optional<std::string>& a,
                const std::optional<std::string>& b) {
  if (!a || !b) return !a && !b;
  FolderId id_a;
  FolderId id_b;
  if (env.GetFolderId(*a, &id_a) && env.GetFolderId(*b, &id_b)) return id_a == id_b;
  return PlaceKey(*a, env.PathSeparator()) == PlaceKey(*b, env.PathSeparator());
}

// Whether `output` is, or lies inside, the path `given` that does not exist
// yet. Writing the output creates that path, and the run, coming to it,
// would walk it and compact its own pages into copies of themselves.
bool InsideMissingPath(Env& env, const Anchor& output, const std::string& given) {
  if (env.GetFileAttributes(given) != kInvalidAttributes) return false;
  const Anchor path = AnchorOf(env, given);
  return !path.missing.empty() && path.missing.size() <= output.missing.size() &&
         std::equal(path.missing.begin(), path.missing.end(), output.missing.begin()) &&
         SameFolder(env, path.folder, output.folder);
}

// Refuses an output folder that is a file, or that is or lies inside a
// folder given, or a path given that the run itself would create. The
// nearest folder above the output that exists is followed up to the root,
// by "..", so that links and other names lead to the same folders the walk
// sees.
Status CheckPlace(Env& env, const std::vector<std::string>& paths, const std::string& output) {
  const char separator = env.PathSeparator();
  const std::uint32_t attributes = env.GetFileAttributes(output);
  if (attributes != kInvalidAttributes && (attributes & kAttrDirectory) == 0) {
    return Status::InvalidArgument(output, "the output folder is a file");
  }
  const Anchor anchor = AnchorOf(env, output);
  for (const std::string& path : paths) {
    if (InsideMissingPath(env, anchor, path)) {
      return Status::InvalidArgument(
          output, "the output folder is, or lies inside, " + path +
                      ", a path given that does not exist yet: the run would write there and "
                      "then read its own pages; choose a folder outside it");
    }
  }
  // Nothing above the output can be seen: there is nothing to compare, and
  // the writes tell their own failures.
  if (!anchor.folder) return Status::OK();
  std::string probe = *anchor.folder;
  const std::map<FolderId, std::string> walked = WalkedFolders(env, paths);
  FolderId id;
  if (!env.GetFolderId(probe, &id)) return Status::OK();
  // A bound on the levels, in case ".." never settles on one folder.
  for (int level = 0; level < 1024; ++level) {
    if (const auto it = walked.find(id); it != walked.end()) {
      return Status::InvalidArgument(output, "the output folder is, or lies inside, " + it->second +
                                                 ", a folder given; choose one outside it");
    }
    probe = JoinPath(probe, "..", separator);
    FolderId up;
    if (!env.GetFolderId(probe, &up) || up == id) break;
    id = up;
  }
  return Status::OK();
}

}  // namespace

std::string OutputPath(std::string_view given, std::string_view page, bool walked,
                       std::string_view output, char separator) {
  std::string_view relative = page;
  if (walked && page.starts_with(given)) {
    relative.remove_prefix(given.size());
  } else {
    const std::size_t last = relative.find_last_of(separator == '\\' ? "\\/:" : "/");
    if (last != std::string_view::npos) relative.remove_prefix(last + 1);
  }
  while (!relative.empty() && IsPathSeparator(relative.front(), separator))
    relative.remove_prefix(1);
  return JoinPath(output, relative, separator);
}

std::string ParentFolder(std::string_view path, char separator) {
  while (path.size() > 1 && IsPathSeparator(path.back(), separator)) path.remove_suffix(1);
  std::size_t last = path.size();
  while (last > 0 && !IsPathSeparator(path[last - 1], separator)) --last;
  if (last == 0) return {};
  // "/" and "C:\" keep their separator.
  if (last == 1 || (last >= 2 && path[last - 2] == ':')) return std::string(path.substr(0, last));
  return std::string(path.substr(0, last - 1));
}

Status CheckOutputFolder(Env& env, const std::vector<std::string>& paths,
                         const std::string& output) {
  if (Status place = CheckPlace(env, paths, output); !place.ok()) return place;
  const char separator = env.PathSeparator();
  std::map<std::string, std::string> sources;  // place -> the page read from there
  std::map<std::pair<std::uint64_t, std::uint64_t>, std::string> files;  // device, inode
  std::vector<std::pair<std::string, std::string>> targets;              // place, page
  for (const std::string& path : paths) {
    std::vector<std::string> pages;
    bool walked = false;
    // A path that cannot be walked is told by the run itself.
    if (!PagesOf(env, path, pages, walked).ok()) continue;
    for (const std::string& page : pages) {
      sources.emplace(PlaceKey(page, separator), page);
      FileStamp stamp;
      if (env.GetFileStamp(page, &stamp) && stamp.known) {
        files.emplace(std::pair{stamp.device, stamp.inode}, page);
      }
      targets.emplace_back(OutputPath(path, page, walked, output, separator), page);
    }
  }
  std::map<std::string, std::string> written;  // place -> the page that goes there
  for (const auto& [target, page] : targets) {
    const auto [it, fresh] = written.emplace(PlaceKey(target, separator), page);
    if (!fresh) {
      return Status::InvalidArgument(
          target, "both " + it->second + " and " + page + " would be written here");
    }
    std::string source;
    FileStamp stamp;
    if (const auto same = sources.find(it->first); same != sources.end()) {
      source = same->second;
    } else if (env.GetFileStamp(target, &stamp) && stamp.known) {
      const auto same_file = files.find({stamp.device, stamp.inode});
      if (same_file != files.end()) source = same_file->second;
    }
    if (!source.empty()) {
      return Status::InvalidArgument(target, "the page " + page + " would be written over " +
                                                 source + ", which this run reads");
    }
  }
  return Status::OK();
}

}  // namespace quarnel
