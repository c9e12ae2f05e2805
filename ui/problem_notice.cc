#include "ui/problem_notice.h"

#include <QFile>
#include <QMessageBox>

#include "app/product.h"

namespace quarnel {
namespace {

QMessageBox* MakeBox(QWidget* owner, const QString& summary, const QStringList& details) {
  QStringList shown = details.mid(0, kShownProblems);
  if (details.size() > kShownProblems) {
    shown.append(QString::fromUtf8("…ほか %1 件").arg(details.size() - kShownProblems));
  }
  auto* box = new QMessageBox(QMessageBox::Warning,
                              QString::fromUtf8(kProductName.data(), kProductName.size()),
                              summary, QMessageBox::Ok, owner);
  box->setInformativeText(shown.join(QLatin1Char('\n')));
  box->setObjectName(QStringLiteral("ProblemNotice"));
  return box;
}

}  // namespace

void ShowProblems(QWidget* owner, const QString& summary, const QStringList& details) {
  QMessageBox* box = MakeBox(owner, summary, details);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void ShowProblemsAndWait(QWidget* owner, const QString& summary, const QStringList& details) {
  QMessageBox* box = MakeBox(owner, summary, details);
  box->exec();
  delete box;
}

QString DropProblemsSummary(int count) {
  return QString::fromUtf8("処理できなかったファイルがあります（%1 件）。\n"
                           "ほかのファイルは処理しました。")
      .arg(count);
}

QString SettingsNotReadSummary() {
  return QString::fromUtf8(
      "設定ファイル Quarnel.ini を読めなかったため、初期設定で起動しました。");
}

QString SettingsNotSavedSummary() {
  return QString::fromUtf8("設定ファイル Quarnel.ini を保存できませんでした。");
}

QString ProblemLine(const Status& status) {
  // Paths are bytes in the system's encoding; reasons are plain text.
  return QFile::decodeName(QByteArray::fromStdString(status.path())) + QStringLiteral(": ") +
         QString::fromStdString(status.reason());
}

}  // namespace quarnel
