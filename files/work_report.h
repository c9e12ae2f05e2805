#ifndef QUARNEL_FILES_WORK_REPORT_H_
#define QUARNEL_FILES_WORK_REPORT_H_

#include <cstdint>
#include <string>

namespace quarnel {

// What happened to the paths of one run (a batch run, or one drop on the
// main window): counts and bytes. The events themselves go to the run's
// RunObserver.
class WorkReport {
 public:
  WorkReport() = default;
  WorkReport(const WorkReport&) = delete;
  WorkReport& operator=(const WorkReport&) = delete;

  // A qualifying file that the engine left as it was.
  void AddUnchanged(std::uint64_t size);
  void AddRewritten(std::uint64_t before, std::uint64_t after);
  // A qualifying file that could not be read (`size` 0) or written (`size`
  // its unchanged size on disk).
  void AddFileFailure(std::uint64_t size);
  // A path that failed before any file job: missing, or its folder could not
  // be listed.
  void AddPathFailure() { ++failures_; }
  // A page with <pre>, <textarea>, <script> or <style> content, kept as it was.
  void AddBlocksKept() { ++pages_with_blocks_; }
  // The page whose outcome is told next.
  void SetCurrentPage(const std::string& path) { current_page_ = path; }
  // Pages a walk (or the command line) found, before their file jobs ran.
  void AddPagesFound(std::int64_t count) { pages_found_ += count; }

  std::int64_t filesExamined() const { return files_examined_; }
  std::int64_t filesRewritten() const { return files_rewritten_; }
  std::int64_t failures() const { return failures_; }
  std::uint64_t bytesBefore() const { return bytes_before_; }
  std::uint64_t bytesAfter() const { return bytes_after_; }
  std::int64_t pagesWithBlocks() const { return pages_with_blocks_; }
  std::int64_t pagesFound() const { return pages_found_; }
  const std::string& currentPage() const { return current_page_; }

 private:
  std::int64_t files_examined_ = 0;
  std::int64_t files_rewritten_ = 0;
  std::int64_t failures_ = 0;
  std::uint64_t bytes_before_ = 0;
  std::uint64_t bytes_after_ = 0;
  std::int64_t pages_with_blocks_ = 0;
  std::int64_t pages_found_ = 0;
  std::string current_page_;
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_WORK_REPORT_H_
