#ifndef QUARNEL_TESTS_SUPPORT_FORWARDING_ENV_H_
#define QUARNEL_TESTS_SUPPORT_FORWARDING_ENV_H_

#include <string>
#include <string_view>

#include "platform/env.h"

namespace quarnel::testing_support {

// An Env that passes every call on to another one. A test derives from it
// and overrides the calls at which it wants the world to change: a file
// removed just before it is read, a folder gone just before it is searched.
class ForwardingEnv : public Env {
 public:
  explicit ForwardingEnv(Env& base) : base_(base) {}

  char PathSeparator() const override { return base_.PathSeparator(); }
  std::uint32_t GetFileAttributes(const std::string& path) override {
    return base_.GetFileAttributes(path);
  }
  bool GetFolderId(const std::string& path, FolderId* id) override {
    return base_.GetFolderId(path, id);
  }
  FindHandle FindFirstFile(const std::string& pattern, FindRecord* record) override {
    return base_.FindFirstFile(pattern, record);
  }
  bool FindNextFile(FindHandle handle, FindRecord* record) override {
    return base_.FindNextFile(handle, record);
  }
  void FindClose(FindHandle handle) override { base_.FindClose(handle); }
  Status ReadFile(const std::string& path, std::string* contents) override {
    return base_.ReadFile(path, contents);
  }
  Status ReplaceFile(const std::string& path, std::string_view contents) override {
    return base_.ReplaceFile(path, contents);
  }
  Status CreateFolders(const std::string& path) override { return base_.CreateFolders(path); }
  bool CanCreateFilesIn(const std::string& folder) override {
    return base_.CanCreateFilesIn(folder);
  }
  std::string ProgramFolder() override { return base_.ProgramFolder(); }
  std::string UserConfigFolder() override { return base_.UserConfigFolder(); }

 protected:
  Env& base_;
};

}  // namespace quarnel::testing_support

#endif  // QUARNEL_TESTS_SUPPORT_FORWARDING_ENV_H_
