#ifndef QUARNEL_FILES_FOLDER_WALK_H_
#define QUARNEL_FILES_FOLDER_WALK_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "files/run_observer.h"
#include "platform/env.h"
#include "platform/status.h"

namespace quarnel {

// The text before the first NUL character, or the whole text (a name that
// fills all 260 characters of a find record has no NUL).
std::string CutAtNul(std::string_view text);

// Module fileMain: expands a folder into the HTML files that it and all its
// sub-folders hold, over the Env's attribute and search operations. The
// folder list is module state that every expansion resets, so one FileMain
// serves one expansion at a time. The observer, when set, hears of every
// entry the walk lists, so that a long walk is seen to advance.
class FileMain {
 public:
  explicit FileMain(Env& env, RunObserver* observer = nullptr) : env_(env), observer_(observer) {}
  FileMain(const FileMain&) = delete;
  FileMain& operator=(const FileMain&) = delete;

  // Appends to `paths` every plain file of `folder` and its sub-folders that
  // a pattern matches (by the platform's wildcard rules, through its long
  // name or its short alias) and whose last character is the pattern's,
  // letter case ignored: folder by folder in FolderList order, and within a
  // folder pattern by pattern, each in listing order. Leaves `paths` alone
  // when `folder` is not a folder. A folder whose attributes cannot be read,
  // or that cannot be listed, makes the whole expansion fail: the error
  // names `folder`, the folder and the system's reason, and `paths` may
  // then hold part of the files.
  Status ExpandFolder(const std::string& folder, const std::vector<std::string>& patterns,
                      std::vector<std::string>& paths);

  // A page the walk found, and the folder it was listed in where the
  // platform can tell. A file job hands the folder on (ReplaceGuard::folder),
  // so that a folder that a link has taken the place of since the walk leads
  // the job nowhere else.
  using PageSink =
      std::function<void(const std::string& path, const std::optional<FolderId>& folder)>;

  // Walks as ExpandFolder does: fills FolderList and TempFiles, tells the
  // observer of every entry, counts in `pages` the files ExpandFolder would
  // give and keeps them (KeptPages) when they are no more than `keep`. Fails
  // as ExpandFolder does. A run surveys a folder first, so that a folder it
  // cannot read stops the path before any page of it has changed.
  Status SurveyFolder(const std::string& folder, const std::vector<std::string>& patterns,
                      std::size_t keep, std::int64_t& pages);

  // A page the survey found, as a PageSink is given it.
  struct FoundPage {
    std::string path;
    std::optional<FolderId> folder;
  };
  // The pages of the last survey, in ExpandFolder's order, when it found no
  // more than it was to keep; nothing otherwise (StreamFolder then walks
  // again for them).
  const std::optional<std::vector<FoundPage>>& KeptPages() const { return kept_; }

  // The pages ExpandFolder would give, in the same order, handed to `sink`
  // folder by folder as each is listed: a tree of any size is walked in the
  // memory of its largest folder. Stops handing on pages at the first folder
  // that cannot be listed, and returns ExpandFolder's failure.
  Status StreamFolder(const std::string& folder, const std::vector<std::string>& patterns,
                      const PageSink& sink);

  // Entry 0 is the folder as handed to ListFolders; every further entry is a
  // parent with separator plus a sub-folder name.
  const std::vector<std::string>& FolderList() const { return folder_list_; }

  // A temporary file of a file replacement (".<page>.quarnel-XXXXXX.tmp")
  // that the last expansion's walk saw, with its folder, and the folder it
  // was listed in where the platform can tell.
  struct TempFile {
    std::string path;
    std::optional<FolderId> folder;
  };
  const std::vector<TempFile>& TempFiles() const { return temp_files_; }

 private:
  // A folder's search of every entry, as the walk started it.
  struct OpenedFolder {
    Status status;
    std::unique_ptr<FolderSearch> search;  // when status is ok
    std::optional<FolderId> id;            // for telling folders apart
  };

  // A plain file the walk saw whose name the file job takes.
  struct ListedFile {
    std::string name;
    std::string short_name;  // empty when the file system keeps none
  };
  // What the walk's search of one folder saw. Its entries serve the
  // folder's pattern listings too, so that a folder is searched once rather
  // than four times.
  struct FolderListing {
    std::vector<ListedFile> files;
    std::optional<FolderId> folder;  // the folder read
    Status failure;                  // it could not be read, or not to the end
  };
  // What a walk does with each folder it could list, as soon as it has: the
  // folder with its separator, and what its search saw.
  using ListingVisitor =
      std::function<void(const std::string& prefix, const FolderListing& listing)>;

  // Walks `folder` and every sub-folder, visiting each folder listed while
  // none has failed so far. Returns the first failure, in FolderList order.
  Status Walk(const std::string& folder, const ListingVisitor& visit, bool tell_entries);

  // Resets the folder list and walks `folder`. Returns the index of the last
  // FolderList entry (FolderCount - 1), or -1 when `folder` lacks the
  // directory flag.
  std::int32_t ListFolders(const std::string& folder, const ListingVisitor& visit);

  // Starts the search of every entry of `folder`, from `parent`'s open
  // folder when there is one.
  OpenedFolder OpenFolder(const std::string& folder, const FolderSearch* parent);

  // Lists the last FolderList entry, `folder`, through `opened` and visits
  // it, then appends every sub-folder to FolderList, depth first, each
  // followed at once by its own sub-folders. A sub-folder is opened from its
  // parent's open folder, so a link that takes its place is never entered.
  // Links, junctions and other reparse points are not entered, and a folder
  // already walked under another path (a bind mount of a folder above it,
  // say) is passed over, so the walk always ends and meets every file once.
  void WalkFolder(const std::string& folder, OpenedFolder opened, const ListingVisitor& visit);

  // Reads `search` to its end: records in `listing` the files the patterns
  // may take and in TempFiles the leftover temporary files of `dir`, and
  // returns the names of its sub-folders.
  std::vector<std::string> ListEntries(FolderSearch& search, const std::string& dir,
                                       FolderListing& listing);

  std::int32_t FolderCount() const { return static_cast<std::int32_t>(folder_list_.size()); }

  // Calls `found` for every file of `listing` that a pattern takes, pattern
  // by pattern.
  static void ForEachMatch(const FolderListing& listing, const std::string& prefix,
                           const std::vector<std::string>& patterns, const PageSink& found);

  Env& env_;
  RunObserver* const observer_;
  std::vector<std::string> folder_list_;
  std::set<FolderId> walked_;  // the folders of this expansion
  std::vector<TempFile> temp_files_;
  std::optional<std::vector<FoundPage>> kept_;  // see KeptPages
  std::uint32_t folder_attributes_ = 0;         // of the folder ListFolders was given
  Status failure_;                              // the walk's first folder not listed
  bool tell_entries_ = false;                   // the observer hears of this walk's entries
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_FOLDER_WALK_H_
