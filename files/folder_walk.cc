#include "files/folder_walk.h"

#include "files/html_name.h"
#include "platform/ascii_case.h"
#include "platform/path.h"
#include "platform/temp_name.h"
#include "platform/wildcard.h"

namespace quarnel {
namespace {

constexpr std::string_view kEveryEntry = "*.*";

// What the listing passes over.
constexpr std::uint32_t kNotListed = kAttrDirectory | kAttrHidden | kAttrSystem;

bool IsDotEntry(std::string_view name) { return name == "." || name == ".."; }

// A drive root such as "C:\" has no "." and "..", so an empty one gives a
// search that finds nothing, which is no failure to read it.
bool IsDriveRoot(std::string_view path, char separator) {
  if (!path.empty() && path.back() == separator) path.remove_suffix(1);
  return path.size() == 2 && path[1] == ':';
}

// A listing may return names that match only through a short alias
// ("*.htm" lists "a.html"); such a name is passed over and the listing goes
// on, so a name listed before another never hides it, and "INDEX.HTM" is
// taken like "index.htm".
bool LastCharacterMatches(std::string_view name, std::string_view pattern) {
  return !name.empty() && !pattern.empty() && FoldAscii(name.back()) == FoldAscii(pattern.back());
}

std::string RecordName(const FindRecord& record) {
  return CutAtNul({record.cFileName.data(), record.cFileName.size()});
}

}  // namespace

std::string CutAtNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

FileMain::~FileMain() { EndListing(); }

Status FileMain::ExpandFolder(const std::string& folder, const std::vector<std::string>& patterns,
                              std::vector<std::string>& paths) {
  const std::int32_t last = ListFolders(folder);
  if (last == -1) {
    // Not a folder, nothing to expand; but attributes that cannot be read
    // at all, for a path the caller saw as a folder, are a failure to tell.
    if (folder_attributes_ != kInvalidAttributes) return Status::OK();
    return Status::IOError(folder, "the folder can no longer be read; nothing in it was processed");
  }
  for (std::int32_t j = 0; j <= last; ++j) {
    const std::string prefix = AddBackslash(folder_list_[j], env_.PathSeparator());
    for (const std::string& pattern : patterns) {
      if (listings_[j].read) {
        CollectListed(listings_[j], prefix, pattern, paths);
      } else if (!CollectSearched(prefix, pattern, paths)) {
        return Status::IOError(
            folder, j == 0 ? "the folder cannot be listed; nothing in it was processed"
                           : "the folder " + folder_list_[j] +
                                 " cannot be listed; nothing under this path was processed");
      }
    }
  }
  return Status::OK();
}

void FileMain::CollectListed(const FolderListing& listing, const std::string& prefix,
                             const std::string& pattern, std::vector<std::string>& paths) const {
  for (const ListedFile& file : listing.files) {
    const bool matches = MatchesWildcard(pattern, file.name) ||
                         (!file.short_name.empty() && MatchesWildcard(pattern, file.short_name));
    if (matches && LastCharacterMatches(file.name, pattern)) paths.push_back(prefix + file.name);
  }
}

// False when the search cannot start: the folder cannot be listed.
bool FileMain::CollectSearched(const std::string& prefix, const std::string& pattern,
                               std::vector<std::string>& paths) {
  std::string name = ListNames(prefix + pattern);
  if (!listing_started_) return false;
  while (!name.empty()) {
    if (LastCharacterMatches(name, pattern)) paths.push_back(prefix + name);
    name = ListNames();
  }
  return true;
}

std::int32_t FileMain::ListFolders(const std::string& folder) {
  folder_list_.clear();
  listings_.clear();
  walked_.clear();
  temp_files_.clear();
  const std::uint32_t attributes = env_.GetFileAttributes(folder);
  folder_attributes_ = attributes;
  if (attributes == kInvalidAttributes || (attributes & kAttrDirectory) == 0) return -1;
  folder_list_.push_back(folder);
  listings_.emplace_back();
  if (FolderId id; env_.GetFolderId(folder, &id)) walked_.insert(id);
  WalkFolder(folder);
  return FolderCount() - 1;
}

void FileMain::WalkFolder(const std::string& folder) {
  const std::string dir = AddBackslash(folder, env_.PathSeparator());
  FolderListing listing;
  // The sub-folders are gathered first and walked once the search has
  // ended: the same depth-first order, with one search open at a time
  // however deep the tree.
  std::vector<std::string> subFolders;
  FindRecord record;
  // Only kinds matter here, not whether a file is read-only.
  const FindHandle handle = env_.FindFirstFileQuick(dir + std::string(kEveryEntry), &record);
  if (handle == kInvalidFindHandle) {
    listing.read = IsDriveRoot(folder, env_.PathSeparator());
  } else {
    listing.read = true;
    do {
      const std::uint32_t attributes = record.dwFileAttributes;
      std::string name = RecordName(record);
      if ((attributes & kAttrDirectory) != 0) {
        if ((attributes & kAttrReparsePoint) == 0 && !IsDotEntry(name)) {
          subFolders.push_back(dir + name);
        }
      } else if ((attributes & (kAttrSystem | kAttrReparsePoint)) == 0 && IsTempFileName(name)) {
        temp_files_.push_back(dir + name);
      } else if ((attributes & kNotListed) == 0 && IsHtmlName(name)) {
        // Only names the file job takes can matter to the patterns.
        listing.files.push_back({std::move(name), CutAtNul({record.cAlternateFileName.data(),
                                                            record.cAlternateFileName.size()})});
      }
      record = FindRecord();
    } while (env_.FindNextFile(handle, &record));
    env_.FindClose(handle);
  }
  listings_.back() = std::move(listing);

  for (const std::string& sub : subFolders) {
    // Checked here rather than when listed, so that the first path in the
    // walk's order is the one that counts.
    if (FolderId id; env_.GetFolderId(sub, &id) && !walked_.insert(id).second) continue;
    folder_list_.push_back(sub);
    listings_.emplace_back();
    WalkFolder(sub);
  }
}

std::string FileMain::ListNames(const std::string& pattern) {
  EndListing();
  record_ = FindRecord();
  listing_ = env_.FindFirstFile(pattern, &record_);
  listing_started_ = listing_ != kInvalidFindHandle;
  return NextListedName(/*first=*/true);
}

std::string FileMain::ListNames() { return NextListedName(/*first=*/false); }

std::string FileMain::NextListedName(bool first) {
  if (listing_ == kInvalidFindHandle) return std::string();
  for (bool have = first;; have = false) {
    if (!have) {
      record_ = FindRecord();
      if (!env_.FindNextFile(listing_, &record_)) break;
    }
    if ((record_.dwFileAttributes & kNotListed) != 0) continue;
    std::string name = RecordName(record_);
    if (!name.empty()) return name;
  }
  EndListing();
  return std::string();
}

void FileMain::EndListing() {
  if (listing_ != kInvalidFindHandle) env_.FindClose(listing_);
  listing_ = kInvalidFindHandle;
}

}  // namespace quarnel
