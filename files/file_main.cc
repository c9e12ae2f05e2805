#include "files/file_main.h"

#include <cstring>

#include "engine/text_compare.h"
#include "platform/path.h"

namespace quarnel {
namespace {

constexpr std::string_view kEveryEntry = "*.*";

bool IsDotEntry(std::string_view name) { return name == "." || name == ".."; }

// What ListNames passes over.
constexpr std::uint32_t kNotListed = kAttrDirectory | kAttrHidden | kAttrSystem;

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// The listing's own matching may return names that only match through a
// short alias ("*.htm" lists "a.html"); such a name is passed over, and the
// listing goes on, so that a name listed before another never hides it.
bool LastCharacterMatches(std::string_view name, std::string_view pattern) {
  return !name.empty() && !pattern.empty() &&
         FoldAscii(name.back()) == FoldAscii(pattern.back());
}

}  // namespace

std::string CutAtNul(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

FileMain::~FileMain() { EndListing(); }

Status FileMain::ExpandFolder(const std::string& folder,
                              const std::vector<std::string>& patterns,
                              std::vector<std::string>& paths) {
  const std::int32_t last = ListFolders(folder);
  if (last == -1) return Status::OK();
  const char separator = env_.PathSeparator();
  for (std::int32_t j = 0; j <= last; ++j) {
    const std::string prefix = AddBackslash(FolderList_[j], separator);
    for (const std::string& pattern : patterns) {
      std::string name = ListNames(prefix + pattern);
      if (!listingStarted_ && !listable_[j]) {
        const std::string& sub = FolderList_[j];
        return Status::IOError(
            folder, j == 0 ? "the folder cannot be listed; nothing in it was processed"
                           : "the folder " + sub +
                                 " cannot be listed; nothing under this path was processed");
      }
      while (!name.empty()) {
        if (LastCharacterMatches(name, pattern)) paths.push_back(prefix + name);
        name = ListNames();
      }
    }
  }
  EndListing();
  return Status::OK();
}

std::int32_t FileMain::ListFolders(const std::string& folder) {
  FolderList_.clear();
  listable_.clear();
  const std::uint32_t attributes = env_.GetFileAttributes(folder);
  if (attributes == kInvalidAttributes || (attributes & kAttrDirectory) == 0) return -1;
  FolderList_.push_back(folder);
  listable_.push_back(true);
  WalkFolder(folder);
  return FolderCount() - 1;
}

void FileMain::WalkFolder(const std::string& folder) {
  const std::size_t self = FolderList_.size() - 1;
  const std::string dir = AddBackslash(folder, env_.PathSeparator());

  // The sub-folders are gathered first and walked after the search has
  // ended: the same depth-first order, with one search open at a time
  // however deep the tree.
  std::vector<std::string> subFolders;
  FindRecord record;
  const FindHandle handle = env_.FindFirstFile(dir + std::string(kEveryEntry), &record);
  if (handle == kInvalidFindHandle) {
    listable_[self] = false;
    return;
  }
  do {
    const std::uint32_t attributes = record.dwFileAttributes;
    if ((attributes & kAttrDirectory) != 0 && (attributes & kAttrReparsePoint) == 0) {
      std::string name = CutAtNul({record.cFileName.data(), record.cFileName.size()});
      if (!IsDotEntry(name)) subFolders.push_back(dir + name);
    }
    record = FindRecord();
  } while (env_.FindNextFile(handle, &record));
  env_.FindClose(handle);

  for (const std::string& sub : subFolders) {
    FolderList_.push_back(sub);
    listable_.push_back(true);
    WalkFolder(sub);
  }
}

std::string FileMain::ListNames(const std::string& pattern) {
  EndListing();
  record_ = FindRecord();
  listing_ = env_.FindFirstFile(pattern, &record_);
  listingStarted_ = listing_ != kInvalidFindHandle;
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
    std::string name = CutAtNul({record_.cFileName.data(), record_.cFileName.size()});
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
