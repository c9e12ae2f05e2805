// The Env of Windows, through the W entry points: the program's paths are
// UTF-8, the system's UTF-16, so a name in any script works whatever the
// system's ANSI code page; long paths take the "\\?\" form.
#include "platform/windows_include.h"

#include <aclapi.h>
#include <shlobj.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/env.h"
#include "platform/path.h"
#include "platform/temp_name.h"
#include "platform/wide_text_windows.h"

namespace quarnel {
namespace {

constexpr char kSeparator = '\\';

bool IsSeparator(char c) { return IsPathSeparator(c, kSeparator); }

// The system's own words for an error, in the user's language.
std::string SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message =
      length > 0 ? Utf8FromWide({text, length}) : "error " + std::to_string(error);
  if (text != nullptr) ::LocalFree(text);
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n' ||
                              message.back() == '.' || message.back() == ' ')) {
    message.pop_back();
  }
  return message;
}

// Turns a GetLastError() value into a Status for `path`.
Status WindowsError(std::string_view path, DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return Status::NotFound(path);
    case ERROR_ACCESS_DENIED:
      return Status::PermissionDenied(path);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return Status::IOError(path, "the file is in use by another program");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return Status::IOError(path, "no space left on the device");
    case ERROR_WRITE_PROTECT:
      return Status::ReadOnly(path, "the medium is write-protected");
    case ERROR_NOT_READY:
      return Status::IOError(path, "the device is not ready");
    case ERROR_FILENAME_EXCED_RANGE:
      return Status::InvalidArgument(path, "the path is too long");
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return Status::InvalidArgument(path, "the name is not valid");
    default:
      return Status::IOError(path, SystemMessage(error));
  }
}

// Closes a handle when it goes out of scope.
class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ~ScopedHandle() {
    if (valid()) ::CloseHandle(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  // Closes now, so that a failing close can be seen.
  bool Close() {
    const bool closed = ::CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

// The version of an open file: its volume and file index (which a rewrite
// changes, as it puts a new file in place), size and last write time (in
// the file time's 100 ns units, which only need to compare equal).
bool StampOf(HANDLE file, FileStamp* stamp) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!::GetFileInformationByHandle(file, &info)) return false;
  stamp->known = true;
  stamp->device = info.dwVolumeSerialNumber;
  stamp->inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  stamp->size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  stamp->modified_ns = static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
      info.ftLastWriteTime.dwLowDateTime);
  return true;
}

// The path up to and including its last separator ("" when it has none).
std::string FolderPrefix(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1]) || (i == 2 && path[1] == ':'))
      return std::string(path.substr(0, i));
  }
  return {};
}

// The length of the path's root: "C:\", "C:", "\\server\share\" or "\".
std::size_t RootLength(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    std::size_t separators = 0;
    for (std::size_t i = 2; i < path.size(); ++i) {
      if (IsSeparator(path[i]) && ++separators == 2) return i + 1;
    }
    return path.size();
  }
  return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

// The path a link or junction finally leads to.
Status FinalPath(const std::string& path, std::string* target) {
  const ScopedHandle file(::CreateFileW(
      SystemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return WindowsError(path, ::GetLastError());
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD length = 0;
  while ((length = ::GetFinalPathNameByHandleW(
              file.get(), buffer.data(), static_cast<DWORD>(buffer.size()),
              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS)) >= buffer.size()) {
    buffer.resize(length + 1);
  }
  if (length == 0) return WindowsError(path, ::GetLastError());
  std::string final = Utf8FromWide({buffer.data(), length});
  if (final.rfind("\\\\?\\UNC\\", 0) == 0) {
    final = "\\\\" + final.substr(8);
  } else if (final.rfind("\\\\?\\", 0) == 0) {
    final = final.substr(4);
  }
  *target = std::move(final);
  return Status::OK();
}

Status WriteAll(HANDLE file, std::string_view bytes, std::string_view path) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
      return WindowsError(path, ::GetLastError());
    }
    bytes.remove_prefix(written);
  }
  return Status::OK();
}

// The attributes a rewritten file takes over from the one it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// What a rewrite carries over from the file it replaces.
struct Kept {
  DWORD attributes = 0;
  FILETIME created{};
  PSECURITY_DESCRIPTOR security = nullptr;  // LocalFree'd by the owner
  PACL dacl = nullptr;                      // inside `security`
  bool protected_dacl = false;
  Kept() = default;
  Kept(const Kept&) = delete;
  Kept& operator=(const Kept&) = delete;
  ~Kept() {
    if (security != nullptr) ::LocalFree(security);
  }
};

