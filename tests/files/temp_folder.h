#ifndef QUARNEL_TESTS_FILES_TEMP_FOLDER_H_
#define QUARNEL_TESTS_FILES_TEMP_FOLDER_H_

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace quarnel::testing_support {

// A fresh folder under the test temporary folder, removed with everything
// in it (read-only entries included) when the test ends.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = ::testing::TempDir() + "quarnel-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern;
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, ignored)) {
      if (!entry.is_symlink()) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
      }
    }
    std::filesystem::remove_all(root_, ignored);
  }

  const std::string& path() const { return root_; }
  std::string operator/(std::string_view relative) const {
    return root_ + "/" + std::string(relative);
  }

  // Writes `bytes` to the relative path, creating its folders.
  std::string Write(std::string_view relative, std::string_view bytes) const {
    const std::string full = *this / relative;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream(full, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return full;
  }

  static std::string Read(const std::string& full) {
    std::ifstream in(full, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Every entry name in the folder (to find temporary files left behind).
  std::set<std::string> Names(std::string_view relative = "") const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(
             relative.empty() ? root_ : *this / relative)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::string root_;
};

// The modification time of a file, to the nanosecond.
inline struct timespec ModificationTime(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mtim;
}

// Sets the modification time a day back, so a rewrite would show.
inline void AgeFile(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  const struct timespec times[2] = {{st.st_atime - 86400, 0}, {st.st_mtime - 86400, 0}};
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

inline bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace quarnel::testing_support

#endif  // QUARNEL_TESTS_FILES_TEMP_FOLDER_H_
