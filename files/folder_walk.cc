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
  return StreamFolder(
      folder, patterns,
      [&paths](const std::string& path, const std::optional<FolderId>&) { paths.push_back(path); });
}

Status FileMain::SurveyFolder(const std::string& folder, const std::vector<std::string>& patterns,
                              std::size_t keep, std::int64_t& pages) {
  kept_.emplace();
  const PageSink count = [&](const std::string& path, const std::optional<FolderId>& id) {
    ++pages;
    if (!kept_) return;
    if (kept_->size() < keep) {
      kept_->push_back({path, id});
    } else {
      kept_.reset();
    }
  };
  return Walk(
      folder,
      [&](const std::string& prefix, const FolderListing& listing) {
        ForEachMatch(listing, prefix, patterns, count);
      },
      /*tell_entries=*/true);
}

Status FileMain::StreamFolder(const std::string& folder, const std::vector<std::string>& patterns,
                              const PageSink& sink) {
  return Walk(
      folder,
      [&](const std::string& prefix, const FolderListing& listing) {
        ForEachMatch(listing, prefix, patterns, sink);
      },
      /*tell_entries=*/false);
}

Status FileMain::Walk(const std::string& folder, const ListingVisitor& visit, bool tell_entries) {
  tell_entries_ = tell_entries;
  failure_ = Status::OK();
  if (ListFolders(folder, visit) == -1 && folder_attributes_ == kInvalidAttributes) {
    // Not a folder, nothing to expand; but attributes that cannot be read
    // at all, for a path the caller saw as a folder, are a failure to tell.
    return Status::IOError(folder, "the folder can no longer be read; nothing in it was processed");
  }
  return failure_;
}

void FileMain::ForEachMatch(const FolderListing& listing, const std::string& prefix,
                            const std::vector<std::string>& patterns, const PageSink& found) {
  for (const std::string& pattern : patterns) {
    for (const ListedFile& file : listing.files) {
      const bool matches = MatchesWildcard(pattern, file.name) ||
                           (!file.short_name.empty() && MatchesWildcard(pattern, file.short_name));
      if (matches && LastCharacterMatches(file.name, pattern))
        found(prefix + file.name, listing.folder);
    }
  }
}

std::int32_t FileMain::ListFolders(const std::string& folder, const ListingVisitor& visit) {
  folder_list_.clear();
  walked_.clear();
  temp_files_.clear();
  const std::uint32_t attributes = env_.GetFileAttributes(folder);
  folder_attributes_ = attributes;
  if (attributes == kInvalidAttributes || (attributes & kAttrDirectory) == 0) return -1;
  OpenedFolder opened = OpenFolder(folder, nullptr);
  if (opened.id) walked_.insert(*opened.id);
  folder_list_.push_back(folder);
  WalkFolder(folder, std::move(opened), visit);
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

void FileMain::WalkFolder(const std::string& folder, OpenedFolder opened,
                          const ListingVisitor& visit) {
  const std::string dir = AddBackslash(folder, env_.PathSeparator());
  const std::int32_t index = FolderCount() - 1;
  FolderListing listing;
  listing.failure = opened.status;
  std::vector<std::string> subFolders;
  if (opened.status.ok()) {
    listing.folder = opened.search->Folder();
    subFolders = ListEntries(*opened.search, dir, listing);
    listing.failure = opened.search->status();
  }
  // A folder the walk cannot read may hold sub-folders it would miss: the
  // path fails with the reason, rather than lose them unsaid. The walk goes
  // on, so that every leftover temporary file is still seen.
  if (failure_.ok() && !listing.failure.ok()) {
    failure_ = CannotList(folder_list_.front(), index, folder, listing.failure);
  }
  if (failure_.ok()) visit(dir, listing);
  if (!opened.status.ok()) return;

  // The sub-folders are walked once this folder's search has ended: the
  // same depth-first order. Each is opened from this folder's search, which
  // stays open for that.
  for (const std::string& name : subFolders) {
    const std::string sub = dir + name;
    OpenedFolder subOpened = OpenFolder(sub, opened.search.get());
    // Checked here rather than when listed, so that the first path in the
    // walk's order is the one that counts.
    if (subOpened.id && !walked_.insert(*subOpened.id).second) continue;
    folder_list_.push_back(sub);
    WalkFolder(sub, std::move(subOpened), visit);
  }
}

std::vector<std::string> FileMain::ListEntries(FolderSearch& search, const std::string& dir,
                                               FolderListing& listing) {
  std::vector<std::string> subFolders;
  for (FindRecord record; search.Next(&record); record = FindRecord()) {
    if (tell_entries_ && observer_ != nullptr) observer_->EntryListed();
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
  return subFolders;
}

}  // namespace quarnel
