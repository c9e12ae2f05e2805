// The settings window as the user meets it: clicks at the skin's hot spots,
// keys in the lists and entry lines, and what reaches Settings.

#include "ui/qt/set_frm.h"

#include <QListWidget>
#include <QTemporaryDir>

#include "settings/default_lists.h"
#include "tests/ui/qt/qt_test_support.h"
#include "tests/ui/rules/rules_fakes.h"
#include "ui/qt/boxes.h"
#include "ui/qt/hot_spot.h"
#include "ui/qt/window_services.h"

namespace quarnel {

class SetFrmTest : public QObject {
  Q_OBJECT

 private:
  // A settings window over `settings_`, shown and ready for input.
  std::unique_ptr<SetFrm> Open() {
    auto window = std::make_unique<SetFrm>(env_, settings_, main_, nullptr);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qFatal("window not exposed");
    return window;
  }

  static QPoint Centre(const QString& name, int index = -1) {
    for (const ControlPlace& place : kSetFrmControls) {
      if (QString::fromUtf8(place.name.data(), place.name.size()) == name && place.index == index) {
        return QPoint(place.rect.left + place.rect.width / 2,
                      place.rect.top + place.rect.height / 2);
      }
    }
    qFatal("no such control");
  }

  static bool Shown(QWidget* window, const char* picture) {
    return !Control(window, QString::fromLatin1(picture))->isHidden();
  }

  static QStringList Items(QWidget* window, int i) {
    auto* list = Control<QListWidget>(window, ControlName(QStringLiteral("List1"), i));
    QStringList items;
    for (int k = 0; k < list->count(); ++k) items.append(list->item(k)->text());
    return items;
  }

  QTemporaryDir folder_;
  FolderEnv env_{folder_.path().toStdString()};
  Settings settings_;
  FakeMainWindowPin main_;

 private slots:
  void init() {
    settings_ = Settings{};
    settings_.DeleteLines = DefaultDeleteLines();
    settings_.JoinTags = DefaultJoinTags();
    settings_.SettingsLoaded = true;
    main_ = FakeMainWindowPin{};
  }

  void controlsLieAtTheirRectangles() {
    const auto window = Open();
    QCOMPARE(window->size(), QSize(300, 430));
    QCOMPARE(window->windowTitle(), QStringLiteral("Setings"));
    QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    for (const ControlPlace& place : kSetFrmControls) {
      const QString name =
          ControlName(QString::fromUtf8(place.name.data(), place.name.size()), place.index);
      const QRect expected(place.rect.left, place.rect.top, place.rect.width, place.rect.height);
      QCOMPARE(Control(window.get(), name)->geometry(), expected);
    }
    QCOMPARE(window->focusWidget(), Control(window.get(), QStringLiteral("List1(0)")));
  }

  void tabSkipsHiddenIndicators() {
    const auto window = Open();  // mode 0: of the indicators only Picture2 and Picture5 show
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QStringList order;
    for (int i = 0; i < 7; ++i) {
      QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
      order.append(window->focusWidget()->objectName());
    }
    QCOMPARE(order, (QStringList{"Text1(0)", "List1(1)", "Text1(1)", "Picture2", "Text1(2)",
                                 "List1(2)", "Picture5"}));
  }

  void loadShowsTheSettings() {
    settings_.CompactMode = 1;
    settings_.InsertHeadLines = 1;
    settings_.HeadLines = {"<meta charset=\"Shift_JIS\">"};
    auto window = Open();
    QVERIFY(Shown(window.get(), "Picture3"));
    QVERIFY(!Shown(window.get(), "Picture2"));
    QVERIFY(Shown(window.get(), "Picture4"));
    QVERIFY(!Shown(window.get(), "Picture1"));
    QVERIFY(Shown(window.get(), "Picture5"));
    QCOMPARE(Items(window.get(), 2), QStringList{QStringLiteral("<meta charset=\"Shift_JIS\">")});
    QCOMPARE(Control(window.get(), QStringLiteral("List1(2)"))->palette().color(QPalette::Base),
             QColor(255, 255, 255));

    settings_.CompactMode = 2;  // hand-edited
    settings_.InsertHeadLines = 2;
    window = Open();
    QVERIFY(Shown(window.get(), "Picture2"));
    QVERIFY(!Shown(window.get(), "Picture3"));
    QVERIFY(!Shown(window.get(), "Picture4"));
    QCOMPARE(Control(window.get(), QStringLiteral("Text1(2)"))->palette().color(QPalette::Base),
             QColor(230, 230, 240));
  }

