#ifndef QUARNEL_TESTS_SUPPORT_TEMP_FOLDER_H_
#define QUARNEL_TESTS_SUPPORT_TEMP_FOLDER_H_

// The one temporary-folder fixture of the tests, on every system: paths are
// UTF-8 strings joined by the Env's separator, as the program's own are.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/env.h"
#ifdef _WIN32
#include "platform/wide_text_windows.h"
#include "platform/windows_include.h"
#endif

namespace quarnel::testing_support {

// A UTF-8 path as the standard library's path (which would otherwise read a
// narrow string in the ANSI code page on Windows), and back.
inline std::filesystem::path FsPath(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// `relative` ("a/b.htm") with the Env's separator in place of "/".
inline std::string NativePath(std::string_view relative) {
  std::string path(relative);
  for (char& c : path) {
    if (c == '/') c = Env::Default()->PathSeparator();
  }
  return path;
}

// A fresh folder under the test temporary folder, removed with everything
// in it (read-only entries included) when the test ends.
class TempFolder {
 public:
  TempFolder() {
    std::random_device seed;
    std::mt19937_64 random(
        seed() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
      const std::string candidate =
          ::testing::TempDir() + "quarnel-" + std::to_string(random() % 1000000000);
      std::error_code error;
      if (std::filesystem::create_directory(FsPath(candidate), error)) root_ = candidate;
    }
    if (root_.empty()) std::abort();
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    namespace fs = std::filesystem;
#ifdef _WIN32
    // The "\\?\" form, so that paths past 260 characters go too.
    const fs::path root(L"\\\\?\\" + WideFromUtf8(root_));
#else
    const fs::path root = FsPath(root_);
#endif
    std::error_code ignored;
    for (fs::recursive_directory_iterator it(root, ignored), end; it != end;
         it.increment(ignored)) {
      if (!it->is_symlink(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
      }
      if (ignored) break;
    }
    fs::remove_all(root, ignored);
  }

  const std::string& path() const { return root_; }
  std::string operator/(std::string_view relative) const {
    return root_ + Env::Default()->PathSeparator() + NativePath(relative);
  }

  // Writes `bytes` to the relative path, creating its folders.
  std::string Write(std::string_view relative, std::string_view bytes) const {
    const std::string full = *this / relative;
    std::filesystem::create_directories(FsPath(full).parent_path());
    std::ofstream(FsPath(full), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return full;
  }

  static std::string Read(const std::string& full) {
    std::ifstream in(FsPath(full), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Every entry name in the folder (to find temporary files left behind).
  std::set<std::string> Names(std::string_view relative = "") const {
    std::set<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(FsPath(relative.empty() ? root_ : *this / relative))) {
      names.insert(Utf8(entry.path().filename()));
    }
    return names;
  }

 private:
  std::string root_;
};

// Clears every write permission: the read-only flag on Windows.
inline void MakeReadOnly(const std::string& path) {
  namespace fs = std::filesystem;
  fs::permissions(FsPath(path),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

// Makes a file or folder whose name starts with "." hidden where the name
// alone does not (Windows): hidden on every system from then on.
inline void MakeHidden(const std::string& path) {
#ifdef _WIN32
  const std::wstring wide = SystemPath(path);
  ::SetFileAttributesW(wide.c_str(), ::GetFileAttributesW(wide.c_str()) | FILE_ATTRIBUTE_HIDDEN);
#else
  (void)path;
#endif
}

// The modification time of a file, as finely as the system keeps it.
inline std::filesystem::file_time_type ModificationTime(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::last_write_time(FsPath(path), ignored);
}

// Sets the modification time a day back, so a rewrite would show.
inline void AgeFile(const std::string& path) {
  std::error_code ignored;
  std::filesystem::last_write_time(FsPath(path), ModificationTime(path) - std::chrono::hours(24),
                                   ignored);
}

}  // namespace quarnel::testing_support

#endif  // QUARNEL_TESTS_SUPPORT_TEMP_FOLDER_H_
