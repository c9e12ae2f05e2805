#ifndef QUARNEL_FILES_WORK_REPORT_H_
#define QUARNEL_FILES_WORK_REPORT_H_

#include <cstdint>
#include <string>

#include "platform/status.h"

namespace quarnel {

// What happened to the paths of one run (a batch run, or one drop on the
// main window): counts, bytes, and each event passed on to an observer as it
// happens, so a failure is told at once and never lost.
class WorkReport {
 public:
  class Observer {
   public:
    virtual ~Observer() = default;
    // A file was rewritten (or, in a dry run, would be).
    virtual void FileRewritten(const std::string& path, std::uint64_t before,
                               std::uint64_t after) = 0;
    // A path could not be read, expanded or written; `failure` names it and
    // says why.
    virtual void PathFailed(const Status& failure) = 0;
    // A folder that was not walked because it is not a plain folder (it is
    // read-only, hidden, a link...). Not a failure.
    virtual void FolderNotWalked(const std::string& path, std::uint32_t attributes) = 0;
    // A page that repeated compaction had not settled when it was written
    // (told just before FileRewritten).
    virtual void StillChanging(const std::string& /*path*/) {}
    // A temporary file that a killed run left behind was removed.
    virtual void TempFileRemoved(const std::string& /*path*/) {}
  };

  explicit WorkReport(Observer* observer = nullptr) : observer_(observer) {}
  WorkReport(const WorkReport&) = delete;
  WorkReport& operator=(const WorkReport&) = delete;

  // A qualifying file that the engine left as it was.
  void AddUnchanged(std::uint64_t size);
  void AddRewritten(const std::string& path, std::uint64_t before, std::uint64_t after);
  // A qualifying file that could not be read (`size` 0) or written (`size`
  // its unchanged size on disk).
  void AddFileFailure(const Status& failure, std::uint64_t size);
  // A path that failed before any file job: missing, or its folder could not
  // be listed.
  void AddPathFailure(const Status& failure);
  void AddFolderNotWalked(const std::string& path, std::uint32_t attributes);
  void AddStillChanging(const std::string& path);
  void AddTempFileRemoved(const std::string& path);
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
  Observer* observer_;
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
