#ifndef QUARNEL_CLI_PROGRESS_LINE_H_
#define QUARNEL_CLI_PROGRESS_LINE_H_

#include <chrono>
#include <functional>
#include <iosfwd>
#include <string>

#include "files/run_observer.h"
#include "files/work_report.h"

namespace quarnel {

// One line on a terminal that shows how a long run advances: pages done of
// pages found, bytes read, and the folder of the page last done. It appears
// once the run has lasted about a second, is redrawn a few times a second,
// and is cleared before anything else is written and at the end. It hears
// of the run's advance as a RunObserver.
class ProgressLine final : public RunObserver {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  static constexpr std::chrono::milliseconds kShowAfter{1000};
  static constexpr std::chrono::milliseconds kRedrawEvery{250};
  static constexpr std::size_t kWidth = 79;  // fits a terminal of 80 columns

  ProgressLine(std::ostream& terminal, const WorkReport& report,
               Clock clock = std::chrono::steady_clock::now);

  void PageStarted() override { Update(); }
  void EntryListed() override { Update(); }
  void Waiting() override { Update(); }

  // Redraws the line when it is due.
  void Update();
  // Removes the line, if it is shown.
  void Clear();

  // The text of the line.
  static std::string Text(const WorkReport& report);

 private:
  std::ostream& terminal_;
  const WorkReport& report_;
  const Clock clock_;
  const std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point drawn_{};
  bool shown_ = false;
};

}  // namespace quarnel

#endif  // QUARNEL_CLI_PROGRESS_LINE_H_
