#ifndef QUARNEL_UI_DROP_PROGRESS_H_
#define QUARNEL_UI_DROP_PROGRESS_H_

#include <QElapsedTimer>

namespace quarnel {

// Follows one drop. A drop is processed synchronously, so the window would
// look frozen during a long one: after about a second a count of the files
// done becomes visible, and the window is to be repainted now and then.
class DropProgress {
 public:
  static constexpr qint64 kShowAfterMs = 1000;
  static constexpr qint64 kRepaintEveryMs = 50;

  void Begin();
  // A file job starts, so the one before it is done. True when the window
  // should repaint now.
  bool FileStarted();
  // Any other step of the drop (a folder entry listed). True when the
  // window should repaint now.
  bool Step();
  void End() { running_ = false; }

  bool running() const { return running_; }
  // Whether the count is to be drawn on the face.
  bool visible() const { return running_ && shown_; }
  int files_done() const { return files_started_ > 0 ? files_started_ - 1 : 0; }

 private:
  QElapsedTimer since_start_;
  qint64 last_repaint_ms_ = 0;
  int files_started_ = 0;
  bool running_ = false;
  bool shown_ = false;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_DROP_PROGRESS_H_
