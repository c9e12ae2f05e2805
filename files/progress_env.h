#ifndef QUARNEL_FILES_PROGRESS_ENV_H_
#define QUARNEL_FILES_PROGRESS_ENV_H_

#include <functional>

#include "platform/env_wrapper.h"

namespace quarnel {

// An Env that passes every call on to another one and tells a listener how
// a drop advances: each file read starts one file job, each folder entry
// listed is a step of a walk. The main window uses it to keep its face
// painted and its count of files current during a long drop.
class ProgressEnv final : public EnvWrapper {
 public:
  struct Listener {
    std::function<void()> file_started;  // a file job reads its file
    std::function<void()> step;          // any other step: a folder entry listed
  };

  ProgressEnv(Env& base, Listener listener) : EnvWrapper(base), listener_(std::move(listener)) {}

  FindHandle FindFirstFile(const std::string& pattern, FindRecord* record) override;
  FindHandle FindFirstFileQuick(const std::string& pattern, FindRecord* record) override;
  bool FindNextFile(FindHandle handle, FindRecord* record) override;
  Status ReadFile(const std::string& path, std::string* contents) override;

 private:
  void Step() const;

  Listener listener_;
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_PROGRESS_ENV_H_