// Reads what is kept of `target`. Its access list only when it is its own
// (protected, or holding entries of its own): a new file in the same
// folder inherits the rest by itself.
void ReadKept(const std::wstring& target, const WIN32_FILE_ATTRIBUTE_DATA& data, Kept* kept) {
  kept->attributes = data.dwFileAttributes & kKeptAttributes;
  kept->created = data.ftCreationTime;
  if (::GetNamedSecurityInfoW(target.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &kept->dacl, nullptr, &kept->security) != ERROR_SUCCESS) {
    kept->security = nullptr;
    kept->dacl = nullptr;
    return;
  }
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  if (::GetSecurityDescriptorControl(kept->security, &control, &revision)) {
    kept->protected_dacl = (control & SE_DACL_PROTECTED) != 0;
  }
}

// Gives the new file, still open, the creation time and access list of the
// old one, as far as this user may: like the copy of extended attributes on
// POSIX, a rewrite never fails for these.
void ApplyKept(HANDLE file, const Kept& kept) {
  ::SetFileTime(file, &kept.created, nullptr, nullptr);
  if (kept.dacl == nullptr) return;
  const SECURITY_INFORMATION which =
      DACL_SECURITY_INFORMATION | (kept.protected_dacl ? PROTECTED_DACL_SECURITY_INFORMATION
                                                       : UNPROTECTED_DACL_SECURITY_INFORMATION);
  ::SetSecurityInfo(file, SE_FILE_OBJECT, which, nullptr, nullptr, kept.dacl, nullptr);
}

// Gives the open file `file` the name `target`, replacing the file there,
// without closing it first.
Status RenameOpenFile(HANDLE file, const std::wstring& target, const std::string& userPath) {
  const std::size_t nameBytes = target.size() * sizeof(wchar_t);
  std::vector<std::byte> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = TRUE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(nameBytes);
  std::memcpy(info->FileName, target.c_str(), nameBytes + sizeof(wchar_t));
  if (!::SetFileInformationByHandle(file, FileRenameInfo, info,
                                    static_cast<DWORD>(buffer.size()))) {
    return WindowsError(userPath, ::GetLastError());
  }
  return Status::OK();
}

// Marks the open file `file` to go when it is closed.
void DeleteOnClose(HANDLE file) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

void CopyRecord(const WIN32_FIND_DATAW& data, FindRecord* record) {
  *record = FindRecord{};
  record->dwFileAttributes = data.dwFileAttributes;
  const std::string name = Utf8FromWide(data.cFileName);
  const std::string short_name = Utf8FromWide(data.cAlternateFileName);
  name.copy(record->cFileName.data(), record->cFileName.size());
  short_name.copy(record->cAlternateFileName.data(), record->cAlternateFileName.size());
}

// A FindFirstFileW search, whose first entry is already read.
class WindowsSearch final : public FolderSearch {
 public:
  // `handle` is INVALID_HANDLE_VALUE for a search that found nothing.
  WindowsSearch(HANDLE handle, const WIN32_FIND_DATAW& first, std::string pattern)
      : handle_(handle), first_(first), pattern_(std::move(pattern)) {}
  ~WindowsSearch() override {
    if (handle_ != INVALID_HANDLE_VALUE) ::FindClose(handle_);
  }

  bool Next(FindRecord* record) override {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    if (have_first_) {
      have_first_ = false;
      CopyRecord(first_, record);
      return true;
    }
    WIN32_FIND_DATAW data;
    if (::FindNextFileW(handle_, &data)) {
      CopyRecord(data, record);
      return true;
    }
    if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES) {
      status_ = WindowsError(FolderPrefix(pattern_), error);
    }
    ::FindClose(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return false;
  }

 private:
  HANDLE handle_;
  const WIN32_FIND_DATAW first_;
  bool have_first_ = true;
  const std::string pattern_;
};

class WindowsEnv final : public Env {
 public:
  WindowsEnv() = default;

  char PathSeparator() const override { return kSeparator; }

  std::uint32_t GetFileAttributes(const std::string& path) override {
    return ::GetFileAttributesW(SystemPath(path).c_str());
  }

