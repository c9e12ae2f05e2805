#include "files/progress_env.h"

#include <utility>

namespace quarnel {
namespace {

// Passes a search on and calls `step` for every entry asked for.
class SteppingSearch final : public FolderSearch {
 public:
  SteppingSearch(std::unique_ptr<FolderSearch> search, std::function<void()> step)
      : search_(std::move(search)), step_(std::move(step)) {}

  bool Next(FindRecord* record) override {
    const bool found = search_->Next(record);
    if (step_) step_();
    return found;
  }
  const Status& status() const override { return search_->status(); }
  std::optional<FolderId> Folder() const override { return search_->Folder(); }
  const FolderSearch& Reader() const override { return search_->Reader(); }

 private:
  const std::unique_ptr<FolderSearch> search_;
  const std::function<void()> step_;
};

}  // namespace

Status ProgressEnv::StartSearch(const std::string& pattern, SearchDetail detail,
                                std::unique_ptr<FolderSearch>* search, const FolderSearch* parent) {
  std::unique_ptr<FolderSearch> started;
  const Status status = EnvWrapper::StartSearch(pattern, detail, &started, parent);
  if (listener_.step) listener_.step();
  if (status.ok()) *search = std::make_unique<SteppingSearch>(std::move(started), listener_.step);
  return status;
}

}  // namespace quarnel
