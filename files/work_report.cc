#include "files/work_report.h"

namespace quarnel {

void WorkReport::AddUnchanged(std::uint64_t size) {
  ++filesExamined_;
  bytesBefore_ += size;
  bytesAfter_ += size;
}

void WorkReport::AddRewritten(const std::string& path, std::uint64_t before,
                              std::uint64_t after) {
  ++filesExamined_;
  ++filesRewritten_;
  bytesBefore_ += before;
  bytesAfter_ += after;
  if (observer_ != nullptr) observer_->FileRewritten(path, before, after);
}

void WorkReport::AddFileFailure(const Status& failure, std::uint64_t size) {
  ++filesExamined_;
  ++failures_;
  bytesBefore_ += size;
  bytesAfter_ += size;
  if (observer_ != nullptr) observer_->PathFailed(failure);
}

void WorkReport::AddPathFailure(const Status& failure) {
  ++failures_;
  if (observer_ != nullptr) observer_->PathFailed(failure);
}

void WorkReport::AddFolderNotWalked(const std::string& path, std::uint32_t attributes) {
  if (observer_ != nullptr) observer_->FolderNotWalked(path, attributes);
}

void WorkReport::AddJoinHarm(const std::string& path, const JoinHarm& harm) {
  ++pagesHarmed_;
  if (observer_ != nullptr) observer_->JoinHarmFound(path, harm);
}

void WorkReport::AddTempFileRemoved(const std::string& path) {
  if (observer_ != nullptr) observer_->TempFileRemoved(path);
}

}  // namespace quarnel
