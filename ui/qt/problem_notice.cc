#include "ui/qt/problem_notice.h"

#include <QFile>
#include <QMessageBox>
#include <QStringList>

#include "base/product.h"
#include "ui/rules/notice_texts.h"

namespace quarnel {
namespace {

QMessageBox* MakeBox(QWidget* owner, const std::string& summary,
                     const std::vector<std::string>& details) {
  QStringList shown;
  for (const std::string& line : ShownProblemLines(details)) {
    shown.append(QFile::decodeName(QByteArray::fromStdString(line)));
  }
  auto* box = new QMessageBox(QMessageBox::Warning,
                              QString::fromUtf8(kProductName.data(), kProductName.size()),
                              QString::fromStdString(summary), QMessageBox::Ok, owner);
  box->setInformativeText(shown.join(QLatin1Char('\n')));
  box->setObjectName(QStringLiteral("ProblemNotice"));
  return box;
}

}  // namespace

void ShowProblems(QWidget* owner, const std::string& summary,
                  const std::vector<std::string>& details) {
  QMessageBox* box = MakeBox(owner, summary, details);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void ShowProblemsAndWait(QWidget* owner, const std::string& summary,
                         const std::vector<std::string>& details) {
  QMessageBox* box = MakeBox(owner, summary, details);
  box->exec();
  delete box;
}

}  // namespace quarnel
