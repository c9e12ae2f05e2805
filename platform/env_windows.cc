// The Env of Windows, through the ANSI entry points: paths are bytes in the
// system's ANSI code page, as everywhere in the program.
#include "platform/windows_include.h"

#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/env.h"
#include "platform/path.h"

namespace quarnel {
namespace {

constexpr char kSeparator = '\\';

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The system's own words for an error, in the user's language.
std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 ? std::string(text, length) : "error " + std::to_string(error);
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
  const ScopedHandle file(
      ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return WindowsError(path, ::GetLastError());
  std::vector<char> buffer(MAX_PATH);
  DWORD length = 0;
  while ((length = ::GetFinalPathNameByHandleA(
              file.get(), buffer.data(), static_cast<DWORD>(buffer.size()),
              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS)) >= buffer.size()) {
    buffer.resize(length + 1);
  }
  if (length == 0) return WindowsError(path, ::GetLastError());
  std::string final(buffer.data(), length);
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

class WindowsEnv final : public Env {
 public:
  WindowsEnv() : random_(std::random_device{}() ^ ::GetTickCount64() ^ ::GetCurrentProcessId()) {}

  char PathSeparator() const override { return kSeparator; }

  std::uint32_t GetFileAttributes(const std::string& path) override {
    return ::GetFileAttributesA(path.c_str());
  }

  // A second path to a folder needs a junction, a symbolic link or a mounted
  // volume folder, all reparse points, which the walk never enters.
  bool GetFolderId(const std::string&, FolderId*) override { return false; }

  FindHandle FindFirstFile(const std::string& pattern, FindRecord* record) override {
    WIN32_FIND_DATAA data;
    const HANDLE handle = ::FindFirstFileA(pattern.c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE) return kInvalidFindHandle;
    Copy(data, record);
    return reinterpret_cast<FindHandle>(handle);
  }

  bool FindNextFile(FindHandle handle, FindRecord* record) override {
    if (handle == kInvalidFindHandle) return false;
    WIN32_FIND_DATAA data;
    if (!::FindNextFileA(reinterpret_cast<HANDLE>(handle), &data)) return false;
    Copy(data, record);
    return true;
  }

  void FindClose(FindHandle handle) override {
    if (handle != kInvalidFindHandle) ::FindClose(reinterpret_cast<HANDLE>(handle));
  }

  // The stamp stays unknown: a page changed under a run is not detected
  // here yet.
  Status ReadFile(const std::string& path, std::string* contents, FileStamp*) override {
    contents->clear();
    ScopedHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return OpenError(path, ::GetLastError());
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
      return Status::IOError(path, "not a regular file");
    }
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

  // The new content goes to a temporary file beside the target, which then
  // takes its place: ReplaceFileA keeps the target's attributes, security,
  // streams and creation time; a new file is moved in by MoveFileExA. A
  // link or junction is followed and the file it leads to replaced.
  Status ReplaceFile(const std::string& path, std::string_view contents,
                     const ReplaceGuard& guard) override {
    if (path.empty() || IsSeparator(path.back()))
      return Status::InvalidArgument(path, "no file name");
    std::string target = path;
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      if (Status s = FinalPath(path, &target); !s.ok()) return s;
      attributes = ::GetFileAttributesA(target.c_str());
    }
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (const DWORD error = exists ? ERROR_SUCCESS : ::GetLastError();
        !exists && error != ERROR_FILE_NOT_FOUND) {
      return WindowsError(path, error);
    }
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      return Status::IOError(path, "is a folder");
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return Status::ReadOnly(path);

    std::string temp;
    ScopedHandle file(CreateTemp(target, &temp));
    if (!file.valid()) return WindowsError(path, ::GetLastError());
    Status status = WriteAll(file.get(), contents, path);
    if (status.ok() && !::FlushFileBuffers(file.get()))
      status = WindowsError(path, ::GetLastError());
    if (!file.Close() && status.ok()) status = WindowsError(path, ::GetLastError());
    if (status.ok() && guard.stop != nullptr && guard.stop->load()) status = Status::Stopped(path);
    if (status.ok()) status = PutInPlace(temp, target, exists, path);
    // After a failure the temporary file may still be there; after success
    // it is not, and the call fails harmlessly.
    ::DeleteFileA(temp.c_str());
    return status;
  }

  Status CreateFolders(const std::string& path) override {
    if (path.empty()) return Status::InvalidArgument(path, "no folder name");
    for (std::size_t end = RootLength(path); end <= path.size(); ++end) {
      if (end < path.size() && !IsSeparator(path[end])) continue;
      const std::string prefix = path.substr(0, end);
      if (prefix.size() <= RootLength(path) || IsSeparator(prefix.back())) continue;
      const DWORD attributes = ::GetFileAttributesA(prefix.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
          return Status::IOError(prefix, "a file is in the way of the folder");
        }
        continue;
      }
      if (!::CreateDirectoryA(prefix.c_str(), nullptr) &&
          ::GetLastError() != ERROR_ALREADY_EXISTS) {
        return WindowsError(prefix, ::GetLastError());
      }
    }
    return Status::OK();
  }

