#ifndef QUARNEL_TESTS_FILES_RECORDING_OBSERVER_H_
#define QUARNEL_TESTS_FILES_RECORDING_OBSERVER_H_

#include <string>
#include <vector>

#include "files/work_report.h"

namespace quarnel::testing_support {

// Keeps every event of a run, in order.
class RecordingObserver final : public WorkReport::Observer {
 public:
  void FileRewritten(const std::string& path, std::uint64_t, std::uint64_t) override {
    rewritten.push_back(path);
  }
  void PathFailed(const Status& failure) override { failures.push_back(failure); }
  void FolderNotWalked(const std::string& path, std::uint32_t attributes) override {
    notWalked.push_back(path);
    notWalkedAttributes.push_back(attributes);
  }
  void TempFileRemoved(const std::string& path) override { tempFilesRemoved.push_back(path); }

  std::vector<std::string> rewritten;
  std::vector<Status> failures;
  std::vector<std::string> notWalked;
  std::vector<std::uint32_t> notWalkedAttributes;
  std::vector<std::string> tempFilesRemoved;
};

}  // namespace quarnel::testing_support

#endif  // QUARNEL_TESTS_FILES_RECORDING_OBSERVER_H_