  void optionClicksAtTheSkin() {
    const auto window = Open();
    ClickAt(window.get(), Centre("Image6"));  // the chosen mode's label swaps
    QVERIFY(Shown(window.get(), "Picture3"));
    ClickAt(window.get(), Centre("Image6"));
    QVERIFY(Shown(window.get(), "Picture2"));
    ClickAt(window.get(), QPoint(60, 104));  // 「サイズ優先」
    QVERIFY(Shown(window.get(), "Picture3"));
    QVERIFY(!Shown(window.get(), "Picture2"));

    ClickAt(window.get(), QPoint(240, 48));  // 「Quarnel タグ追加」
    QVERIFY(Shown(window.get(), "Picture1"));
    ClickAt(window.get(), QPoint(168, 44));  // the shown indicator itself
    QVERIFY(!Shown(window.get(), "Picture1"));

    ClickAt(window.get(), Centre("Image10"));
    QVERIFY(Shown(window.get(), "Picture4"));
    QCOMPARE(Control(window.get(), QStringLiteral("List1(2)"))->palette().color(QPalette::Base),
             QColor(255, 255, 255));
    QCOMPARE(settings_.CompactMode, 0);
    QCOMPARE(settings_.WriteSignature, 0);
  }

  void enterAddsTheEntryLine() {
    const auto window = Open();
    auto* entry = Control(window.get(), QStringLiteral("Text1(1)"));
    QTest::keyClick(entry, Qt::Key_Return);  // empty: nothing
    QTest::keyClicks(entry, QStringLiteral(" </li> "));
    QTest::keyClick(entry, Qt::Key_Return);
    QTest::keyClick(entry, Qt::Key_Enter);
    QCOMPARE(Items(window.get(), 1).size(), 12);
    QCOMPARE(Items(window.get(), 1).mid(10),
             (QStringList{QStringLiteral(" </li> "), QStringLiteral(" </li> ")}));
    QCOMPARE(Control<QLineEdit>(window.get(), QStringLiteral("Text1(1)"))->text(),
             QStringLiteral(" </li> "));

    ClickAt(window.get(), Centre("Image4", 1));  // 「追加」 adds once more
    QCOMPARE(Items(window.get(), 1).size(), 13);
  }

  void deleteKeyAndDeleteMark() {
    const auto window = Open();
    auto* list = Control<QListWidget>(window.get(), QStringLiteral("List1(1)"));
    auto* entry = Control<QLineEdit>(window.get(), QStringLiteral("Text1(1)"));

    QTest::keyClick(list, Qt::Key_Delete);  // no selection: nothing
    QCOMPARE(list->count(), 10);
    QCOMPARE(entry->text(), QString());

    list->scrollToItem(list->item(3));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(3)).center());
    QCOMPARE(entry->text(), QStringLiteral("<tr>"));  // the click copies the item

    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(list->count(), 9);
    QCOMPARE(entry->text(), QStringLiteral("<tr>"));  // the deleted item
    QCOMPARE(list->currentRow(), 3);
    QCOMPARE(list->currentItem()->text(), QStringLiteral("</a>"));

    QTest::keyClick(list, Qt::Key_Down);  // key up copies the new selection
    QCOMPARE(entry->text(), QStringLiteral("</td>"));

    list->setCurrentRow(8);
    ClickAt(window.get(), Centre("Image5", 1));  // 「削除」 on the last item
    QCOMPARE(list->count(), 8);
    QCOMPARE(list->currentRow(), 7);
  }

  void hoverSetsPointerBoldAndFocus() {
    const auto window = Open();
    auto* text1 = Control(window.get(), QStringLiteral("Text1(1)"));
    auto* list0 = Control(window.get(), QStringLiteral("List1(0)"));
    MoveTo(window.get(), QPoint(150, 395));
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    MoveTo(window.get(), Centre("Image4", 1));
    QVERIFY(text1->font().bold());
    QCOMPARE(window->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(window->cursor().hotSpot(), QPoint(31, 0));
    MoveTo(window.get(), Centre("Image5", 2));
    MoveTo(window.get(), Centre("Image5", 0));
    QVERIFY(list0->font().bold());
    QCOMPARE(window->focusWidget(), list0);
    MoveTo(window.get(), QPoint(150, 395));
    QVERIFY(!text1->font().bold());
    QVERIFY(!list0->font().bold());
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    MoveTo(window.get(), Centre("Text1", 2));
    QCOMPARE(window->focusWidget(), Control(window.get(), QStringLiteral("Text1(2)")));
  }

  void readmeAndDrag() {
    OpenedUrls opened;
    const auto window = Open();
    ClickAt(window.get(), Centre("Image9"));
    QCOMPARE(opened.urls.size(), 1);
    QCOMPARE(opened.urls[0], QUrl::fromLocalFile(folder_.filePath(QStringLiteral("readme.htm"))));

    // The skin is a caption bar: a press on the background moves the window
    // (where the platform has no system move, it follows the mouse).
    const QPoint start = window->pos();
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 395));
    QTest::mouseMove(window->windowHandle(), QPoint(170, 405));
    // The window has followed: the pointer is over the same spot of it again.
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 395));
    QCOMPARE(window->pos(), start + QPoint(20, 10));
  }
};

}  // namespace quarnel

QTEST_MAIN(quarnel::SetFrmTest)
#include "set_frm_test.moc"
