#include "ui/rules/drop_progress.h"

namespace quarnel {

void DropProgress::Begin() {
  start_ = Clock::now();
  last_repaint_ = {};
  files_started_ = 0;
  running_ = true;
  shown_ = false;
}

bool DropProgress::FileStarted() {
  if (!running_) return false;
  ++files_started_;
  return Step();
}

bool DropProgress::Step() {
  if (!running_) return false;
  const Clock::duration now = Clock::now() - start_;
  if (now < kShowAfter) return false;
  if (shown_ && now - last_repaint_ < kRepaintEvery) return false;
  shown_ = true;
  last_repaint_ = now;
  return true;
}

std::string DropCountText(int files_done) {
  return std::to_string(files_done) + " ファイル処理済み";
}

}  // namespace quarnel
