#ifndef QUARNEL_UI_RULES_NOTICE_TEXTS_H_
#define QUARNEL_UI_RULES_NOTICE_TEXTS_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace quarnel {

// The words of the warning box, titled "Quarnel", in which the windows tell
// what could not be done: a user who started from the desktop sees no
// standard error stream. UTF-8, whatever toolkit shows them.

// The summaries.
std::string DropProblemsSummary(int count);
std::string SettingsNotReadSummary();
std::string SettingsNotSavedSummary();
// For a batch run started from the desktop.
std::string BatchProblemsSummary();

// "path: reason" of a failure, for the details.
std::string ProblemLine(const Status& status);

// At most kShownProblems details are listed, then how many more there were.
inline constexpr int kShownProblems = 10;
std::vector<std::string> ShownProblemLines(const std::vector<std::string>& details);

// The details of what a batch run wrote to standard error ("quarnel: path:
// reason" lines): each non-empty line without the program's name.
std::vector<std::string> ProblemLinesFromErrors(std::string_view errors);

}  // namespace quarnel

#endif  // QUARNEL_UI_RULES_NOTICE_TEXTS_H_
