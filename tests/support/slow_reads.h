#ifndef QUARNEL_TESTS_SUPPORT_SLOW_READS_H_
#define QUARNEL_TESTS_SUPPORT_SLOW_READS_H_

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <utility>

#include "platform/env_wrapper.h"
#include "ui/rules/drop_progress.h"

namespace quarnel::testing_support {

// An Env whose pages are read slowly, on whichever thread reads them (the
// file jobs run on threads of their own): each read takes 300 ms, and the
// read of `held` waits until the count of files done has shown on the face
// and calls `at_hold` before it goes on, so that the face can be taken in
// the middle of a drop.
class SlowReads final : public EnvWrapper {
 public:
  SlowReads(Env& base, std::string held, std::function<void()> at_hold)
      : EnvWrapper(base), held_(std::move(held)), at_hold_(std::move(at_hold)) {}

  void DropStarts() { start_ = std::chrono::steady_clock::now(); }

  Status ReadFile(const std::string& path, std::string* contents, FileStamp* stamp) override {
    if (path == held_) {
      std::this_thread::sleep_until(start_ + DropProgress::kShowAfter +
                                    std::chrono::milliseconds(500));
      at_hold_();
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    return EnvWrapper::ReadFile(path, contents, stamp);
  }

 private:
  const std::string held_;
  const std::function<void()> at_hold_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace quarnel::testing_support

#endif  // QUARNEL_TESTS_SUPPORT_SLOW_READS_H_
