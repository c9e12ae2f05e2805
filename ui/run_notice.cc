// The windows module's second entry: a batch run started from the desktop
// tells what went wrong in a message box, since no terminal shows it.

#include <cstdlib>
#include <string>
#include <type_traits>

#include <QApplication>
#include <QFile>

#include "app/windows_module.h"
#include "ui/interactive_run.h"
#include "ui/problem_notice.h"

namespace quarnel {
namespace {

QtMessageHandler g_previous_handler = nullptr;

// A display that cannot be opened is fatal to Qt; the lines are on standard
// error already, so the notice is given up quietly instead of aborting.
void NoticeMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) std::_Exit(1);
  if (g_previous_handler != nullptr) g_previous_handler(type, context, message);
}

QString BatchProblemsSummary() {
  return QString::fromUtf8("開いたファイルの処理で、次のことがありました。");
}

// "quarnel: path: reason" as standard error has it, without the program's
// name; paths are bytes in the system's encoding.
QStringList NoticeLines(const char* lines) {
  QStringList shown;
  for (const QByteArray& line : QByteArray(lines).split('\n')) {
    if (line.isEmpty()) continue;
    shown.append(QFile::decodeName(line.startsWith("quarnel: ") ? line.mid(9) : line));
  }
  return shown;
}

}  // namespace
}  // namespace quarnel

#if defined(_WIN32)
#define QUARNEL_MODULE_EXPORT __declspec(dllexport)
#else
#define QUARNEL_MODULE_EXPORT __attribute__((visibility("default")))
#endif

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
  ShowProblemsAndWait(nullptr, BatchProblemsSummary(), NoticeLines(lines));
}

// The entry must keep the type the program calls it with.
static_assert(std::is_same_v<decltype(&QuarnelShowNotice), quarnel::WindowsNoticeEntry>);
