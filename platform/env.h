#ifndef QUARNEL_PLATFORM_ENV_H_
#define QUARNEL_PLATFORM_ENV_H_

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace quarnel {

// File attribute flags, as the Windows file system reports them. The POSIX
// backend maps onto them: directory 0x10; a regular file 0x20 (archive),
// plus read-only 0x01 when the owner write bit is clear (folders never are:
// their write bit is about adding entries); hidden 0x02 when the name starts
// with "." (not "." and ".." themselves); a symbolic link carries
// kAttrReparsePoint, plus 0x10 when it leads to a folder, so it never counts
// as a plain folder; other non-regular files count as system files 0x04.
// A plain folder is exactly 16.
inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrNormal = 0x80;
inline constexpr std::uint32_t kAttrReparsePoint = 0x400;
// What GetFileAttributes answers for a path that does not exist or cannot be
// queried.
inline constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;

inline constexpr std::size_t kMaxPath = 260;

// The bytes a name may take in a find record. On Windows a name has up to
// 260 UTF-16 characters, and each takes up to three bytes in UTF-8.
#ifdef _WIN32
inline constexpr std::size_t kMaxNameBytes = 3 * kMaxPath;
#else
inline constexpr std::size_t kMaxNameBytes = kMaxPath;
#endif

// The find record (WIN32_FIND_DATA): only the attributes and the name are
// read. The name is NUL-padded and may fill all of its bytes without a NUL.
struct FindRecord {
  std::uint32_t dwFileAttributes = 0;
  std::array<char, kMaxNameBytes> cFileName{};
  std::array<char, 14> cAlternateFileName{};  // carried, never read
};

// Identifies a folder on its device: every path that leads to the same
// folder (through a bind mount, say) gives the same id.
struct FolderId {
  std::uint64_t device = 0;
  std::uint64_t index = 0;
  friend bool operator==(const FolderId&, const FolderId&) = default;
  friend auto operator<=>(const FolderId&, const FolderId&) = default;
};

// What tells one version of a file from another: a file written again, or
// another file renamed over its name, differs in at least one field. `known`
// is false where the platform cannot tell.
struct FileStamp {
  bool known = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modified_ns = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// What ReplaceFile checks just before the new file takes the old one's
// place. With either check failing, the temporary file is removed and the
// old file stays as it is.
struct ReplaceGuard {
  // When set and known: the file must still be this version
  // (Status::Changed otherwise).
  const FileStamp* unchanged = nullptr;
  // When set and true: the replacement is given up (Status::Stopped).
  const std::atomic<bool>* stop = nullptr;
  // When set, where the platform can tell: the path's folder must still be
  // this one, the folder a walk listed (Status::Changed otherwise). A
  // folder that a link has taken the place of leads nowhere else.
  const FolderId* folder = nullptr;
};

// How much a search tells of each entry.
enum class SearchDetail {
  kFull,
  // Only what tells folders, links, hidden and system entries apart: a
  // file's read-only flag may be left out. Where the system lists names
  // without attributes (POSIX) this spares a lookup per entry.
  kKinds,
};

// A search of one folder, entry by entry. It owns what the system keeps
// for the search and lets it go when destroyed.
class FolderSearch {
 public:
  FolderSearch() = default;
  FolderSearch(const FolderSearch&) = delete;
  FolderSearch& operator=(const FolderSearch&) = delete;
  virtual ~FolderSearch() = default;

  // Fills `record` with the next entry and returns true; false at the end,
  // or when the folder could not be read on, which status() then tells.
  virtual bool Next(FindRecord* record) = 0;

  // Ok, or the system's reason why the search stopped early.
  virtual const Status& status() const { return status_; }

  // The folder searched, as it was opened; nothing where the platform
  // cannot tell.
  virtual std::optional<FolderId> Folder() const { return std::nullopt; }

 protected:
  Status status_;
};

// Everything Quarnel asks of the operating system. Paths are UTF-8 byte
// strings (on POSIX as the system keeps them; the Windows Env speaks UTF-16
// to the system). The searches of one Env are used from one thread at a
// time; the other calls may come from several threads at once (the file
// jobs of a run).
class Env {
 public:
  Env() = default;
  Env(const Env&) = delete;
  Env& operator=(const Env&) = delete;
  virtual ~Env() = default;

  // The Env of the machine: POSIX or Win32. Lives for the whole process.
  static Env* Default();

  // "\" on Windows, "/" elsewhere.
  virtual char PathSeparator() const = 0;

  // The path's attribute flags, without following a final symbolic link;
  // kInvalidAttributes when it does not exist or cannot be queried.
  virtual std::uint32_t GetFileAttributes(const std::string& path) = 0;

  // Starts a search for `pattern`: a folder, the separator and a wildcard
  // ("*" any run, "?" one character, letter case ignored; "*.*" matches every
  // name), and sets `search`. Entries come in the file system's order,
  // hidden and system ones and "." and ".." included; a pattern that
  // matches nothing gives a search that ends at once. A folder that cannot
  // be listed gives the system's reason, naming the folder.
  //
  // With `parent`, a search of the folder that holds the pattern's folder,
  // that folder is opened from the parent's open folder and never through a
  // link, where the platform can: a folder that a link has taken the place
  // of since the parent listed it is not searched.
  virtual Status StartSearch(const std::string& pattern, SearchDetail detail,
                             std::unique_ptr<FolderSearch>* search,
                             const FolderSearch* parent = nullptr) = 0;

  // Fills `id` for the folder at `path` (a final symbolic link followed) and
  // returns true; false when it is no folder or the platform cannot tell.
  // The walk uses it to enter every folder once, however many paths lead to
  // it; where a folder can be reached twice only through reparse points
  // (Windows: junctions and mounted volumes), which the walk never enters,
  // answering false is enough.
  virtual bool GetFolderId(const std::string& path, FolderId* id) = 0;

  // Reads the whole file. Only regular files are read: a fifo or a device
  // is refused rather than waited on. With `stamp`, fills it for the version
  // read (left unknown where the platform cannot tell).
  virtual Status ReadFile(const std::string& path, std::string* contents,
                          FileStamp* stamp = nullptr) = 0;

  // Fills `stamp` for the file the path leads to (a final symbolic link
  // followed) and returns true; false when it cannot be told.
  virtual bool GetFileStamp(const std::string& /*path*/, FileStamp* /*stamp*/) { return false; }

  // Replaces the file's content whole: the new bytes go to a temporary file
  // in the same folder, which then takes the file's place by rename. The
  // permission bits stay; a symbolic link is followed and its target
  // replaced, but only when the link is owned by the user running the
  // program or by the target's owner (Status::ForeignLink otherwise;
  // ReadFile follows links by the same rule). Refuses a read-only file (Status::ReadOnly), a file
  // this user may not write, and anything but a regular file. On failure the original is untouched
  // and no temporary file remains. Creates the file when it does not exist. `guard` is checked
  // last, just before the rename.
  virtual Status ReplaceFile(const std::string& path, std::string_view contents,
                             const ReplaceGuard& guard = {}) = 0;

  // Removes the file when it is a temporary file of ReplaceFile that no
  // live process is writing (one left by a run that was killed) and returns
  // true. Never removes a file it cannot prove abandoned; false then, and
  // where the platform cannot tell. With `folder`, only from that folder
  // (the one a walk listed), as for ReplaceGuard::folder.
  virtual bool RemoveIfAbandoned(const std::string& /*path*/,
                                 const FolderId* /*folder*/ = nullptr) {
    return false;
  }

  // Creates the folder and any missing parents; ok when it already exists.
  virtual Status CreateFolders(const std::string& path) = 0;

  // True when a new file can be created in the folder.
  virtual bool CanCreateFilesIn(const std::string& folder) = 0;

  // The folder that holds the running executable, without a trailing
  // separator (except for a root); empty when it cannot be told.
  virtual std::string ProgramFolder() = 0;

  // The per-user configuration folder for Quarnel ($XDG_CONFIG_HOME/quarnel,
  // ~/.config/quarnel, %APPDATA%\Quarnel); empty when it cannot be told.
  virtual std::string UserConfigFolder() = 0;
};

// An Env that keeps a whole file system in memory, for tests. It models what
// a Linux machine cannot produce: any attribute value, hidden and system
// files, short 8.3 aliases through which "*.htm" also matches longer
// extensions, names of exactly 260 characters. See platform/mem_env.h.

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_ENV_H_
