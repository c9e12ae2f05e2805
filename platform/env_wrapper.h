#ifndef QUARNEL_PLATFORM_ENV_WRAPPER_H_
#define QUARNEL_PLATFORM_ENV_WRAPPER_H_

#include <string>
#include <string_view>

#include "platform/env.h"

namespace quarnel {

// An Env that passes every call on to another one. Derive from it to watch
// or change a few calls (to count them, to tell progress, to inject a
// fault) and leave the rest alone. REQUIRES: `target` outlives the wrapper.
class EnvWrapper : public Env {
 public:
  explicit EnvWrapper(Env& target) : target_(target) {}

  Env& target() const { return target_; }

  char PathSeparator() const override { return target_.PathSeparator(); }
  std::uint32_t GetFileAttributes(const std::string& path) override {
    return target_.GetFileAttributes(path);
  }
  bool GetFolderId(const std::string& path, FolderId* id) override {
    return target_.GetFolderId(path, id);
  }
  Status StartSearch(const std::string& pattern, SearchDetail detail,
                     std::unique_ptr<FolderSearch>* search,
                     const FolderSearch* parent = nullptr) override {
    return target_.StartSearch(pattern, detail, search, parent);
  }
  Status ReadFile(const std::string& path, std::string* contents,
                  FileStamp* stamp = nullptr) override {
    return target_.ReadFile(path, contents, stamp);
  }
  bool GetFileStamp(const std::string& path, FileStamp* stamp) override {
    return target_.GetFileStamp(path, stamp);
  }
  Status ReplaceFile(const std::string& path, std::string_view contents,
                     const ReplaceGuard& guard = {}) override {
    return target_.ReplaceFile(path, contents, guard);
  }
  bool RemoveIfAbandoned(const std::string& path, const FolderId* folder = nullptr) override {
    return target_.RemoveIfAbandoned(path, folder);
  }
  Status CreateFolders(const std::string& path) override { return target_.CreateFolders(path); }
  bool CanCreateFilesIn(const std::string& folder) override {
    return target_.CanCreateFilesIn(folder);
  }
  std::string ProgramFolder() override { return target_.ProgramFolder(); }
  std::string UserConfigFolder() override { return target_.UserConfigFolder(); }

 private:
  Env& target_;
};

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_ENV_WRAPPER_H_
