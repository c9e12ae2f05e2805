#ifndef QUARNEL_UI_PROGRESS_ENV_H_
#define QUARNEL_UI_PROGRESS_ENV_H_

#include <functional>

#include "platform/env.h"

namespace quarnel {

// An Env that passes every call on to another one and tells a listener how
// a drop advances: each file read starts one file job, each folder entry
// listed is a step of a walk. The main window uses it to keep its face
// painted and its count of files current during a long drop.
class ProgressEnv final : public Env {
 public:
  struct Listener {
    std::function<void()> file_started;  // a file job reads its file
    std::function<void()> step;          // any other step: a folder entry listed
  };

  ProgressEnv(Env& base, Listener listener) : base_(base), listener_(std::move(listener)) {}

  char PathSeparator() const override { return base_.PathSeparator(); }
  std::uint32_t GetFileAttributes(const std::string& path) override {
    return base_.GetFileAttributes(path);
  }
  bool GetFolderId(const std::string& path, FolderId* id) override {
    return base_.GetFolderId(path, id);
  }
  FindHandle FindFirstFile(const std::string& pattern, FindRecord* record) override;
  bool FindNextFile(FindHandle handle, FindRecord* record) override;
  void FindClose(FindHandle handle) override { base_.FindClose(handle); }
  Status ReadFile(const std::string& path, std::string* contents) override;
  Status ReplaceFile(const std::string& path, std::string_view contents) override {
    return base_.ReplaceFile(path, contents);
  }
  Status CreateFolders(const std::string& path) override { return base_.CreateFolders(path); }
  bool CanCreateFilesIn(const std::string& folder) override { return base_.CanCreateFilesIn(folder); }
  std::string ProgramFolder() override { return base_.ProgramFolder(); }
  std::string UserConfigFolder() override { return base_.UserConfigFolder(); }

 private:
  void Step() const;

  Env& base_;
  Listener listener_;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_PROGRESS_ENV_H_
