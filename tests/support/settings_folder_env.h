#ifndef QUARNEL_TESTS_SUPPORT_SETTINGS_FOLDER_ENV_H_
#define QUARNEL_TESTS_SUPPORT_SETTINGS_FOLDER_ENV_H_

#include <string>
#include <utility>

#include "platform/env_wrapper.h"

namespace quarnel::testing_support {

// The machine's own Env, with the program folder (where the settings file
// lives) moved to `folder` and no per-user folder.
class SettingsFolderEnv final : public EnvWrapper {
 public:
  explicit SettingsFolderEnv(std::string folder)
      : EnvWrapper(*Env::Default()), folder_(std::move(folder)) {}
  std::string ProgramFolder() override { return folder_; }
  std::string UserConfigFolder() override { return {}; }

 private:
  std::string folder_;
};

}  // namespace quarnel::testing_support

#endif  // QUARNEL_TESTS_SUPPORT_SETTINGS_FOLDER_ENV_H_
