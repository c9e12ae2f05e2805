#ifndef QUARNEL_TESTS_SUPPORT_FOLDER_ENV_H_
#define QUARNEL_TESTS_SUPPORT_FOLDER_ENV_H_

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/env_wrapper.h"

namespace quarnel::testing_support {

// The machine's Env with the program folder moved to a test folder, where
// the settings file is then read and written, and no per-user folder.
// Every file read is recorded; the reads come from the file jobs, on
// several threads.
class FolderEnv final : public EnvWrapper {
 public:
  explicit FolderEnv(std::string program_folder)
      : EnvWrapper(*Env::Default()), folder_(std::move(program_folder)) {}

  Status ReadFile(const std::string& path, std::string* contents,
                  FileStamp* stamp = nullptr) override {
    {
      std::lock_guard lock(reads_mutex_);
      reads.push_back(path);
    }
    if (on_read) on_read(path);
    return EnvWrapper::ReadFile(path, contents, stamp);
  }
  std::string ProgramFolder() override { return folder_; }
  std::string UserConfigFolder() override { return {}; }

  // Every file read, in the order the file jobs read them. Look at it
  // when no run is under way.
  std::vector<std::string> reads;
  // Called before each read, on the reading thread.
  std::function<void(const std::string& path)> on_read;

 private:
  std::mutex reads_mutex_;
  const std::string folder_;
};

}  // namespace quarnel::testing_support

#endif  // QUARNEL_TESTS_SUPPORT_FOLDER_ENV_H_
