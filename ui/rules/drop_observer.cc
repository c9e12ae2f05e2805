#include "ui/rules/drop_observer.h"

#include <iostream>

#include "cli/one_line.h"
#include "ui/rules/main_window_run.h"
#include "ui/rules/notice_texts.h"

namespace quarnel {

void DropObserver::PageStarted() {
  if (progress_.FileStarted()) face_.PaintDuringDrop();
}

void DropObserver::Step() {
  if (progress_.Step()) face_.PaintDuringDrop();
}

void DropObserver::Failure(const Status& failure) {
  std::cerr << "quarnel: " << OneLine(failure.ToString()) << '\n';
  problems_.push_back(ProblemLine(failure));
}

void DropObserver::Note(const RunNote& note) {
  if (note.kind != RunNote::Kind::kFolderNotWalked) return;
  std::cerr << "quarnel: " << OneLine(note.path) << ": not walked: only plain folders are walked\n";
}

}  // namespace quarnel
