#include "ui/rules/drop_observer.h"

#include <iostream>

#include "cli/one_line.h"
#include "ui/rules/notice_texts.h"

namespace quarnel {

void DropObserver::PathFailed(const Status& failure) {
  std::cerr << "quarnel: " << OneLine(failure.ToString()) << '\n';
  problems_.push_back(ProblemLine(failure));
}

void DropObserver::FolderNotWalked(const std::string& path, std::uint32_t) {
  std::cerr << "quarnel: " << OneLine(path) << ": not walked: only plain folders are walked\n";
}

}  // namespace quarnel
