#include "files/work.h"

#include "files/html_name.h"
#include "files/output_folder.h"
#include "files/page_pool.h"
#include "files/text_encoding.h"

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

Work::~Work() { Finish(); }

void Work::DispatchPath(const std::string& path) {
  if (config_.Stopped()) return;
  const std::vector<std::string> patterns = WalkPatterns();
  std::vector<std::string> PathList;
  // For each page the walk found, the folder it was listed in: the page is
  // rewritten only inside that folder.
  std::vector<std::optional<FolderId>> folders;
  const std::uint32_t attributes = env_.GetFileAttributes(path);
  if (attributes == kInvalidAttributes) {
    Finish();
    TellPathFailure(Status::NotFound(path));
    return;
  }
  if (attributes == kAttrDirectory) {
    const Status expanded = file_main_.ExpandFolder(path, patterns, PathList);
    folders = file_main_.PageFolders();
    RemoveAbandoned(file_main_.TempFiles());
    if (!expanded.ok()) {
      // An error anywhere in the expansion cancels every file of the path.
      Finish();
      TellPathFailure(expanded);
      return;
    }
  } else {
    if ((attributes & kAttrDirectory) != 0) {
      Finish();
      observer_.Note({RunNote::Kind::kFolderNotWalked, path, attributes});
    }
    PathList.push_back(path);
  }
  std::int64_t pages = 0;
  for (const std::string& file : PathList) pages += IsHtmlName(file) ? 1 : 0;
  report_.AddPagesFound(pages);
  const std::string& output = config_.output_folder;
  for (std::size_t i = 0; i < PathList.size(); ++i) {
    const std::string& file = PathList[i];
    StartPage(file,
              output.empty() ? std::string()
                             : OutputPath(path, file, attributes == kAttrDirectory, output,
                                          env_.PathSeparator()),
              i < folders.size() ? folders[i] : std::nullopt);
  }
}

void Work::CompactFile(const std::string& path, const std::string& target) {
  StartPage(path, target, std::nullopt);
}

void Work::StartPage(const std::string& path, const std::string& target,
                     const std::optional<FolderId>& folder) {
  if (config_.Stopped() || !IsHtmlName(path)) return;
  if (pool_ != nullptr) {
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

void Work::ReportReady() {
  while (std::optional<PagePool::Done> done = pool_->Next(/*wait=*/false)) {
    observer_.PageStarted();
    Tell(done->path, done->outcome);
  }
}

void Work::Finish() {
  if (pool_ == nullptr) return;
  while (pool_->Pending() > 0) {
    observer_.PageStarted();
    const std::optional<PagePool::Done> done =
        pool_->Next(/*wait=*/true, [this] { observer_.Waiting(); });
    Tell(done->path, done->outcome);
  }
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
