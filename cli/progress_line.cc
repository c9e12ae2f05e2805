#include "cli/progress_line.h"

#include <cstdio>
#include <ostream>

#include "cli/one_line.h"

namespace quarnel {
namespace {

constexpr std::string_view kEraseLine = "\r\x1b[K";

std::string Megabytes(std::uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
  return text;
}

// The folder part of a page's path ("." for none).
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

ProgressLine::ProgressLine(std::ostream& terminal, const WorkReport& report, Clock clock)
    : terminal_(terminal), report_(report), clock_(std::move(clock)), start_(clock_()) {}

std::string ProgressLine::Text(const WorkReport& report) {
  std::string text = "quarnel: " + std::to_string(report.filesExamined()) + " of " +
                     std::to_string(report.pagesFound()) + " pages, " +
                     Megabytes(report.bytesBefore());
  if (report.currentPage().empty()) return text;
  text += ", ";
  // The end of the folder tells the most; a long one loses its start.
  const std::string folder = OneLine(FolderOf(report.currentPage()));
  const std::size_t room = kWidth > text.size() + 3 ? kWidth - text.size() : 3;
  if (folder.size() <= room) return text + folder;
  std::size_t cut = folder.size() - (room - 3);
  while (cut < folder.size() && (static_cast<unsigned char>(folder[cut]) & 0xC0) == 0x80) ++cut;
  return text + "..." + folder.substr(cut);
}

void ProgressLine::Update() {
  const auto now = clock_();
  if (now - start_ < kShowAfter || (shown_ && now - drawn_ < kRedrawEvery)) return;
  terminal_ << kEraseLine << Text(report_) << std::flush;
  shown_ = true;
  drawn_ = now;
}

void ProgressLine::Clear() {
  if (!shown_) return;
  terminal_ << kEraseLine << std::flush;
  shown_ = false;
  // Drawn again at the next update, not sooner than a redraw would be.
}

}  // namespace quarnel
