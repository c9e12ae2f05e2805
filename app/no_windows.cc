// The interactive run of a build without windows.
#include <iostream>

#include "app/interactive.h"

namespace quarnel {

int RunInteractive(int, char**) {
  std::cerr << "quarnel: this build has no window; give the files and folders to\n"
               "compact as arguments (see 'quarnel --help')\n";
  return 1;
}

}  // namespace quarnel
