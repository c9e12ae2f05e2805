#include "files/progress_env.h"

namespace quarnel {

void ProgressEnv::Step() const {
  if (listener_.step) listener_.step();
}

FindHandle ProgressEnv::FindFirstFile(const std::string& pattern, FindRecord* record) {
  const FindHandle handle = EnvWrapper::FindFirstFile(pattern, record);
  Step();
  return handle;
}

FindHandle ProgressEnv::FindFirstFileQuick(const std::string& pattern, FindRecord* record) {
  const FindHandle handle = EnvWrapper::FindFirstFileQuick(pattern, record);
  Step();
  return handle;
}

bool ProgressEnv::FindNextFile(FindHandle handle, FindRecord* record) {
  const bool found = EnvWrapper::FindNextFile(handle, record);
  Step();
  return found;
}

}  // namespace quarnel
