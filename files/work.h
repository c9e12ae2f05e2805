#ifndef QUARNEL_FILES_WORK_H_
#define QUARNEL_FILES_WORK_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/folder_walk.h"
#include "files/work_items.h"
#include "files/work_report.h"
#include "platform/env.h"
#include "settings/settings.h"

namespace quarnel {

// The three wildcard patterns of a folder, in the order their files are
// taken.
std::vector<std::string> WalkPatterns();

// Module work: from one path to compacted files. One Work serves one run (a
// batch run or one drop), with the settings as they stood when it began.
class Work {
 public:
  // With `dry_run` nothing is written: the report tells what would be.
  Work(Env& env, const Settings& settings, WorkReport& report, bool dry_run = false);
  Work(const Work&) = delete;
  Work& operator=(const Work&) = delete;

  // Runs the file job once for the path, or, when its attributes are
  // exactly those of a plain folder (16), once for every HTML file of the
  // folder and its sub-folders. A path that does not exist, or a folder
  // that cannot be listed, is reported and no file job runs for it.
  void DispatchPath(const std::string& path);

  // The file job. Does nothing for a path whose name is not an HTML name.
  // Otherwise reads the file, takes its encoding, compacts its lines with
  // the run's settings and, only when the engine reports a change, replaces
  // the file with the compacted form. A read-only file is never rewritten.
  // Every failure is reported; the file is then as it was.
  void CompactFile(const std::string& path);

 private:
  // The file's new bytes, or nothing when it is to stay as it is. Takes the
  // bytes over so that they can go once the lines hold them.
  std::optional<std::string> Compacted(std::string bytes);
  void WriteBack(const std::string& path, std::uint64_t before, const std::string& contents);

  Env& env_;
  WorkItems items_;
  WorkReport& report_;
  const bool dry_run_;
  FileMain file_main_;
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_WORK_H_
