// The interactive run end to end: the main window's load step, its hot
// areas, drops that really compact files, the settings and about windows
// opened from it, the pin, and the settings file written when it closes.

#include "ui/qt/form1.h"

#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "settings/default_lists.h"
#include "tests/ui/qt/qt_test_support.h"
#include "ui/qt/hot_spot.h"
#include "ui/qt/indicator_picture.h"
#include "ui/qt/interactive_run.h"
#include "ui/qt/set_frm.h"
#include "ui/qt/ver_frm.h"
#include "ui/qt/window_services.h"

namespace quarnel {

// Notes when the main window was first painted with the drop count shown.
class PaintWatcher final : public QObject {
 public:
  explicit PaintWatcher(Form1& form) : form_(form) { form_.installEventFilter(this); }
  ~PaintWatcher() override { form_.removeEventFilter(this); }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && form_.DropCountVisible() && !count_shown) {
      count_shown = std::chrono::steady_clock::now();
    }
    return false;
  }

  std::optional<std::chrono::steady_clock::time_point> count_shown;

 private:
  Form1& form_;
};

class Form1Test : public QObject {
  Q_OBJECT

 private:
  // Image1 (index): the middle of its rectangle.
  static QPoint HotArea(int index) {
    const Rect& r = kForm1HotAreas[index].rect;
    return QPoint(r.left + r.width / 2, r.top + r.height / 2);
  }
  static constexpr QPoint kFace{150, 75};

  void StartRun() {
    run_ = std::make_unique<InteractiveRun>(*env_, settings_);
    const Status loaded = run_->Start();
    QVERIFY2(loaded.ok(), loaded.ToString().c_str());
    QVERIFY(QTest::qWaitForWindowExposed(&form()));
    env_->reads.clear();  // from here on, what the drops read
  }

  Form1& form() { return run_->main_window(); }
  bool PinShown() { return !Control(&form(), QStringLiteral("Picture1"))->isHidden(); }

  // The settings file's lines, without their CR LF.
  QStringList SettingsFileLines() {
    const QByteArray bytes = ReadAll(program_.filePath(QStringLiteral("Quarnel.ini")));
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
  }

  // A drag that enters the control at `at` and is dropped there, delivered
  // as the application delivers one: to the control, or to the nearest
  // window around it that takes drops.
  void Drop(const QMimeData& data, QPoint at) {
    QWidget* control = form().childAt(at);
    if (control == nullptr) control = &form();
    const QPoint local = control->mapFrom(&form(), at);
    QDragEnterEvent enter(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control, &enter);
    QDropEvent drop(QPointF(local), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control, &drop);
  }

  void Drop(const QList<QUrl>& urls, QPoint at) {
    QMimeData data;
    data.setUrls(urls);
    Drop(data, at);
  }

  std::unique_ptr<QTemporaryDir> program_holder_;
  QDir program_;
  std::unique_ptr<FolderEnv> env_;
  Settings settings_;
  std::unique_ptr<InteractiveRun> run_;

 private slots:
  void init() {
    program_holder_ = std::make_unique<QTemporaryDir>();
    program_ = QDir(program_holder_->path());
    env_ = std::make_unique<FolderEnv>(program_.path().toStdString());
    settings_ = Settings{};
  }

  void cleanup() {
    if (run_ && !run_->ended()) form().close();
    run_.reset();
  }

