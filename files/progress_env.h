#ifndef QUARNEL_FILES_PROGRESS_ENV_H_
#define QUARNEL_FILES_PROGRESS_ENV_H_

#include <functional>

#include "platform/env_wrapper.h"

namespace quarnel {

// An Env that passes every call on to another one and tells a listener of
// each folder entry a walk lists. The listener also says what a run tells
// as it advances (see Session::RunPaths); the main window uses it to keep
// its face painted and its count of files current during a long drop.
class ProgressEnv final : public EnvWrapper {
 public:
  struct Listener {
    // A page's turn has come: every page before it is done.
    std::function<void()> file_started;
    // Any other step: a folder entry listed, or a few times a second while
    // the run waits for its file jobs.
    std::function<void()> step;
  };

  ProgressEnv(Env& base, Listener listener) : EnvWrapper(base), listener_(std::move(listener)) {}

  // The search tells the listener of each entry it lists.
  Status StartSearch(const std::string& pattern, SearchDetail detail,
                     std::unique_ptr<FolderSearch>* search,
                     const FolderSearch* parent = nullptr) override;

 private:
  Listener listener_;
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_PROGRESS_ENV_H_
