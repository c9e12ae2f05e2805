#ifndef QUARNEL_UI_RULES_DROP_PROGRESS_H_
#define QUARNEL_UI_RULES_DROP_PROGRESS_H_

#include <chrono>
#include <string>

namespace quarnel {

// Follows one drop. A drop is processed synchronously, so the window would
// look frozen during a long one: after about a second a count of the files
// done becomes visible, and the window is to be repainted now and then.
class DropProgress {
 public:
  static constexpr std::chrono::milliseconds kShowAfter{1000};
  static constexpr std::chrono::milliseconds kRepaintEvery{50};

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
  using Clock = std::chrono::steady_clock;
  Clock::time_point start_;
  Clock::duration last_repaint_{};
  int files_started_ = 0;
  bool running_ = false;
  bool shown_ = false;
};

// The count drawn on the face: "N ファイル処理済み".
std::string DropCountText(int files_done);

}  // namespace quarnel

#endif  // QUARNEL_UI_RULES_DROP_PROGRESS_H_
