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
    not_walked.push_back(path);
    not_walked_attributes.push_back(attributes);
  }
  void TempFileRemoved(const std::string& path) override { temp_files_removed.push_back(path); }

  std::vector<std::string> rewritten;
  std::vector<Status> failures;
  std::vector<std::string> not_walked;
  std::vector<std::uint32_t> not_walked_attributes;
  std::vector<std::string> temp_files_removed;
};

}  // namespace quarnel::testing_support

#endif  // QUARNEL_TESTS_FILES_RECORDING_OBSERVER_H_
