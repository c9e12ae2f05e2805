#ifndef QUARNEL_UI_RULES_DROP_OBSERVER_H_
#define QUARNEL_UI_RULES_DROP_OBSERVER_H_

#include <string>
#include <vector>

#include "files/work_report.h"

namespace quarnel {

// What failed during a drop goes to the standard error stream for whoever
// started the program from a terminal, and is kept for the notice that the
// window shows once the drop has ended.
class DropObserver final : public WorkReport::Observer {
 public:
  void FileRewritten(const std::string&, std::uint64_t, std::uint64_t) override {}
  void PathFailed(const Status& failure) override;
  void FolderNotWalked(const std::string& path, std::uint32_t) override;

  // "path: reason" of each failure, in the order the drop met them.
  const std::vector<std::string>& problems() const { return problems_; }

 private:
  std::vector<std::string> problems_;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_RULES_DROP_OBSERVER_H_
