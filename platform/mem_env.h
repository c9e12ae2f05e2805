#ifndef QUARNEL_PLATFORM_MEM_ENV_H_
#define QUARNEL_PLATFORM_MEM_ENV_H_

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/env.h"

namespace quarnel {

// A Windows-like file system in memory, for tests. It models what a Linux
// machine cannot produce: any attribute value (17, 48, hidden, system,
// reparse points), short 8.3 aliases, names of exactly 260 characters.
//
// Paths are Windows paths: the separator is "\" ("/" is taken as well),
// names compare without regard to ASCII letter case, and the first component
// is a root such as "C:". Every folder but a root lists "." and ".." first,
// then its entries in the order they were added. A search matches a name
// through its long name or its short alias, so "*.htm" also finds
// "a.html" when its alias is "A~1.HTM".
//
// Tests build the tree with the setters, can make single operations fail,
// and can see which files were read and written. Every call may come from
// any thread.
class MemEnv final : public Env {
 public:
  MemEnv();
  ~MemEnv() override;

  // Env.
  char PathSeparator() const override { return '\\'; }
  std::uint32_t GetFileAttributes(const std::string& path) override;
  // Every folder has one path, so no folder needs telling apart.
  bool GetFolderId(const std::string&, FolderId*) override { return false; }
  // The folder's entries as they stand when the search starts.
  Status StartSearch(const std::string& pattern, SearchDetail detail,
                     std::unique_ptr<FolderSearch>* search,
                     const FolderSearch* parent = nullptr) override;
  Status ReadFile(const std::string& path, std::string* contents,
                  FileStamp* stamp = nullptr) override;
  // A stamp changes with every AddFile and ReplaceFile of the file.
  bool GetFileStamp(const std::string& path, FileStamp* stamp) override;
  // Leaves the file's attributes as they were; a new file gets 0x20.
  Status ReplaceFile(const std::string& path, std::string_view contents,
                     const ReplaceGuard& guard = {}) override;
  Status CreateFolders(const std::string& path) override;
  bool CanCreateFilesIn(const std::string& folder) override;
  std::string ProgramFolder() override { return program_folder_; }
  std::string UserConfigFolder() override { return user_config_folder_; }

  // Building the tree. Missing parent folders are added as plain folders
  // (16). Adding an entry that is already there changes it in place and
  // keeps its position. A name may have up to 260 characters and a short
  // alias up to 12; anything else (or a file where a folder is needed)
  // throws std::invalid_argument, as that is a fault in the test itself.
  void AddFolder(std::string_view path, std::uint32_t attributes = kAttrDirectory);
  void AddFile(std::string_view path, std::string_view contents,
               std::uint32_t attributes = kAttrArchive, std::string_view short_name = {});
  void SetAttributes(std::string_view path, std::uint32_t attributes);
  // A folder in which no file can be created or replaced.
  void SetWritable(std::string_view folder, bool writable);
  void SetProgramFolder(std::string folder) { program_folder_ = std::move(folder); }
  void SetUserConfigFolder(std::string folder) { user_config_folder_ = std::move(folder); }

  // What a file holds, without counting as a read; nothing when there is no
  // such file.
  std::optional<std::string> Contents(std::string_view path) const;

  // Faults: every later call for the path fails until ClearFaults(). A
  // failing ReplaceFile leaves the file untouched and is not recorded as a
  // write. A failing search (for a folder, whatever the wildcard) starts
  // nothing and says "permission denied", as for a folder that cannot be
  // listed.
  void FailReadFile(std::string_view path, Status status);
  void FailReplaceFile(std::string_view path, Status status);
  void FailSearch(std::string_view folder);
  void ClearFaults();

  // The paths of successful reads and writes, as the caller passed them.
  const std::vector<std::string>& files_read() const { return files_read_; }
  const std::vector<std::string>& files_written() const { return files_written_; }
  // Searches started and not yet closed.
  std::size_t open_searches() const { return open_searches_; }

 private:
  struct Node;
  class MemSearch;

  Node* Find(std::string_view path) const;
  Node* Parent(std::string_view path) const;
  Node* Add(std::string_view path, bool folder);

  mutable std::mutex mutex_;
  std::unique_ptr<Node> top_;  // holds the roots
  std::uint64_t versions_ = 0;
  std::atomic<std::size_t> open_searches_ = 0;
  std::map<std::string, Status> read_faults_;
  std::map<std::string, Status> replace_faults_;
  std::vector<std::string> find_faults_;
  std::vector<std::string> files_read_;
  std::vector<std::string> files_written_;
  std::string program_folder_ = "C:\\Program Files\\Quarnel";
  std::string user_config_folder_ = "C:\\Users\\User\\AppData\\Roaming\\Quarnel";
};

std::unique_ptr<MemEnv> NewMemEnv();

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_MEM_ENV_H_
