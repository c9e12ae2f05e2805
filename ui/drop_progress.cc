#include "ui/drop_progress.h"

namespace quarnel {

void DropProgress::Begin() {
  since_start_.start();
  last_repaint_ms_ = 0;
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
  const qint64 now = since_start_.elapsed();
  if (now < kShowAfterMs) return false;
  if (shown_ && now - last_repaint_ms_ < kRepaintEveryMs) return false;
  shown_ = true;
  last_repaint_ms_ = now;
  return true;
}

}  // namespace quarnel
