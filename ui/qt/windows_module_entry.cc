// The windows module's entry: the program was started without arguments, so
// the main window shows and takes drops until it is closed.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>

#include <QApplication>
#include <QStyleFactory>

#include "app/interactive.h"
#include "app/windows_module.h"
#include "settings/settings.h"
#include "ui/qt/interactive_run.h"
#include "ui/qt/problem_notice.h"
#include "ui/rules/notice_texts.h"

namespace quarnel {
namespace {

constexpr char kNoWindowHint[] =
    "quarnel: give the files and folders to compact as arguments to run without a window\n"
    "(see 'quarnel --help')\n";

QtMessageHandler g_previous_handler = nullptr;

// While the application starts, a fatal message means that no display could
// be opened: say so plainly and end with status 1 instead of aborting.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (type != QtFatalMsg) {
    if (g_previous_handler != nullptr) g_previous_handler(type, context, message);
    return;
  }
  (void)message;  // Qt's own words, already logged, speak of reinstalling
  std::fprintf(stderr, "quarnel: cannot open a window: no usable display\n%s", kNoWindowHint);
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

int RunInteractive(int argc, char** argv) {
  std::string why;
  if (!DisplayNamed(&why)) {
    std::fprintf(stderr, "quarnel: %s\n%s", why.c_str(), kNoWindowHint);
    return 1;
  }
  g_previous_handler = qInstallMessageHandler(StartupMessageHandler);
  QApplication app(argc, argv);
  qInstallMessageHandler(g_previous_handler);

  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  InteractiveRun run(*Env::Default(), TheSettings());
  (void)run.Start();  // what it had to say is told on the window and on standard error
  const int status = app.exec();
  // Every run ends through the unload step, also when the application was
  // told to quit without its window being closed (the session ending).
  if (!run.ended()) run.main_window().close();
  if (!run.unload_status().ok()) {
    ShowProblemsAndWait(nullptr, SettingsNotSavedSummary(), {ProblemLine(run.unload_status())});
  }
  return status;
}

}  // namespace quarnel

extern "C" QUARNEL_MODULE_EXPORT int QuarnelRunInteractive(int argc, char** argv) {
  return quarnel::RunInteractive(argc, argv);
}

// The entry must keep the type the program calls it with.
static_assert(std::is_same_v<decltype(&QuarnelRunInteractive), quarnel::WindowsModuleEntry>);
