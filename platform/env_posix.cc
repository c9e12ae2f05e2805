// The Env of a POSIX system. Windows attribute flags are derived from the
// file mode; searches are directory streams filtered by the Windows wildcard
// rules; a file is replaced through a temporary file and a rename.
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/env.h"
#include "platform/path.h"
#include "platform/temp_name.h"
#include "platform/wildcard.h"

namespace quarnel {
namespace {

constexpr char kSeparator = '/';
constexpr int kMaxLinkHops = 40;
constexpr std::size_t kMaxNameBytes = 255;

// Turns an errno value into a Status for `path`. `context` says what was
// being done when it is not plain from the operation ("cannot write in its
// folder").
Status PosixError(std::string_view path, int error, std::string_view context = {}) {
  auto reason = [context](std::string_view words) {
    return context.empty() ? std::string(words) : std::string(context) + ": " + std::string(words);
  };
  switch (error) {
    case ENOENT:
      return Status::NotFound(path, reason("no such file or folder"));
    case ENOTDIR:
      return Status::NotFound(path, reason("a part of the path is not a folder"));
    case EACCES:
    case EPERM:
      return Status::PermissionDenied(path, reason("permission denied"));
    case EROFS:
      return Status::ReadOnly(path, reason("read-only file system"));
    case ENOSPC:
      return Status::IOError(path, reason("no space left on the device"));
    case EDQUOT:
      return Status::IOError(path, reason("disk quota exceeded"));
    case EFBIG:
      return Status::IOError(path, reason("the file is too large"));
    case EISDIR:
      return Status::IOError(path, reason("is a folder"));
    case ELOOP:
      return Status::IOError(path, reason("too many levels of symbolic links"));
    case ENAMETOOLONG:
      return Status::InvalidArgument(path, reason("the name is too long"));
    case EEXIST:
      return Status::IOError(path, reason("already exists"));
    default: {
      std::string words = std::generic_category().message(error);
      if (!words.empty() && words[0] >= 'A' && words[0] <= 'Z')
        words[0] = static_cast<char>(words[0] - 'A' + 'a');
      return Status::IOError(path, reason(words));
    }
  }
}

// The path up to and including its last separator ("" when it has none).
std::string FolderPrefix(std::string_view path) {
  const std::size_t slash = path.rfind(kSeparator);
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

// The last component of the path, trailing separators ignored.
std::string_view LastComponent(std::string_view path) {
  while (path.size() > 1 && path.back() == kSeparator) path.remove_suffix(1);
  const std::size_t slash = path.rfind(kSeparator);
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsHiddenName(std::string_view name) {
  return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

FileStamp StampOf(const struct stat& st) {
  FileStamp stamp;
  stamp.known = true;
  stamp.device = static_cast<std::uint64_t>(st.st_dev);
  stamp.inode = static_cast<std::uint64_t>(st.st_ino);
  stamp.size = static_cast<std::uint64_t>(st.st_size);
  stamp.modified_ns =
      static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  return stamp;
}

// Windows attribute flags for an entry, from its lstat record.
// `linkToFolder` tells whether a symbolic link leads to a folder.
std::uint32_t Attributes(const struct stat& st, std::string_view name, bool linkToFolder) {
  std::uint32_t attributes = 0;
  if (S_ISDIR(st.st_mode)) {
    // A folder's write bit is about adding entries, not about its files:
    // it never makes the folder read-only.
    attributes = kAttrDirectory;
  } else if (S_ISLNK(st.st_mode)) {
    attributes = kAttrReparsePoint | (linkToFolder ? kAttrDirectory : 0);
  } else {
    if (!S_ISREG(st.st_mode)) attributes |= kAttrSystem;
    if ((st.st_mode & S_IWUSR) == 0) attributes |= kAttrReadOnly;
  }
  if (IsHiddenName(name)) attributes |= kAttrHidden;
  if (S_ISREG(st.st_mode)) attributes |= kAttrArchive;
  return attributes;
}

void FillRecord(std::uint32_t attributes, std::string_view name, FindRecord* record) {
  *record = FindRecord{};
  record->dwFileAttributes = attributes;
  name.copy(record->cFileName.data(), record->cFileName.size());
}

// A file descriptor, closed when it goes out of scope.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  ~UniqueFd() { Reset(); }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  void Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  int fd_ = -1;
};

// Reads the text of the symbolic link `name` in the open folder `folder`;
// 0 or the errno value.
int ReadLinkAt(int folder, const std::string& name, std::string* target) {
  std::vector<char> buffer(256);
  while (true) {
    const ssize_t length = ::readlinkat(folder, name.c_str(), buffer.data(), buffer.size());
    if (length < 0) return errno;
    if (static_cast<std::size_t>(length) < buffer.size()) {
      target->assign(buffer.data(), static_cast<std::size_t>(length));
      return 0;
    }
    buffer.resize(buffer.size() * 2);
  }
}

// The id of an open folder; none when it cannot be told.
std::optional<FolderId> IdOf(int folder) {
  struct stat st;
  if (::fstat(folder, &st) != 0) return std::nullopt;
  return FolderId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

// Opens a folder for the *at calls only: no read permission is needed.
int OpenFolderAt(int from, const std::string& folder) {
  return ::openat(from, folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

// Where a path leads: an open folder and a name in it, which is no
// symbolic link. Everything done to the file is done from that folder, so
// a folder that is swapped for a link meanwhile cannot lead elsewhere.
struct Place {
  UniqueFd folder;
  std::string name;
  bool exists = false;
  struct stat st {};  // when it exists
};

// Opens the folder of `path`, as given, and follows a final symbolic link
// hop by hop. A link is followed only when it is owned by the user running
// the program or by the owner of the file it finally leads to (the rule of
// the kernel's protected_symlinks): otherwise someone else's link could
// steer a run by root onto any file. With `expected`, the folder must be
// that one. Errors name `path`.
Status FindPlace(std::string_view path, const FolderId* expected, Place* place) {
  // "a/b/" names b in a.
  std::string_view trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == kSeparator) trimmed.remove_suffix(1);
  place->folder = UniqueFd(OpenFolderAt(AT_FDCWD, FolderPrefix(trimmed)));
  if (!place->folder.valid()) return PosixError(path, errno);
  if (expected != nullptr && IdOf(place->folder.get()) != *expected) return Status::Changed(path);
  place->name = std::string(LastComponent(trimmed));
  std::vector<uid_t> linkOwners;
  for (int hop = 0;; ++hop) {
    if (::fstatat(place->folder.get(), place->name.c_str(), &place->st, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno != ENOENT) return PosixError(path, errno);
      place->exists = false;
      break;
    }
    place->exists = true;
    if (!S_ISLNK(place->st.st_mode)) break;
    if (hop == kMaxLinkHops) return PosixError(path, ELOOP);
    linkOwners.push_back(place->st.st_uid);
    std::string link;
    if (const int error = ReadLinkAt(place->folder.get(), place->name, &link); error != 0) {
      return PosixError(path, error);
    }
    // "dir/" leads to dir itself.
    while (link.size() > 1 && link.back() == kSeparator) link.pop_back();
    const std::string folder = FolderPrefix(link);
    if (!folder.empty()) {
      UniqueFd next(OpenFolderAt(place->folder.get(), folder));
      if (!next.valid()) return PosixError(path, errno);
      place->folder = std::move(next);
    }
    place->name = std::string(LastComponent(link));
  }
  const uid_t self = ::geteuid();
  for (const uid_t owner : linkOwners) {
    if (owner != self && !(place->exists && owner == place->st.st_uid)) {
      return Status::ForeignLink(path);
    }
  }
  return Status::OK();
}

Status WriteAll(int fd, std::string_view bytes, std::string_view path) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return PosixError(path, errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return Status::OK();
}

// Copies the extended attributes of the open file `from` (access control
// lists and user attributes among them) to the open file `to`, each as far
// as this user may set it: a rewrite keeps what it can and never fails for
// this.
void CopyExtendedAttributes(int from, int to) {
  std::vector<char> names(256);
  ssize_t length;
  while ((length = ::flistxattr(from, names.data(), names.size())) < 0 && errno == ERANGE) {
    names.resize(names.size() * 4);
  }
  std::vector<char> value(256);
  for (ssize_t at = 0; at < length;) {
    const char* name = names.data() + at;
    at += static_cast<ssize_t>(std::strlen(name)) + 1;
    ssize_t size;
    while ((size = ::fgetxattr(from, name, value.data(), value.size())) < 0 && errno == ERANGE) {
      value.resize(value.size() * 4);
    }
    if (size >= 0) ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(size), 0);
  }
}

// A file created beside the one it will replace, in the same open folder.
// Removed again unless Commit() has put it in place.
class TempFile {
 public:
  // REQUIRES: `folder` stays open as long as this.
  explicit TempFile(int folder) : folder_(folder) {}
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    // Removed while still locked, so no cleaner ever sees it unlocked.
    if (!name_.empty()) ::unlinkat(folder_, name_.c_str(), 0);
    if (fd_ >= 0) ::close(fd_);
  }

  // Creates ".<target>.quarnel-XXXXXX.tmp" in the folder, with a fresh
  // random part and `mode` less the umask, and locks it for as long as it
  // is open: a later run removes such a file only when it can take the
  // lock, so never while this one writes it.
  Status Create(const std::string& target, mode_t mode, std::string_view userPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate =
          TempFileName(target, TempUniquePart(kTempDigitsAnyCase), kMaxNameBytes);
      fd_ = ::openat(folder_, candidate.c_str(),
                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
      if (fd_ >= 0) {
        if (LockedWhileLinked()) {
          name_ = std::move(candidate);
          return Status::OK();
        }
        ::close(fd_);  // a cleaner took it between the open and the lock
        fd_ = -1;
        continue;
      }
      if (errno == EACCES || errno == EPERM || errno == EROFS) {
        return PosixError(userPath, errno, "cannot write in its folder");
      }
      if (errno != EEXIST && errno != EINTR) return PosixError(userPath, errno);
    }
    return PosixError(userPath, EEXIST, "cannot create a temporary file");
  }

  int fd() const { return fd_; }

  // Flushes the new content to the device before it takes the old file's
  // place, so that even a power cut leaves the old or the new content, never
  // an empty file.
  Status Flush(std::string_view userPath) {
    if (::fsync(fd_) != 0 && errno != EINVAL) return PosixError(userPath, errno);
    return Status::OK();
  }

  // Renames the file over `target` in the same folder, once the guard
  // allows it. The file stays open, and so locked, until it has its new
  // name.
  Status Commit(const std::string& target, const ReplaceGuard& guard, std::string_view userPath) {
    if (guard.stop != nullptr && guard.stop->load()) return Status::Stopped(userPath);
    if (guard.unchanged != nullptr && guard.unchanged->known) {
      struct stat st;
      if (::fstatat(folder_, target.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
          StampOf(st) != *guard.unchanged) {
        return Status::Changed(userPath);
      }
    }
    if (::renameat(folder_, name_.c_str(), folder_, target.c_str()) != 0) {
      return PosixError(userPath, errno);
    }
    name_.clear();
    ::close(fd_);  // fsync has told every write error already
    fd_ = -1;
    return Status::OK();
  }

 private:
  // Takes the lock, and makes sure the name still leads to the file: a
  // cleaner removes a file only while it holds the lock itself. A file
  // system without locks is written all the same (cleaners cannot lock
  // there either, so they remove nothing).
  bool LockedWhileLinked() const {
    while (::flock(fd_, LOCK_EX) != 0) {
      if (errno != EINTR) return true;
    }
    struct stat st;
    return ::fstat(fd_, &st) != 0 || st.st_nlink > 0;
  }

  const int folder_;
  int fd_ = -1;
  std::string name_;
};

// A directory stream filtered by a wildcard. Keeps the folder open, so
// that a search of a sub-folder can start from it (see StartSearch).
class PosixSearch final : public FolderSearch {
 public:
  PosixSearch(DIR* dir, std::string folder, std::string wildcard, bool quick, FolderId id)
      : dir_(dir),
        folder_(std::move(folder)),
        wildcard_(std::move(wildcard)),
        quick_(quick),
        id_(id) {}
  ~PosixSearch() override { ::closedir(dir_); }

  // Reads on to the next entry whose name matches; false at the end.
  bool Next(FindRecord* record) override {
    while (!ended_) {
      errno = 0;
      const dirent* entry = ::readdir(dir_);
      if (entry == nullptr) {
        if (errno != 0) status_ = PosixError(folder_, errno);
        ended_ = true;
        break;
      }
      const std::string_view name = entry->d_name;
      if (name.size() > kMaxPath || !MatchesWildcard(wildcard_, name)) continue;
      if (Fill(*entry, record)) return true;
    }
    return false;
  }

  std::optional<FolderId> Folder() const override { return id_; }

  int fd() const { return ::dirfd(dir_); }

 private:
  // Fills the record for a listed entry; false for one removed since.
  bool Fill(const dirent& entry, FindRecord* record) const {
    const std::string_view name = entry.d_name;
    // A folder's attributes need no lookup: its mode never sets a flag.
    const std::uint32_t hidden = IsHiddenName(name) ? kAttrHidden : 0;
    if (entry.d_type == DT_DIR) {
      FillRecord(kAttrDirectory | hidden, name, record);
      return true;
    }
    if (quick_ && entry.d_type == DT_REG) {
      FillRecord(kAttrArchive | hidden, name, record);
      return true;
    }
    struct stat st;
    if (::fstatat(fd(), entry.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
      // An entry removed since it was listed is passed over. One that
      // cannot be looked up (an I/O error) is given what the listing
      // tells of it, so that the file job meets it and says what fails,
      // rather than it being left out without a word.
      if (errno == ENOENT) return false;
      const std::uint32_t kind = entry.d_type == DT_LNK ? kAttrReparsePoint : kAttrArchive;
      FillRecord(kind | hidden, name, record);
      return true;
    }
    bool linkToFolder = false;
    if (S_ISLNK(st.st_mode)) {
      struct stat target;
      linkToFolder = ::fstatat(fd(), entry.d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
    }
    FillRecord(Attributes(st, name, linkToFolder), name, record);
    return true;
  }

  DIR* const dir_;
  const std::string folder_;
  const std::string wildcard_;
  const bool quick_;  // a regular file's read-only flag is not looked up
  const FolderId id_;
  bool ended_ = false;
};

class PosixEnv final : public Env {
 public:
  PosixEnv() = default;

  char PathSeparator() const override { return kSeparator; }

  std::uint32_t GetFileAttributes(const std::string& path) override {
    struct stat st;
    if (path.empty() || ::lstat(path.c_str(), &st) != 0) return kInvalidAttributes;
    bool linkToFolder = false;
    if (S_ISLNK(st.st_mode)) {
      struct stat target;
      linkToFolder = ::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    }
    return Attributes(st, LastComponent(path), linkToFolder);
  }

  // The device and inode number: a bind mount shows a folder under a second
  // path with the same pair.
  bool GetFolderId(const std::string& path, FolderId* id) override {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    *id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return true;
  }

  Status StartSearch(const std::string& pattern, SearchDetail detail,
                     std::unique_ptr<FolderSearch>* search, const FolderSearch* parent) override {
    const std::size_t slash = pattern.rfind(kSeparator);
    std::string folder;
    std::string wildcard;
    if (slash == std::string::npos) {
      folder = ".";
      wildcard = pattern;
    } else {
      folder = slash == 0 ? std::string(1, kSeparator) : pattern.substr(0, slash);
      wildcard = pattern.substr(slash + 1);
    }
    if (wildcard.empty()) return Status::InvalidArgument(pattern, "no wildcard");
    // Opened from its parent, a folder could be deeper than any path the
    // system takes; then no page in it could be read or written by its path.
    if (folder.size() >= PATH_MAX) return PosixError(folder, ENAMETOOLONG);
    const auto* from = parent == nullptr ? nullptr : dynamic_cast<const PosixSearch*>(parent);
    const int fd = from == nullptr
                       ? ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                       : ::openat(from->fd(), std::string(LastComponent(folder)).c_str(),
                                  O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
      if (from != nullptr && (errno == ELOOP || errno == ENOTDIR)) {
        return Status::IOError(folder, "no longer a folder: a link or file took its place");
      }
      return PosixError(folder, errno);
    }
    const std::optional<FolderId> id = IdOf(fd);
    DIR* dir = id ? ::fdopendir(fd) : nullptr;
    if (dir == nullptr) {
      const Status status = PosixError(folder, errno);
      ::close(fd);
      return status;
    }
    *search = std::make_unique<PosixSearch>(dir, std::move(folder), std::move(wildcard),
                                            detail == SearchDetail::kKinds, *id);
    return Status::OK();
  }

  bool GetFileStamp(const std::string& path, FileStamp* stamp) override {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;
    *stamp = StampOf(st);
    return true;
  }

  Status ReadFile(const std::string& path, std::string* contents, FileStamp* stamp) override {
    contents->clear();
    Place place;
    if (Status s = FindPlace(path, nullptr, &place); !s.ok()) return s;
    // O_NONBLOCK keeps a fifo from hanging the open; it means nothing for
    // the regular files that are read.
    const int fd = ::openat(place.folder.get(), place.name.c_str(),
                            O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0) return PosixError(path, errno);
    struct stat st;
    const bool statOk = ::fstat(fd, &st) == 0;
    if (!statOk || !S_ISREG(st.st_mode)) {
      const Status status = !statOk               ? PosixError(path, errno)
                            : S_ISDIR(st.st_mode) ? PosixError(path, EISDIR)
                                                  : Status::IOError(path, "not a regular file");
      ::close(fd);
      return status;
    }
    if (stamp != nullptr) *stamp = StampOf(st);
    contents->reserve(static_cast<std::size_t>(st.st_size));
    Status status;
    char buffer[1 << 16];
    while (true) {
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0) {
        if (errno == EINTR) continue;
        status = PosixError(path, errno);
        contents->clear();
        break;
      }
      if (got == 0) break;
      contents->append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return status;
  }

  // The new content goes to a temporary file beside the target, which then
  // takes the target's name by rename(), so the path holds either the old or
  // the new bytes at any moment, also after a crash. What the rename means:
  // - the path gets a new file: other hard links to the old one keep the old
  //   content;
  // - permission bits and, where allowed, owner, group and extended
  //   attributes (ACLs among them) are carried over;
  // - a symbolic link stays a link; the file it leads to is replaced.
  // Everything happens in the target's folder as it was opened once, on the
  // files as they were opened: a folder swapped for a link meanwhile
  // changes nothing.
  Status ReplaceFile(const std::string& path, std::string_view contents,
                     const ReplaceGuard& guard) override {
    if (path.empty() || LastComponent(path).empty() || path.back() == kSeparator) {
      return Status::InvalidArgument(path, "no file name");
    }
    Place place;
    if (Status s = FindPlace(path, guard.folder, &place); !s.ok()) return s;
    const int folder = place.folder.get();
    const struct stat& st = place.st;
    UniqueFd old;
    if (place.exists) {
      if (S_ISDIR(st.st_mode)) return PosixError(path, EISDIR);
      if (!S_ISREG(st.st_mode)) return Status::IOError(path, "not a regular file");
      if ((st.st_mode & S_IWUSR) == 0) return Status::ReadOnly(path);
      // A file this user could not open for writing is not replaced either,
      // even where the folder would let a rename do it.
      if (::faccessat(folder, place.name.c_str(), W_OK, AT_EACCESS) != 0)
        return PosixError(path, errno);
      old = UniqueFd(
          ::openat(folder, place.name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    }

    TempFile temp(folder);
    // A new file gets 0666 less the umask from open(); an existing one's
    // permissions are set below, once the owner is.
    if (Status s = temp.Create(place.name, place.exists ? 0600 : 0666, path); !s.ok()) return s;
    if (Status s = WriteAll(temp.fd(), contents, path); !s.ok()) return s;
    if (place.exists) {
      // Changing the owner clears set-user-ID bits, so the mode comes last.
      if (::fchown(temp.fd(), st.st_uid, st.st_gid) != 0 && errno != EPERM)
        return PosixError(path, errno);
      if (old.valid()) CopyExtendedAttributes(old.get(), temp.fd());
      if (::fchmod(temp.fd(), st.st_mode & 07777) != 0) return PosixError(path, errno);
    }
    if (Status s = temp.Flush(path); !s.ok()) return s;
    // The folder is not flushed after the rename: should the rename itself be
    // lost in a crash, the path still holds the old content, whole. That
    // flush would double the cost of a rewrite for no byte saved.
    return temp.Commit(place.name, guard, path);
  }

  // A temporary file is abandoned when no process holds its lock. The lock
  // is held while the name is removed, so that a writer that opens the
  // file just then sees its name gone and starts again.
  bool RemoveIfAbandoned(const std::string& path, const FolderId* folder) override {
    if (!IsTempFileName(LastComponent(path))) return false;
    const UniqueFd in(OpenFolderAt(AT_FDCWD, FolderPrefix(path)));
    if (!in.valid() || (folder != nullptr && IdOf(in.get()) != *folder)) return false;
    const std::string name(LastComponent(path));
    const UniqueFd file(
        ::openat(in.get(), name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!file.valid()) return false;
    struct stat st;
    if (::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        ::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
      return false;
    }
    struct stat named;
    // Only the very file that was locked.
    return ::fstatat(in.get(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           named.st_ino == st.st_ino && named.st_dev == st.st_dev &&
           ::unlinkat(in.get(), name.c_str(), 0) == 0;
  }

  Status CreateFolders(const std::string& path) override {
    if (path.empty()) return Status::InvalidArgument(path, "no folder name");
    std::size_t end = 0;
    do {
      end = path.find(kSeparator, end + 1);
      const std::string prefix = path.substr(0, end);
      if (prefix.back() == kSeparator) continue;  // "//"
      struct stat st;
      if (::stat(prefix.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode))
          return Status::IOError(prefix, "a file is in the way of the folder");
      } else if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) {
        return PosixError(prefix, errno);
      }
    } while (end != std::string::npos);
    return Status::OK();
  }

  // Creates and removes a probe file: permission bits alone do not tell for
  // root, read-only mounts, ACLs or pseudo file systems.
  bool CanCreateFilesIn(const std::string& folder) override {
    if (folder.empty()) return false;
    const UniqueFd open(OpenFolderAt(AT_FDCWD, folder));
    TempFile probe(open.get());
    return open.valid() && probe.Create("probe", 0600, folder).ok();
  }

  std::string ProgramFolder() override {
    std::string executable;
    if (ReadLinkAt(AT_FDCWD, "/proc/self/exe", &executable) != 0) return {};
    const std::size_t slash = executable.rfind(kSeparator);
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string(1, kSeparator) : executable.substr(0, slash);
  }

  std::string UserConfigFolder() override {
    // A relative $XDG_CONFIG_HOME is invalid and ignored.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == kSeparator) {
      return JoinPath(xdg, "quarnel", kSeparator);
    }
    std::string home;
    if (const char* env = std::getenv("HOME"); env != nullptr && env[0] != '\0') {
      home = env;
    } else {
      home = HomeFromPasswd();
    }
    return home.empty() ? std::string() : JoinPath(home, ".config/quarnel", kSeparator);
  }

 private:
  static std::string HomeFromPasswd() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry;
    passwd* result = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &result) != 0 ||
        result == nullptr || result->pw_dir == nullptr) {
      return {};
    }
    return result->pw_dir;
  }
};

}  // namespace

Env* Env::Default() {
  static PosixEnv env;
  return &env;
}

}  // namespace quarnel
