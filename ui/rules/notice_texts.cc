#include "ui/rules/notice_texts.h"

namespace quarnel {

std::string DropProblemsSummary(int count) {
  return "処理できなかったファイルがあります（" + std::to_string(count) +
         " 件）。\nほかのファイルは処理しました。";
}

std::string SettingsNotReadSummary() {
  return "設定ファイル Quarnel.ini を読めなかったため、初期設定で起動しました。";
}

std::string SettingsNotSavedSummary() {
  return "設定ファイル Quarnel.ini を保存できませんでした。";
}

std::string BatchProblemsSummary() { return "開いたファイルの処理で、次のことがありました。"; }

std::string ProblemLine(const Status& status) { return status.path() + ": " + status.reason(); }

std::vector<std::string> ShownProblemLines(const std::vector<std::string>& details) {
  const auto shown = static_cast<std::size_t>(kShownProblems);
  if (details.size() <= shown) return details;
  std::vector<std::string> lines(details.begin(), details.begin() + kShownProblems);
  lines.push_back("…ほか " + std::to_string(details.size() - shown) + " 件");
  return lines;
}

std::vector<std::string> ProblemLinesFromErrors(std::string_view errors) {
  constexpr std::string_view kProgram = "quarnel: ";
  std::vector<std::string> lines;
  while (!errors.empty()) {
    const std::size_t end = errors.find('\n');
    std::string_view line = errors.substr(0, end);
    errors.remove_prefix(end == std::string_view::npos ? errors.size() : end + 1);
    if (line.starts_with(kProgram)) line.remove_prefix(kProgram.size());
    if (!line.empty()) lines.emplace_back(line);
  }
  return lines;
}

}  // namespace quarnel