  // The volume serial number and file index: the pair names the folder
  // however it was reached (a junction or mount point, which the walk does
  // not enter, or a path the file system itself aliases).
  bool GetFolderId(const std::string& path, FolderId* id) override {
    const ScopedHandle folder(::CreateFileW(
        SystemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!folder.valid() || !::GetFileInformationByHandle(folder.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      return false;
    }
    *id = {info.dwVolumeSerialNumber,
           (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    return true;
  }

  bool GetFileStamp(const std::string& path, FileStamp* stamp) override {
    const ScopedHandle file(::CreateFileW(SystemPath(path).c_str(), 0,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
    return file.valid() && StampOf(file.get(), stamp);
  }

  // FindFirstFileW lists reparse points as they are: a junction, symbolic
  // link or mount point carries FILE_ATTRIBUTE_REPARSE_POINT, which the walk
  // never enters. A sub-folder (`parent` set) that has become one since its
  // parent listed it is not searched either.
  Status StartSearch(const std::string& pattern, SearchDetail /*detail*/,
                     std::unique_ptr<FolderSearch>* search, const FolderSearch* parent) override {
    if (parent != nullptr) {
      // Without its last separator, so that a link itself is asked about.
      std::string folder = FolderPrefix(pattern);
      if (folder.size() > RootLength(folder) && IsSeparator(folder.back())) folder.pop_back();
      const DWORD attributes = ::GetFileAttributesW(SystemPath(folder).c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES &&
          (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return Status::IOError(folder, "no longer a folder: a link or file took its place");
      }
    }
    WIN32_FIND_DATAW data;
    const HANDLE handle = ::FindFirstFileW(SystemPath(pattern).c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = ::GetLastError();
      // The folder is there and no entry matches (an empty drive root, or
      // a pattern that finds nothing): a search that ends at once.
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) {
        *search = std::make_unique<WindowsSearch>(INVALID_HANDLE_VALUE, data, pattern);
        return Status::OK();
      }
      return WindowsError(FolderPrefix(pattern), error);
    }
    *search = std::make_unique<WindowsSearch>(handle, data, pattern);
    return Status::OK();
  }

  Status ReadFile(const std::string& path, std::string* contents, FileStamp* stamp) override {
    contents->clear();
    ScopedHandle file(::CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return OpenError(path, ::GetLastError());
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
      return Status::IOError(path, "not a regular file");
    }
    if (stamp != nullptr) StampOf(file.get(), stamp);
    LARGE_INTEGER size;
    if (::GetFileSizeEx(file.get(), &size))
      contents->reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[1 << 16];
    while (true) {
      DWORD got = 0;
      if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
        contents->clear();
        return WindowsError(path, ::GetLastError());
      }
      if (got == 0) return Status::OK();
      contents->append(buffer, got);
    }
  }

  // The new content goes to a temporary file beside the target, is flushed
  // to the disk, takes over the target's hidden, system and archive
  // attributes, creation time and own access list, and then takes its name
  // by a rename that replaces the target: the name holds the whole old or
  // the whole new page at every moment. A link or junction is followed and
  // the file it leads to replaced. The temporary file stays open, shared
  // with no one, until it has its new name, so that a later run can tell
  // it from one a killed run left (see RemoveIfAbandoned). ReplaceFileW
  // would carry most of this over itself, but it also opens the old file,
  // which another program's handle can make fail after the old file has
  // been moved aside (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2), and it took
  // twice as long under Wine; the rename needs only the name.
  Status ReplaceFile(const std::string& path, std::string_view contents,
                     const ReplaceGuard& guard) override {
    if (path.empty() || IsSeparator(path.back()))
      return Status::InvalidArgument(path, "no file name");
    std::string target = path;
    DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      if (Status s = FinalPath(path, &target); !s.ok()) return s;
    }
    const std::wstring systemTarget = SystemPath(target);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const bool exists =
        ::GetFileAttributesExW(systemTarget.c_str(), GetFileExInfoStandard, &data) != 0;
    if (const DWORD error = exists ? ERROR_SUCCESS : ::GetLastError();
        !exists && error != ERROR_FILE_NOT_FOUND) {
      return WindowsError(path, error);
    }
    if (exists && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      return Status::IOError(path, "is a folder");
    if (exists && (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0)
      return Status::ReadOnly(path);
    // A page another program holds open without sharing it is told as such
    // before anything is written, rather than met by the move.
    if (exists) {
      const ScopedHandle probe(::CreateFileW(systemTarget.c_str(), GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
      if (!probe.valid()) return WindowsError(path, ::GetLastError());
    }
    Kept kept;
    if (exists) ReadKept(systemTarget, data, &kept);

    std::wstring temp;
    ScopedHandle file(CreateTemp(target, &temp, GENERIC_WRITE | WRITE_DAC | DELETE));
    if (!file.valid()) return WindowsError(path, ::GetLastError());
    Status status = WriteAll(file.get(), contents, path);
    if (status.ok() && !::FlushFileBuffers(file.get()))
      status = WindowsError(path, ::GetLastError());
    if (status.ok() && exists) ApplyKept(file.get(), kept);
    if (status.ok() && guard.stop != nullptr && guard.stop->load()) status = Status::Stopped(path);
    if (status.ok() && guard.unchanged != nullptr && guard.unchanged->known) {
      FileStamp now;
      if (!GetFileStamp(target, &now) || now != *guard.unchanged) status = Status::Changed(path);
    }
    // The archive flag is set whatever the old page had: its content has
    // changed since any backup.
    if (status.ok() && exists && kept.attributes != 0 &&
        !::SetFileAttributesW(temp.c_str(), kept.attributes | FILE_ATTRIBUTE_ARCHIVE)) {
      status = WindowsError(path, ::GetLastError());
    }
    if (status.ok()) status = RenameOpenFile(file.get(), systemTarget, path);
    if (!status.ok()) {
      ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteOnClose(file.get());
    }
    if (!file.Close() && status.ok()) status = WindowsError(path, ::GetLastError());
    return status;
  }

  // A temporary file is abandoned when no process has it open: its writer
  // holds it open, shared with no one, from its creation until it has its
  // new name, so deleting it fails with a sharing violation while the
  // writer lives, and succeeds once the writer has died.
  bool RemoveIfAbandoned(const std::string& path, const FolderId* /*folder*/) override {
    if (!IsTempFileName(std::string_view(path).substr(FolderPrefix(path).size()))) return false;
    return ::DeleteFileW(SystemPath(path).c_str()) != 0;
  }

  Status CreateFolders(const std::string& path) override {
    if (path.empty()) return Status::InvalidArgument(path, "no folder name");
    for (std::size_t end = RootLength(path); end <= path.size(); ++end) {
      if (end < path.size() && !IsSeparator(path[end])) continue;
      const std::string prefix = path.substr(0, end);
      if (prefix.size() <= RootLength(path) || IsSeparator(prefix.back())) continue;
      const std::wstring systemPrefix = SystemPath(prefix);
      const DWORD attributes = ::GetFileAttributesW(systemPrefix.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
          return Status::IOError(prefix, "a file is in the way of the folder");
        }
        continue;
      }
      if (!::CreateDirectoryW(systemPrefix.c_str(), nullptr) &&
          ::GetLastError() != ERROR_ALREADY_EXISTS) {
        return WindowsError(prefix, ::GetLastError());
      }
    }
    return Status::OK();
  }

  // Creates a probe file that goes away when closed: the folder's
  // attributes do not tell whether files can be made in it.
  bool CanCreateFilesIn(const std::string& folder) override {
    const DWORD attributes = ::GetFileAttributesW(SystemPath(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      return false;
    }
    std::wstring probe;
    const ScopedHandle file(CreateTemp(JoinPath(folder, "probe", kSeparator), &probe, GENERIC_WRITE,
                                       FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE));
    return file.valid();
  }

  std::string ProgramFolder() override {
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = 0;
    while ((length = ::GetModuleFileNameW(nullptr, buffer.data(),
                                          static_cast<DWORD>(buffer.size()))) == buffer.size()) {
      buffer.resize(buffer.size() * 2);
    }
    if (length == 0) return {};
    std::string folder = FolderPrefix(Utf8FromWide({buffer.data(), length}));
    // "C:\" keeps its separator; "C:\Tools\" loses it.
    if (folder.size() > RootLength(folder) && IsSeparator(folder.back())) folder.pop_back();
    return folder;
  }

  std::string UserConfigFolder() override {
    wchar_t buffer[MAX_PATH];
    if (SUCCEEDED(
            ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
      return JoinPath(Utf8FromWide(buffer), "Quarnel", kSeparator);
    }
    const wchar_t* appData = ::_wgetenv(L"APPDATA");
    return appData != nullptr && appData[0] != L'\0'
               ? JoinPath(Utf8FromWide(appData), "Quarnel", kSeparator)
               : std::string();
  }

 private:
  // CreateFileW refuses a folder with "access denied"; say what it is.
  static Status OpenError(const std::string& path, DWORD error) {
    const DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return Status::IOError(path, "is a folder");
    }
    return WindowsError(path, error);
  }

  // Creates ".<name>.quarnel-XXXXXX.tmp" beside `target`, the name cut to
  // the 255 characters a name may have, so that a later walk knows it.
  // GetLastError() tells why not.
  HANDLE CreateTemp(const std::string& target, std::wstring* temp, DWORD access,
                    DWORD flags = FILE_ATTRIBUTE_NORMAL) {
    static constexpr std::size_t kMaxNameLength = 255;
    const std::string folder = FolderPrefix(target);
    const std::string name = target.substr(folder.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
      // Names are case-insensitive here: one letter case.
      *temp = SystemPath(folder +
                         TempFileName(name, TempUniquePart(kTempDigitsOneCase), kMaxNameLength));
      const HANDLE file =
          ::CreateFileW(temp->c_str(), access, 0, nullptr, CREATE_NEW, flags, nullptr);
      if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
  }
};

}  // namespace

Env* Env::Default() {
  static WindowsEnv env;
  return &env;
}

}  // namespace quarnel
