// The about window as the user meets it: its click areas, the notice, the
// pointer, and that it closes but never moves.

#include "ui/qt/ver_frm.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>

#include "tests/ui/qt/qt_test_support.h"
#include "tests/ui/rules/rules_fakes.h"
#include "ui/qt/window_services.h"

namespace quarnel {

class VerFrmTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<VerFrm> Open() {
    auto window = std::make_unique<VerFrm>(main_, nullptr);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qFatal("window not exposed");
    return window;
  }

  static QPoint Centre(int index) {
    const Rect& r = kVerFrmHotSpots[index];
    return QPoint(r.left + r.width / 2, r.top + r.height / 2);
  }

  static constexpr QPoint kBareArtwork{40, 150};
  static constexpr QPoint kVersionText{260, 80};

  FakeMainWindowPin main_;

 private slots:
  void init() { main_ = FakeMainWindowPin{}; }

  void layout() {
    const auto window = Open();
    QCOMPARE(window->size(), QSize(300, 300));
    QCOMPARE(window->windowTitle(), QStringLiteral("Quarnel 2"));
    for (int i = 0; i < 4; ++i) {
      const Rect& r = kVerFrmHotSpots[i];
      QCOMPARE(Control(window.get(), QStringLiteral("Image1(%1)").arg(i))->geometry(),
               QRect(r.left, r.top, r.width, r.height));
    }
    auto* label = Control<QLabel>(window.get(), QStringLiteral("Label1"));
    QCOMPARE(label->geometry(), QRect(240, 72, 57, 17));
    QCOMPARE(label->text(), QStringLiteral("2.01.04"));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(64, 64, 64));
  }

  void linksOpenAndKeepTheWindow() {
    OpenedUrls opened;
    const auto window = Open();
    ClickAt(window.get(), Centre(0));  // the banner
    ClickAt(window.get(), Centre(1));  // POST MAIL
    QCOMPARE(opened.urls, (QList<QUrl>{QUrl(QStringLiteral("https://www.quarnel.example/")),
                                       QUrl(QStringLiteral("mailto:author@quarnel.example"))}));
    QVERIFY(window->isVisible());
  }

  void updateShowsTheNotice() {
    const auto window = Open();
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModalOpens([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr) return;
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      box->button(QMessageBox::Ok)->click();
    });
    ClickAt(window.get(), Centre(3));
    QCOMPARE(title, QStringLiteral("Quarnel"));
    QCOMPARE(text, QStringLiteral("現在この機能は実装されていません、\nV3で実装予定です"));
    QCOMPARE(icon, QMessageBox::Information);
    QVERIFY(window->isVisible());
  }

  void crossVersionTextAndArtworkClose() {
    for (const QPoint at : {Centre(2), kVersionText, kBareArtwork, QPoint(150, 290)}) {
      const auto window = Open();
      ClickAt(window.get(), at);
      QVERIFY2(!window->isVisible(), qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
    }
  }

  void pointerFollowsHotSpotsOnly() {
    const auto window = Open();
    MoveTo(window.get(), Centre(0));
    QCOMPARE(window->cursor().shape(), Qt::BitmapCursor);
    MoveTo(window.get(), kVersionText);  // keeps the last pointer
    QCOMPARE(window->cursor().shape(), Qt::BitmapCursor);
    MoveTo(window.get(), kBareArtwork);
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    MoveTo(window.get(), kVersionText);
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
  }

  void dragDoesNotMove() {
    const auto window = Open();
    const QPoint start = window->pos();
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, kBareArtwork);
    QTest::mouseMove(window->windowHandle(), kBareArtwork + QPoint(30, 20));
    QCOMPARE(window->pos(), start);
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                        kBareArtwork + QPoint(30, 20));
    QVERIFY(!window->isVisible());
  }

  void onTopOnlyWithTheMainWindow() {
    main_.shown = true;
    QVERIFY(IsTopmost(Open().get()));
    main_.shown = false;
    QVERIFY(!IsTopmost(Open().get()));
  }
};

}  // namespace quarnel

QTEST_MAIN(quarnel::VerFrmTest)
#include "ver_frm_test.moc"
