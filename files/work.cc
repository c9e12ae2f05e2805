#include "files/work.h"

#include <algorithm>

#include "files/html_name.h"
#include "files/output_folder.h"
#include "files/page_pool.h"
#include "files/text_encoding.h"
#include "platform/free_memory.h"

namespace quarnel {

std::vector<std::string> WalkPatterns() { return {"*.htm", "*.html", "*.shtml"}; }

namespace {

// Hears nothing: the observer of a run that nobody follows.
RunObserver& NobodyListening() {
  static RunObserver nobody;
  return nobody;
}

}  // namespace

Work::Work(Env& env, const Settings& settings, WorkReport& report, const RunConfig& config,
           RunObserver* observer)
    : env_(env),
      items_(settings),
      report_(report),
      config_(config),
      observer_(observer != nullptr ? *observer : NobodyListening()),
      file_main_(env, &observer_) {
  if (config_.jobs > 1) {
    pool_ = std::make_unique<PagePool>(
        config_.jobs,
        [this](const std::string& path, const std::string& target,
               const std::optional<FolderId>& folder) {
          return RunPageJob(env_, items_, path, config_, target, folder);
        },
        [this](const std::string& path) {
          FileStamp stamp;
          return env_.GetFileStamp(path, &stamp) ? stamp : FileStamp();
        },
        config_.stop);
  }
}

Work::~Work() {
  Finish();
  // What the run's pages held goes back to the system, as the window lives on.
  ReturnFreeMemory();
}

void Work::DispatchPath(const std::string& path) {
  if (config_.Stopped()) return;
  const std::uint32_t attributes = env_.GetFileAttributes(path);
  if (attributes == kInvalidAttributes) {
    Finish();
    TellPathFailure(Status::NotFound(path));
    return;
  }
  if (attributes == kAttrDirectory) {
    DispatchFolder(path);
    return;
  }
  if ((attributes & kAttrDirectory) != 0) {
    Finish();
    observer_.Note({RunNote::Kind::kFolderNotWalked, path, attributes});
  }
  report_.AddPagesFound(IsHtmlName(path) ? 1 : 0);
  StartPage(path, config_.output_folder.empty() ? std::string() : TargetOf(path, path, false),
            std::nullopt);
}

void Work::DispatchFolder(const std::string& path) {
  const std::vector<std::string> patterns = WalkPatterns();
  // The first walk reads every folder, so that a folder that cannot be
  // listed cancels every file of the path before any has changed. It keeps
  // the pages it finds while they are few; for a larger tree a second walk
  // hands each folder's pages on as it lists them, so that the run's memory
  // does not grow with the tree.
  std::int64_t pages = 0;
  const Status surveyed = file_main_.SurveyFolder(path, patterns, config_.pages_ahead, pages);
  RemoveAbandoned(file_main_.TempFiles());
  if (!surveyed.ok()) {
    Finish();
    TellPathFailure(surveyed);
    return;
  }
  report_.AddPagesFound(pages);
  const auto start = [&](const std::string& file, const std::optional<FolderId>& folder) {
    StartPage(file, config_.output_folder.empty() ? std::string() : TargetOf(path, file, true),
              folder);
  };
  if (const std::optional<std::vector<FileMain::FoundPage>>& kept = file_main_.KeptPages()) {
    for (const FileMain::FoundPage& page : *kept) start(page.path, page.folder);
    return;
  }
  const Status walked = file_main_.StreamFolder(path, patterns, start);
  // Only a folder changed since the first walk fails here: the pages handed
  // on before it stand.
  if (!walked.ok()) {
    Finish();
    TellPathFailure(walked);
  }
}

std::string Work::TargetOf(const std::string& path, const std::string& file, bool walked) const {
  return OutputPath(path, file, walked, config_.output_folder, env_.PathSeparator());
}

void Work::CompactFile(const std::string& path, const std::string& target) {
  StartPage(path, target, std::nullopt);
}

void Work::StartPage(const std::string& path, const std::string& target,
                     const std::optional<FolderId>& folder) {
  if (config_.Stopped() || !IsHtmlName(path)) return;
  if (pool_ != nullptr) {
    // The walk runs ahead of the workers by a bounded number of pages. When
    // it is that far ahead, it waits for half of them at once.
    while (pool_->Pending() >= std::max<std::size_t>(config_.pages_ahead, 1)) {
      pool_->WaitForDone(config_.pages_ahead / 2, [this] { observer_.Waiting(); });
      if (!ReportReady()) TellNext();
    }
    pool_->Add(path, target, folder);
    ReportReady();
    return;
  }
  observer_.PageStarted();
  Tell(path, RunPageJob(env_, items_, path, config_, target, folder));
}

void Work::Tell(const std::string& path, const PageOutcome& outcome) {
  observer_.PageDone(path, outcome);
  ReportOutcome(path, outcome, report_);
  if (outcome.kind == PageOutcome::Kind::kFailed) observer_.Failure(outcome.failure);
}

void Work::TellPathFailure(const Status& failure) {
  report_.AddPathFailure();
  observer_.Failure(failure);
}

bool Work::ReportReady() {
  bool told = false;
  while (std::optional<PagePool::Done> done = pool_->Next(/*wait=*/false)) {
    observer_.PageStarted();
    Tell(done->path, done->outcome);
    told = true;
  }
  return told;
}

void Work::Finish() {
  if (pool_ == nullptr) return;
  while (pool_->Pending() > 0) TellNext();
}

void Work::TellNext() {
  observer_.PageStarted();
  const std::optional<PagePool::Done> done =
      pool_->Next(/*wait=*/true, [this] { observer_.Waiting(); });
  Tell(done->path, done->outcome);
}

void Work::RemoveAbandoned(const std::vector<FileMain::TempFile>& temp_files) {
  if (config_.dry_run || !config_.output_folder.empty()) return;
  for (const FileMain::TempFile& temp : temp_files) {
    if (!env_.RemoveIfAbandoned(temp.path, temp.folder ? &*temp.folder : nullptr)) continue;
    Finish();
    observer_.Note({RunNote::Kind::kTempFileRemoved, temp.path});
  }
}

}  // namespace quarnel
