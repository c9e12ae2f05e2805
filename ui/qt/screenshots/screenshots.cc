// Renders the three windows to PNG files for review:
//   quarnel_screenshots OUTPUT_FOLDER
// Runs on any Qt platform; "make screenshots" uses the offscreen one.

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QStringList>
#include <QTemporaryDir>

#include "files/session.h"
#include "settings/settings.h"
#include "tests/support/sample_settings.h"
#include "tests/support/slow_reads.h"
#include "ui/qt/form1.h"
#include "ui/qt/set_frm.h"
#include "ui/qt/ver_frm.h"

namespace quarnel {
namespace {

bool Save(QWidget& window, const QDir& folder, const QString& name) {
  window.show();
  QApplication::processEvents();
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  if (!window.grab().save(path)) {
    std::fprintf(stderr, "quarnel_screenshots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

bool SettingsWindow(Settings& settings, Form1& main_window, const QDir& folder, int mode,
                    int head) {
  settings.CompactMode = mode;
  settings.InsertHeadLines = head;
  settings.WriteSignature = mode;
  SetFrm window(*Env::Default(), settings, main_window, &main_window);
  const bool ok = Save(window, folder,
                       QString::fromStdString(testing_support::SettingsWindowShotName(mode, head)));
  window.hide();
  return ok;
}

// A drop long enough for the count of files done to appear on the face: the
// last page's read is held until the count shows, and the face is taken
// then, on the window's thread (the read runs on a file job's thread; the
// drop runs queued calls while it waits for its jobs).
bool DropInProgress(Settings& settings, const QDir& folder) {
  QTemporaryDir site;
  QStringList paths;
  for (int i = 0; i < 5; ++i) {
    const QString path = site.filePath(QStringLiteral("page%1.html").arg(i));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write("<html>\r\n<head>  \r\n</head>\r\n</html>\r\n");
    paths.append(path);
  }
  bool ok = false;
  Form1* shown = nullptr;
  testing_support::SlowReads slow(*Env::Default(), paths.back().toStdString(), [&] {
    QMetaObject::invokeMethod(
        shown, [&] { ok = Save(*shown, folder, QStringLiteral("form1_drop_in_progress")); },
        Qt::BlockingQueuedConnection);
  });
  Session session(slow, settings);
  Form1 form(session);
  shown = &form;
  form.show();
  slow.DropStarts();
  form.ProcessDrop(paths);
  return ok;
}

int Run(const QDir& folder) {
  Settings settings = testing_support::SampleSettings();
  Session session(*Env::Default(), settings);
  Form1 form(session);
  bool ok = Save(form, folder, QStringLiteral("form1_pinned"));
  form.SetPinShown(false);
  ok &= Save(form, folder, QStringLiteral("form1_unpinned"));
  form.SetPinShown(true);
  ok &= DropInProgress(settings, folder);

  for (int mode : {0, 1}) {
    for (int head : {0, 1}) ok &= SettingsWindow(settings, form, folder, mode, head);
  }
  {
    VerFrm about(form, &form);
    ok &= Save(about, folder, QStringLiteral("verfrm"));
    about.hide();
  }
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace quarnel

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: quarnel_screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "quarnel_screenshots: cannot create %s\n", argv[1]);
    return 1;
  }
  return quarnel::Run(folder);
}
