#include "files/work_report.h"

namespace quarnel {

void WorkReport::AddUnchanged(std::uint64_t size) {
  ++files_examined_;
  bytes_before_ += size;
  bytes_after_ += size;
}

void WorkReport::AddRewritten(const std::string& path, std::uint64_t before, std::uint64_t after) {
  ++files_examined_;
  ++files_rewritten_;
  bytes_before_ += before;
  bytes_after_ += after;
  if (observer_ != nullptr) observer_->FileRewritten(path, before, after);
}

void WorkReport::AddFileFailure(const Status& failure, std::uint64_t size) {
  ++files_examined_;
  ++failures_;
  bytes_before_ += size;
  bytes_after_ += size;
  if (observer_ != nullptr) observer_->PathFailed(failure);
}

void WorkReport::AddPathFailure(const Status& failure) {
  ++failures_;
  if (observer_ != nullptr) observer_->PathFailed(failure);
}

void WorkReport::AddFolderNotWalked(const std::string& path, std::uint32_t attributes) {
  if (observer_ != nullptr) observer_->FolderNotWalked(path, attributes);
}

void WorkReport::AddStillChanging(const std::string& path) {
  if (observer_ != nullptr) observer_->StillChanging(path);
}

void WorkReport::AddTempFileRemoved(const std::string& path) {
  if (observer_ != nullptr) observer_->TempFileRemoved(path);
}

}  // namespace quarnel
