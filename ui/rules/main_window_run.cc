#include "ui/rules/main_window_run.h"

#include <iostream>

#include "files/work_report.h"
#include "settings/settings.h"
#include "ui/rules/drop_observer.h"
#include "ui/rules/notice_texts.h"

namespace quarnel {
namespace {

void Warn(const Status& status) {
  if (!status.ok()) std::cerr << "quarnel: warning: " << status.ToString() << '\n';
}

}  // namespace

Status MainWindowRun::Start() {
  const Status loaded = session_.Start();
  Warn(loaded);
  Load();
  face_.Show();
  if (!loaded.ok()) face_.TellProblems(SettingsNotReadSummary(), {ProblemLine(loaded)});
  return loaded;
}

void MainWindowRun::Load() {
  if (StartsPinned(session_.settings())) {
    face_.SetTopmost(true);
  } else {
    face_.SetPinShown(false);
  }
  face_.InstallHook();
}

void MainWindowRun::Drop(const std::vector<std::string>& paths) {
  if (paths.empty() || progress_.running()) return;
  progress_.Begin();
  DropObserver observer(progress_, face_);
  WorkReport report;
  session_.RunPaths(paths, report, &observer);
  progress_.End();
  face_.Repaint();
  const std::vector<std::string>& problems = observer.problems();
  if (!problems.empty()) {
    face_.TellProblems(DropProblemsSummary(static_cast<int>(problems.size())), problems);
  }
  if (close_pending_) face_.Close();
}

bool MainWindowRun::CloseRequested() {
  if (progress_.running()) {
    close_pending_ = true;
    return false;
  }
  Unload();
  return true;
}

void MainWindowRun::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  face_.RemoveHook();
  unload_status_ = session_.End(face_.PinShown());
  Warn(unload_status_);
}

}  // namespace quarnel
