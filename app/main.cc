// quarnel: the core libraries plus main(). Started with arguments it is a
// batch tool that never touches a window; without any it opens its window.
#include <iostream>
#include <string>
#include <vector>

#include "files/batch_run.h"
#include "app/interactive.h"
#include "platform/env.h"
#include "settings/settings.h"

int main(int argc, char** argv) {
  if (argc <= 1) return quarnel::RunInteractive(argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return quarnel::RunCommandLine(args, *quarnel::Env::Default(), quarnel::TheSettings(),
                                 std::cout, std::cerr);
}
