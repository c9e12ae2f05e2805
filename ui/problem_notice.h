#ifndef QUARNEL_UI_PROBLEM_NOTICE_H_
#define QUARNEL_UI_PROBLEM_NOTICE_H_

#include <QString>
#include <QStringList>
#include <QWidget>

#include "platform/status.h"

namespace quarnel {

// What could not be done, told in a warning box titled "Quarnel": a
// started-from-the-desktop user sees no standard error stream. The box opens
// over `owner` (or on its own when null) and the call returns at once; the
// box deletes itself when dismissed. At most kShownProblems details are
// listed, then how many more there were.
inline constexpr int kShownProblems = 10;
void ShowProblems(QWidget* owner, const QString& summary, const QStringList& details);

// The same, waiting until the user dismisses the box: for the end of the
// run, when no window is left to keep the box open.
void ShowProblemsAndWait(QWidget* owner, const QString& summary, const QStringList& details);

// The summaries the windows use.
QString DropProblemsSummary(int count);
QString SettingsNotReadSummary();
QString SettingsNotSavedSummary();

// "path: reason" of a failure, for the details.
QString ProblemLine(const Status& status);

}  // namespace quarnel

#endif  // QUARNEL_UI_PROBLEM_NOTICE_H_
