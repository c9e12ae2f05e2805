#ifndef QUARNEL_UI_RULES_DROP_OBSERVER_H_
#define QUARNEL_UI_RULES_DROP_OBSERVER_H_

#include <string>
#include <vector>

#include "files/run_observer.h"
#include "ui/rules/drop_progress.h"

namespace quarnel {

class MainWindowFace;

// Follows one drop on the main window. Its advance keeps the count of files
// done current and the face painted during a long drop. What failed goes
// to the standard error stream for whoever started the program from a
// terminal, and is kept for the notice that the window shows once the drop
// has ended.
class DropObserver final : public RunObserver {
 public:
  DropObserver(DropProgress& progress, MainWindowFace& face) : progress_(progress), face_(face) {}

  void PageStarted() override;
  void EntryListed() override { Step(); }
  void Waiting() override { Step(); }
  void Failure(const Status& failure) override;
  void Note(const RunNote& note) override;

  // "path: reason" of each failure, in the order the drop met them.
  const std::vector<std::string>& problems() const { return problems_; }

 private:
  void Step();

  DropProgress& progress_;
  MainWindowFace& face_;
  std::vector<std::string> problems_;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_RULES_DROP_OBSERVER_H_
