#ifndef QUARNEL_UI_DROP_PROGRESS_H_
#define QUARNEL_UI_DROP_PROGRESS_H_

#include <QElapsedTimer>

namespace quarnel {

// Counts the files of one drop. A drop is processed synchronously, so the
// window would look frozen during a long one: after about a second the
// count becomes visible and the window should be repainted now and then.
class DropProgress {
 public:
  static constexpr qint64 kShowAfterMs = 1000;
  static constexpr qint64 kRepaintEveryMs = 60;

  void Begin();
  // One file done. True when the window should repaint now.
  bool FileDone();
  void End() { running_ = false; }

  bool running() const { return running_; }
  // Whether the count is to be drawn on the face.
  bool visible() const { return running_ && shown_; }
  int files_done() const { return files_done_; }

 private:
  QElapsedTimer since_start_;
  qint64 last_repaint_ms_ = 0;
  int files_done_ = 0;
  bool running_ = false;
  bool shown_ = false;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_DROP_PROGRESS_H_
