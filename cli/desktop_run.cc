#include "cli/desktop_run.h"

#include <sstream>

#include "cli/batch_run.h"

namespace quarnel {

int RunFromDesktop(const std::vector<std::string>& args, Env& env, Settings& settings,
                   std::ostream& out, std::ostream& err, const ProblemTeller& tell) {
  std::ostringstream told;
  const int status = RunCommandLine(args, env, settings, out, told);
  err << told.str();
  std::vector<std::string> lines;
  std::istringstream reader(told.str());
  for (std::string line; std::getline(reader, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  if (!lines.empty()) tell(lines);
  return status;
}

}  // namespace quarnel
