// The windows module's second entry: a batch run started from the desktop
// tells what went wrong in a message box, since no terminal shows it.

#include <cstdlib>
#include <string>
#include <type_traits>

#include <QApplication>

#include "app/windows_module.h"
#include "ui/qt/interactive_run.h"
#include "ui/qt/problem_notice.h"
#include "ui/rules/notice_texts.h"

namespace quarnel {
namespace {

QtMessageHandler g_previous_handler = nullptr;

// A display that cannot be opened is fatal to Qt; the lines are on standard
// error already, so the notice is given up quietly instead of aborting.
void NoticeMessageHandler(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
  if (type == QtFatalMsg) std::_Exit(1);
  if (g_previous_handler != nullptr) g_previous_handler(type, context, message);
}

}  // namespace
}  // namespace quarnel

extern "C" QUARNEL_MODULE_EXPORT void QuarnelShowNotice(const char* lines) {
  using namespace quarnel;
  std::string why;
  if (!DisplayNamed(&why)) return;
  int argc = 1;
  char name[] = "quarnel";
  char* argv[] = {name, nullptr};
  g_previous_handler = qInstallMessageHandler(NoticeMessageHandler);
  QApplication app(argc, argv);
  qInstallMessageHandler(g_previous_handler);
  ShowProblemsAndWait(nullptr, BatchProblemsSummary(), ProblemLinesFromErrors(lines));
}

// The entry must keep the type the program calls it with.
static_assert(std::is_same_v<decltype(&QuarnelShowNotice), quarnel::WindowsNoticeEntry>);
