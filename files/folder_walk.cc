#include "files/folder_walk.h"

#include <utility>

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

// The failure of the expansion of `folder` when its folder `index` of the
// folder list, `listed`, cannot be listed for `failure`'s reason.
Status CannotList(const std::string& folder, std::int32_t index, const std::string& listed,
                  const Status& failure) {
  return Status::IOError(folder, index == 0 ? "the folder cannot be listed: " + failure.reason() +
                                                  "; nothing in it was processed"
                                            : "the folder " + listed +
                                                  " cannot be listed: " + failure.reason() +
                                                  "; nothing under this path was processed");
}

}  // namespace

std::string CutAtNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

Status FileMain::ExpandFolder(const std::string& folder, const std::vector<std::string>& patterns,
                              std::vector<std::string>& paths) {
  page_folders_.clear();
  const std::int32_t last = ListFolders(folder);
  if (last == -1) {
    // Not a folder, nothing to expand; but attributes that cannot be read
    // at all, for a path the caller saw as a folder, are a failure to tell.
    if (folder_attributes_ != kInvalidAttributes) return Status::OK();
    return Status::IOError(folder, "the folder can no longer be read; nothing in it was processed");
  }
  for (std::int32_t j = 0; j <= last; ++j) {
    const std::string prefix = AddBackslash(folder_list_[j], env_.PathSeparator());
    const FolderListing& listing = listings_[j];
    if (!listing.failure.ok()) return CannotList(folder, j, folder_list_[j], listing.failure);
    for (const std::string& pattern : patterns) CollectListed(listing, prefix, pattern, paths);
  }
  return Status::OK();
}

void FileMain::CollectListed(const FolderListing& listing, const std::string& prefix,
                             const std::string& pattern, std::vector<std::string>& paths) {
  for (const ListedFile& file : listing.files) {
    const bool matches = MatchesWildcard(pattern, file.name) ||
                         (!file.short_name.empty() && MatchesWildcard(pattern, file.short_name));
    if (!matches || !LastCharacterMatches(file.name, pattern)) continue;
    paths.push_back(prefix + file.name);
    page_folders_.push_back(listing.folder);
  }
}

std::int32_t FileMain::ListFolders(const std::string& folder) {
  folder_list_.clear();
  listings_.clear();
  walked_.clear();
  temp_files_.clear();
  const std::uint32_t attributes = env_.GetFileAttributes(folder);
  folder_attributes_ = attributes;
  if (attributes == kInvalidAttributes || (attributes & kAttrDirectory) == 0) return -1;
  OpenedFolder opened = OpenFolder(folder, nullptr);
  if (opened.id) walked_.insert(*opened.id);
  folder_list_.push_back(folder);
  listings_.emplace_back();
  WalkFolder(folder, std::move(opened));
  return FolderCount() - 1;
}

FileMain::OpenedFolder FileMain::OpenFolder(const std::string& folder, const FolderSearch* parent) {
  OpenedFolder opened;
  // Only kinds matter here, not whether a file is read-only.
  opened.status =
      env_.StartSearch(AddBackslash(folder, env_.PathSeparator()) + std::string(kEveryEntry),
                       SearchDetail::kKinds, &opened.search, parent);
  if (FolderId id; env_.GetFolderId(folder, &id)) {
    opened.id = id;
  } else if (opened.status.ok()) {
    opened.id = opened.search->Folder();
  }
  return opened;
}

void FileMain::WalkFolder(const std::string& folder, OpenedFolder opened) {
  const std::string dir = AddBackslash(folder, env_.PathSeparator());
  const std::size_t index = listings_.size() - 1;
  FolderListing listing;
  if (!opened.status.ok()) {
    // A folder the walk cannot read may hold sub-folders it would miss:
    // the path fails with the reason, rather than lose them unsaid.
    listing.failure = opened.status;
    listings_[index] = std::move(listing);
    return;
  }
  FolderSearch& search = *opened.search;
  listing.folder = search.Folder();
  std::vector<std::string> subFolders;
  for (FindRecord record; search.Next(&record); record = FindRecord()) {
    if (observer_ != nullptr) observer_->EntryListed();
    const std::uint32_t attributes = record.dwFileAttributes;
    std::string name = RecordName(record);
    if ((attributes & kAttrDirectory) != 0) {
      if ((attributes & kAttrReparsePoint) == 0 && !IsDotEntry(name)) {
        subFolders.push_back(std::move(name));
      }
    } else if ((attributes & (kAttrSystem | kAttrReparsePoint)) == 0 && IsTempFileName(name)) {
      temp_files_.push_back({dir + name, listing.folder});
    } else if ((attributes & kNotListed) == 0 && IsHtmlName(name)) {
      // Only names the file job takes can matter to the patterns.
      listing.files.push_back({std::move(name), CutAtNul({record.cAlternateFileName.data(),
                                                          record.cAlternateFileName.size()})});
    }
  }
  listing.failure = search.status();
  listings_[index] = std::move(listing);

  // The sub-folders are walked once this folder's search has ended: the
  // same depth-first order. Each is opened from this folder's search, which
  // stays open for that.
  for (const std::string& name : subFolders) {
    const std::string sub = dir + name;
    OpenedFolder subOpened = OpenFolder(sub, &search);
    // Checked here rather than when listed, so that the first path in the
    // walk's order is the one that counts.
    if (subOpened.id && !walked_.insert(*subOpened.id).second) continue;
    folder_list_.push_back(sub);
    listings_.emplace_back();
    WalkFolder(sub, std::move(subOpened));
  }
}

}  // namespace quarnel
