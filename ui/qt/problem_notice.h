#ifndef QUARNEL_UI_QT_PROBLEM_NOTICE_H_
#define QUARNEL_UI_QT_PROBLEM_NOTICE_H_

#include <string>
#include <vector>

#include <QWidget>

namespace quarnel {

// What could not be done, told in a warning box titled "Quarnel" with the
// words of ui/rules/notice_texts.h. The box opens over `owner` (or on its
// own when null) and the call returns at once; the box deletes itself when
// dismissed. Details hold paths as the system's bytes.
void ShowProblems(QWidget* owner, const std::string& summary,
                  const std::vector<std::string>& details);

// The same, waiting until the user dismisses the box: for the end of the
// run, when no window is left to keep the box open.
void ShowProblemsAndWait(QWidget* owner, const std::string& summary,
                         const std::vector<std::string>& details);

}  // namespace quarnel

#endif  // QUARNEL_UI_QT_PROBLEM_NOTICE_H_