  void firstStartPinsTheWindow() {
    StartRun();
    QVERIFY(settings_.SettingsLoaded);
    QCOMPARE(settings_.DeleteLines, DefaultDeleteLines());
    QCOMPARE(settings_.JoinTags, DefaultJoinTags());
    QCOMPARE(form().size(), QSize(300, 150));
    QCOMPARE(form().windowTitle(), QStringLiteral("Quarnel 2"));
    QVERIFY(form().windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(form().windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(PinShown());
    QVERIFY(IsTopmost(&form()));
    for (const MainHotArea& area : kForm1HotAreas) {
      const Rect& r = area.rect;
      QCOMPARE(Control(&form(), QStringLiteral("Image1(%1)").arg(area.index))->geometry(),
               QRect(r.left, r.top, r.width, r.height));
    }
    QCOMPARE(Control(&form(), QStringLiteral("Picture1"))->geometry(), QRect(225, 2, 14, 14));

    form().close();  // as Close from the taskbar button does
    QVERIFY(run_->ended());
    const QStringList lines = SettingsFileLines();
    QCOMPARE(lines.size(), 20);
    QCOMPARE(lines.mid(0, 8), (QStringList{"ZENTHARO QUARNEL VER 2.01.01", " 0 ", " 0 ", " 0 ",
                                           " 0 ", " 2 ", " 10 ", " 0 "}));
  }

  void startUnpinnedFromTheSettingsFile() {
    WriteAll(program_.filePath(QStringLiteral("Quarnel.ini")),
             "ZENTHARO QUARNEL VER 2.01.01\r\n 0 \r\n 0 \r\n 3 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");
    StartRun();
    QVERIFY(!PinShown());
    QVERIFY(!IsTopmost(&form()));
    ClickAt(&form(), HotArea(3));  // close
    QVERIFY(run_->ended());
    QCOMPARE(SettingsFileLines().value(3), QStringLiteral(" 1 "));
  }

  void pinTogglesFromHotAreaAndIndicator() {
    StartRun();
    const WId native = form().winId();
    const QPoint place = form().pos();
    ClickAt(&form(), QPoint(232, 9));  // on Picture1 itself
    QVERIFY(!PinShown());
    QVERIFY(!IsTopmost(&form()));
    ClickAt(&form(), QPoint(225, 16));  // hot area 5 beside the indicator
    QVERIFY(PinShown());
    QVERIFY(IsTopmost(&form()));
    QCOMPARE(form().winId(), native);  // switched in place
    QCOMPARE(form().pos(), place);

    // Pinned, minimized and restored: still on top.
    ClickAt(&form(), HotArea(2));
    QVERIFY(form().isMinimized());
    form().showNormal();
    QVERIFY(IsTopmost(&form()));
    // Unpinned, minimized and restored: the window stays as the indicator
    // says, and the indicator decides the file.
    ClickAt(&form(), HotArea(5));
    ClickAt(&form(), HotArea(2));
    form().showNormal();
    QVERIFY(!IsTopmost(&form()));
    QVERIFY(!PinShown());
    form().close();
    QCOMPARE(SettingsFileLines().value(3), QStringLiteral(" 1 "));
  }

  void readmeAndFaceDrag() {
    OpenedUrls opened;
    StartRun();
    ClickAt(&form(), HotArea(4));
    QCOMPARE(opened.urls,
             QList<QUrl>{QUrl::fromLocalFile(program_.filePath(QStringLiteral("readme.htm")))});

    const QPoint start = form().pos();
    QTest::mousePress(form().windowHandle(), Qt::LeftButton, Qt::NoModifier, HotArea(0));
    QTest::mouseMove(form().windowHandle(), HotArea(0) + QPoint(0, -30));
    // Released off the hot area: no click either.
    QTest::mouseRelease(form().windowHandle(), Qt::LeftButton, Qt::NoModifier,
                        HotArea(0) + QPoint(0, -30));
    QCOMPARE(form().pos(), start);  // a press on a hot area does not move the window

    QTest::mousePress(form().windowHandle(), Qt::RightButton, Qt::NoModifier, kFace);
    QTest::mouseMove(form().windowHandle(), kFace + QPoint(-30, 12));
    QTest::mouseRelease(form().windowHandle(), Qt::RightButton, Qt::NoModifier, kFace);
    QCOMPARE(form().pos(), start + QPoint(-30, 12));  // any button on the face does

    MoveTo(&form(), HotArea(1));
    QCOMPARE(form().cursor().shape(), Qt::BitmapCursor);
    MoveTo(&form(), kFace);
    QCOMPARE(form().cursor().shape(), Qt::ArrowCursor);
  }

  void dropCompactsFilesAndFolders() {
    StartRun();
    QTemporaryDir site;
    const QDir dir(site.path());
    QVERIFY(dir.mkpath(QStringLiteral("sub")));
    const QByteArray page =
        "<html>  "
        "\r\n<HEAD>\r\n\r\n<title>t</title>\t\r\n</head>\r\n<body>\r\n</body>\r\n</html>\r\n";
    const QByteArray compacted =
        "<html>\r\n<HEAD>\r\n<title>t</title>\r\n</head>\r\n<body>\r\n</body>\r\n</html>\r\n";
    for (const char* name : {"b.html", "a.htm", "sub/c.shtml", "sub/notes.txt"}) {
      WriteAll(dir.filePath(QString::fromLatin1(name)), page);
    }
    // Dropped on a hot area: handed on to the face's drop handling.
    Drop({QUrl::fromLocalFile(dir.filePath(QStringLiteral("b.html"))),
          QUrl::fromLocalFile(dir.filePath(QStringLiteral("sub"))),
          QUrl::fromLocalFile(dir.filePath(QStringLiteral("a.htm")))},
         HotArea(0));

    QCOMPARE(ReadAll(dir.filePath(QStringLiteral("b.html"))), compacted);
    QCOMPARE(ReadAll(dir.filePath(QStringLiteral("a.htm"))), compacted);
    QCOMPARE(ReadAll(dir.filePath(QStringLiteral("sub/c.shtml"))), compacted);
    QCOMPARE(ReadAll(dir.filePath(QStringLiteral("sub/notes.txt"))), page);
    std::vector<std::string> pages = {
        QFile::encodeName(dir.filePath(QStringLiteral("a.htm"))).toStdString(),
        QFile::encodeName(dir.filePath(QStringLiteral("b.html"))).toStdString(),
        QFile::encodeName(dir.filePath(QStringLiteral("sub/c.shtml"))).toStdString()};
    // Each page read once; the drop's file jobs read them side by side (what
    // is told of them comes in the drop's order, as for the command line).
    std::vector<std::string> reads = env_->reads;
    std::sort(reads.begin(), reads.end());
    QCOMPARE(reads, pages);
    QVERIFY(!form().DropCountVisible());

    // A drop without files does nothing.
    env_->reads.clear();
    QMimeData text;
    text.setText(dir.filePath(QStringLiteral("b.html")));
    Drop(text, kFace);
    QVERIFY(env_->reads.empty());
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://www.quarnel.example/index.html"))});
    Drop(web, kFace);
    QVERIFY(env_->reads.empty());
  }

  void damagedSettingsFileIsToldOnTheWindow() {
    WriteAll(program_.filePath(QStringLiteral("Quarnel.ini")),
             "ZENTHARO QUARNEL VER 2.01.01\r\n 1 \r\n");
    run_ = std::make_unique<InteractiveRun>(*env_, settings_);
    QVERIFY(!run_->Start().ok());
    auto* notice = form().findChild<QMessageBox*>(QStringLiteral("ProblemNotice"));
    QVERIFY(notice != nullptr);
    QVERIFY(notice->informativeText().contains(QStringLiteral("Quarnel.ini")));
    QCOMPARE(settings_.JoinTags.size(), std::size_t{10});  // the defaults are in place
  }

  void failedPathsOfADropAreToldOnTheWindow() {
    StartRun();
    QTemporaryDir site;
    const QDir dir(site.path());
    const QByteArray page = "<HEAD>\r\n  x  \r\n";
    WriteAll(dir.filePath(QStringLiteral("frozen.html")), page);
    WriteAll(dir.filePath(QStringLiteral("open.html")), page);
    QFile::setPermissions(dir.filePath(QStringLiteral("frozen.html")),
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const QString missing = dir.filePath(QStringLiteral("gone.html"));
    Drop({QUrl::fromLocalFile(dir.filePath(QStringLiteral("frozen.html"))),
          QUrl::fromLocalFile(missing),
          QUrl::fromLocalFile(dir.filePath(QStringLiteral("open.html")))},
         kFace);

    // The rest of the drop was done, and the notice names both failures.
    QCOMPARE(ReadAll(dir.filePath(QStringLiteral("open.html"))), QByteArray("<HEAD>\r\n  x\r\n"));
    QCOMPARE(ReadAll(dir.filePath(QStringLiteral("frozen.html"))), page);
    auto* notice = form().findChild<QMessageBox*>(QStringLiteral("ProblemNotice"));
    QVERIFY(notice != nullptr);
    QVERIFY(notice->isVisible());
    QVERIFY(notice->text().contains(QStringLiteral("2")));
    QVERIFY(notice->informativeText().contains(dir.filePath(QStringLiteral("frozen.html"))));
    QVERIFY(notice->informativeText().contains(missing));
    notice->close();

    // A drop where everything works shows nothing.
    QTRY_VERIFY(form().findChild<QMessageBox*>(QStringLiteral("ProblemNotice")) == nullptr);
    Drop({QUrl::fromLocalFile(dir.filePath(QStringLiteral("open.html")))}, kFace);
    QVERIFY(form().findChild<QMessageBox*>(QStringLiteral("ProblemNotice")) == nullptr);
  }

  void longDropShowsItsCount() {
    StartRun();
    QTemporaryDir site;
    QList<QUrl> urls;
    for (int i = 0; i < 3; ++i) {
      const QString path = QDir(site.path()).filePath(QStringLiteral("p%1.html").arg(i));
      WriteAll(path, "<head>\r\n");
      urls.append(QUrl::fromLocalFile(path));
    }
    // The first page read takes over a second: the count is hidden when the
    // drop starts and painted while it waits for that page. (The read runs
    // on a file job's thread, so it looks at nothing of the window's.)
    std::atomic<int> reads = 0;
    env_->on_read = [&](const std::string&) {
      if (reads++ == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    };
    PaintWatcher paints(form());
    const auto start = std::chrono::steady_clock::now();
    Drop(urls, kFace);
    env_->on_read = nullptr;
    QVERIFY(paints.count_shown.has_value());
    QVERIFY(*paints.count_shown - start >= DropProgress::kShowAfter);
    QVERIFY(!form().DropCountVisible());
  }

  void settingsWindowSavesIntoSettingsAndFile() {
    StartRun();
    bool opened_modal = false;
    WhenModalOpens([&](QWidget* modal) {
      auto* window = qobject_cast<SetFrm*>(modal);
      if (window == nullptr) return;
      opened_modal = window->isModal() && window->parentWidget() == &form();
      ClickAt(window, QPoint(40, 104));  // 「サイズ優先」
      ClickAt(window, QPoint(220, 48));  // 「□ Quarnel タグ追加」
      ClickAt(window, QPoint(60, 296));  // 「□追加したい文リスト」
      auto* entry = Control<QLineEdit>(window, QStringLiteral("Text1(2)"));
      entry->setText(QStringLiteral("<meta name=\"robots\" content=\"noindex\">"));
      QTest::keyClick(entry, Qt::Key_Return);
      auto* tags = Control<QListWidget>(window, QStringLiteral("List1(1)"));
      tags->setCurrentRow(0);
      QTest::keyClick(tags, Qt::Key_Delete);
      ClickAt(window, QPoint(60, 416));  // 「変更して閉じる」
    });
    ClickAt(&form(), HotArea(0));
    QVERIFY(opened_modal);
    QCOMPARE(settings_.CompactMode, 1);
    QCOMPARE(settings_.WriteSignature, 1);
    QCOMPARE(settings_.InsertHeadLines, 1);
    QCOMPARE(settings_.JoinTags.size(), std::size_t{9});
    QCOMPARE(settings_.HeadLines, ItemList{"<meta name=\"robots\" content=\"noindex\">"});

    form().close();
    const QStringList lines = SettingsFileLines();
    QCOMPARE(lines.mid(0, 8), (QStringList{"ZENTHARO QUARNEL VER 2.01.01", " 1 ", " 1 ", " 0 ",
                                           " 1 ", " 2 ", " 9 ", " 1 "}));
    QCOMPARE(lines.value(10), QStringLiteral("</p>"));
    QCOMPARE(lines.last(), QStringLiteral("<meta name=\"robots\" content=\"noindex\">"));
  }

  void settingsWindowClosedWithoutSavingKeepsAll() {
    StartRun();
    const Settings before = settings_;
    WhenModalOpens([&](QWidget* modal) {
      if (qobject_cast<SetFrm*>(modal) == nullptr) return;
      ClickAt(modal, QPoint(40, 104));
      Control<QListWidget>(modal, QStringLiteral("List1(0)"))->setCurrentRow(0);
      ClickAt(modal, QPoint(84, 256));   // 「削除」
      ClickAt(modal, QPoint(232, 416));  // 「変更しないで閉じる」
    });
    ClickAt(&form(), HotArea(0));
    QCOMPARE(settings_.CompactMode, before.CompactMode);
    QCOMPARE(settings_.DeleteLines, before.DeleteLines);

    // Reopened, the window shows the saved lists, not the edits.
    int items = -1;
    WhenModalOpens([&](QWidget* modal) {
      if (qobject_cast<SetFrm*>(modal) == nullptr) return;
      items = Control<QListWidget>(modal, QStringLiteral("List1(0)"))->count();
      ClickAt(modal, QPoint(288, 8));  // the cross
    });
    ClickAt(&form(), HotArea(0));
    QCOMPARE(items, 2);
    form().close();
    QCOMPARE(SettingsFileLines().mid(1, 7),
             (QStringList{" 0 ", " 0 ", " 0 ", " 0 ", " 2 ", " 10 ", " 0 "}));
  }

  void pinSwitchInTheSettingsWindowActsOnBoth() {
    StartRun();
    bool settings_on_top = true;
    bool main_on_top = true;
    bool main_pin = true;
    WhenModalOpens([&](QWidget* modal) {
      if (qobject_cast<SetFrm*>(modal) == nullptr) return;
      ClickAt(modal, QPoint(258, 9));  // the pin mark, on Picture5
      settings_on_top = IsTopmost(modal);
      main_on_top = IsTopmost(&form());
      main_pin = PinShown();
      ClickAt(modal, QPoint(232, 416));  // close without saving: the pin stays
    });
    ClickAt(&form(), HotArea(0));
    QVERIFY(!settings_on_top);
    QVERIFY(!main_on_top);
    QVERIFY(!main_pin);
    QVERIFY(!PinShown());
    form().close();
    QCOMPARE(SettingsFileLines().value(3), QStringLiteral(" 1 "));
  }

  void aboutWindowOpensOverThePinnedMainWindow() {
    StartRun();
    bool about_on_top = false;
    bool modal_owned = false;
    WhenModalOpens([&](QWidget* modal) {
      if (qobject_cast<VerFrm*>(modal) == nullptr) return;
      about_on_top = IsTopmost(modal);
      modal_owned = modal->parentWidget() == &form();
      ClickAt(modal, QPoint(288, 12));  // the cross
    });
    ClickAt(&form(), HotArea(1));
    QVERIFY(about_on_top);
    QVERIFY(modal_owned);
    QVERIFY(form().isVisible());
  }
};

}  // namespace quarnel

QTEST_MAIN(quarnel::Form1Test)
#include "form1_test.moc"
