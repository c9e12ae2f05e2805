// A batch run started without a console (pages dropped on quarnel.exe's
// icon, Send To) tells what went wrong in a message box: nobody sees its
// standard error.
#include <string>

#include "app/failure_notice.h"
#include "ui/rules/notice_texts.h"
#include "ui/win32/window_services.h"

namespace quarnel {

void ShowFailureNotice(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  ShowProblems(nullptr, BatchProblemsSummary(), ProblemLinesFromErrors(text));
}

}  // namespace quarnel
