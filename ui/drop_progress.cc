#include "ui/drop_progress.h"

namespace quarnel {

void DropProgress::Begin() {
  since_start_.start();
  last_repaint_ms_ = 0;
  files_done_ = 0;
  running_ = true;
  shown_ = false;
}

bool DropProgress::FileDone() {
  if (!running_) return false;
  ++files_done_;
  const qint64 now = since_start_.elapsed();
  if (now < kShowAfterMs) return false;
  if (shown_ && now - last_repaint_ms_ < kRepaintEveryMs) return false;
  shown_ = true;
  last_repaint_ms_ = now;
  return true;
}

}  // namespace quarnel
