#ifndef QUARNEL_TESTS_FILES_RECORDING_OBSERVER_H_
#define QUARNEL_TESTS_FILES_RECORDING_OBSERVER_H_

#include <string>
#include <vector>

#include "files/page_job.h"
#include "files/run_config.h"
#include "files/run_observer.h"

namespace quarnel::testing_support {

// A run whose pages are done one after another, on the test's thread.
inline RunConfig OneJob(bool dry_run = false) {
  RunConfig config;
  config.dry_run = dry_run;
  config.jobs = 1;
  return config;
}

// Keeps every event of a run, in order.
class RecordingObserver final : public RunObserver {
 public:
  void PageStarted() override { ++pages_started; }
  void PageDone(const std::string& path, const PageOutcome& outcome) override {
    if (outcome.kind == PageOutcome::Kind::kRewritten) rewritten.push_back(path);
  }
  void EntryListed() override { ++entries_listed; }
  void Failure(const Status& failure) override { failures.push_back(failure); }
  void Note(const RunNote& note) override {
    switch (note.kind) {
      case RunNote::Kind::kFolderNotWalked:
        not_walked.push_back(note.path);
        not_walked_attributes.push_back(note.attributes);
        return;
      case RunNote::Kind::kTempFileRemoved:
        temp_files_removed.push_back(note.path);
        return;
    }
  }

  int pages_started = 0;
  int entries_listed = 0;
  std::vector<std::string> rewritten;
  std::vector<Status> failures;
  std::vector<std::string> not_walked;
  std::vector<std::uint32_t> not_walked_attributes;
  std::vector<std::string> temp_files_removed;
};

}  // namespace quarnel::testing_support

#endif  // QUARNEL_TESTS_FILES_RECORDING_OBSERVER_H_