  // Creates a probe file that goes away when closed: the folder's
  // attributes do not tell whether files can be made in it.
  bool CanCreateFilesIn(const std::string& folder) override {
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      return false;
    }
    std::string probe;
    const ScopedHandle file(CreateTemp(JoinPath(folder, "probe", kSeparator), &probe,
                                       FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE));
    return file.valid();
  }

  std::string ProgramFolder() override {
    std::vector<char> buffer(MAX_PATH);
    DWORD length = 0;
    while ((length = ::GetModuleFileNameA(nullptr, buffer.data(),
                                          static_cast<DWORD>(buffer.size()))) == buffer.size()) {
      buffer.resize(buffer.size() * 2);
    }
    if (length == 0) return {};
    std::string folder = FolderPrefix(std::string_view(buffer.data(), length));
    // "C:\" keeps its separator; "C:\Tools\" loses it.
    if (folder.size() > RootLength(folder) && IsSeparator(folder.back())) folder.pop_back();
    return folder;
  }

  std::string UserConfigFolder() override {
    char buffer[MAX_PATH];
    if (SUCCEEDED(
            ::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
      return JoinPath(buffer, "Quarnel", kSeparator);
    }
    const char* appData = std::getenv("APPDATA");
    return appData != nullptr && appData[0] != '\0' ? JoinPath(appData, "Quarnel", kSeparator)
                                                    : std::string();
  }

 private:
  static void Copy(const WIN32_FIND_DATAA& data, FindRecord* record) {
    *record = FindRecord{};
    record->dwFileAttributes = data.dwFileAttributes;
    std::memcpy(record->cFileName.data(), data.cFileName, record->cFileName.size());
    std::memcpy(record->cAlternateFileName.data(), data.cAlternateFileName,
                record->cAlternateFileName.size());
  }

  // CreateFileA refuses a folder with "access denied"; say what it is.
  static Status OpenError(const std::string& path, DWORD error) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return Status::IOError(path, "is a folder");
    }
    return WindowsError(path, error);
  }

  // Creates ".<name>.quarnel-XXXXXX.tmp" beside `target` (a shorter name
  // when the long one would pass MAX_PATH). GetLastError() tells why not.
  HANDLE CreateTemp(const std::string& target, std::string* temp,
                    DWORD flags = FILE_ATTRIBUTE_NORMAL) {
    static constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    const std::string folder = FolderPrefix(target);
    const std::string name = target.substr(folder.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string unique(6, '0');
      for (char& c : unique) c = kDigits[random_() % (sizeof kDigits - 1)];
      *temp = folder + "." + name + ".quarnel-" + unique + ".tmp";
      if (temp->size() >= MAX_PATH) *temp = folder + "~quarnel-" + unique + ".tmp";
      const HANDLE file =
          ::CreateFileA(temp->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr);
      if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
  }

  static Status PutInPlace(const std::string& temp, const std::string& target, bool exists,
                           std::string_view path) {
    constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (!exists) {
      return ::MoveFileExA(temp.c_str(), target.c_str(), kMoveFlags)
                 ? Status::OK()
                 : WindowsError(path, ::GetLastError());
    }
    if (::ReplaceFileA(target.c_str(), temp.c_str(), nullptr,
                       REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                       nullptr)) {
      return Status::OK();
    }
    const DWORD error = ::GetLastError();
    // The old file has been moved aside but the new one could not take its
    // name: put the new one there by a plain move, so the path is not left
    // empty.
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
        ::MoveFileExA(temp.c_str(), target.c_str(), kMoveFlags)) {
      return Status::OK();
    }
    return WindowsError(path, error);
  }

  std::mt19937_64 random_;
};

}  // namespace

Env* Env::Default() {
  static WindowsEnv env;
  return &env;
}

}  // namespace quarnel
