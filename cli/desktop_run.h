#ifndef QUARNEL_CLI_DESKTOP_RUN_H_
#define QUARNEL_CLI_DESKTOP_RUN_H_

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/env.h"
#include "settings/settings.h"

namespace quarnel {

// Shows the lines a run wrote to standard error where a user started from
// the desktop can see them.
using ProblemTeller = std::function<void(const std::vector<std::string>& lines)>;

// A batch run started by a desktop launcher ("quarnel --desktop PATH..."):
// the command line as ever, and then, when it wrote anything to `err`
// (failures, warnings), those lines go to `tell` as well, since no
// terminal shows them. Returns the exit status.
int RunFromDesktop(const std::vector<std::string>& args, Env& env, Settings& settings,
                   std::ostream& out, std::ostream& err, const ProblemTeller& tell);

}  // namespace quarnel

#endif  // QUARNEL_CLI_DESKTOP_RUN_H_
