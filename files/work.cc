#include "files/work.h"

#include <utility>

#include "files/html_name.h"
#include "files/output_folder.h"
#include "files/page_pool.h"
#include "files/text_encoding.h"

namespace quarnel {

std::vector<std::string> WalkPatterns() { return {"*.htm", "*.html", "*.shtml"}; }

namespace {

WorkOptions DryRunOnly(bool dry_run) {
  WorkOptions options;
  options.dry_run = dry_run;
  return options;
}

}  // namespace

Work::Work(Env& env, const Settings& settings, WorkReport& report, bool dry_run)
    : Work(env, settings, report, DryRunOnly(dry_run)) {}

Work::Work(Env& env, const Settings& settings, WorkReport& report, WorkOptions options)
    : env_(env),
      items_(settings),
      report_(report),
      options_(std::move(options)),
      job_options_{options_.dry_run, options_.stop, {options_.repeat}, options_.diff},
      file_main_(env) {
  if (options_.jobs > 1) {
    pool_ = std::make_unique<PagePool>(
        options_.jobs,
        [this](const std::string& path, const std::string& target) {
          return RunPageJob(env_, items_, path, job_options_, target);
        },
        [this](const std::string& path) {
          FileStamp stamp;
          return env_.GetFileStamp(path, &stamp) ? stamp : FileStamp();
        },
        options_.stop);
  }
}

Work::~Work() { Finish(); }

void Work::DispatchPath(const std::string& path) {
  if (Stopped()) return;
  const std::vector<std::string> patterns = WalkPatterns();
  std::vector<std::string> PathList;
  const std::uint32_t attributes = env_.GetFileAttributes(path);
  if (attributes == kInvalidAttributes) {
    Finish();
    report_.AddPathFailure(Status::NotFound(path));
    return;
  }
  if (attributes == kAttrDirectory) {
    const Status expanded = file_main_.ExpandFolder(path, patterns, PathList);
    RemoveAbandoned(file_main_.TempFiles());
    if (!expanded.ok()) {
      // An error anywhere in the expansion cancels every file of the path.
      Finish();
      report_.AddPathFailure(expanded);
      return;
    }
  } else {
    if ((attributes & kAttrDirectory) != 0) {
      Finish();
      report_.AddFolderNotWalked(path, attributes);
    }
    PathList.push_back(path);
  }
  std::int64_t pages = 0;
  for (const std::string& file : PathList) pages += IsHtmlName(file) ? 1 : 0;
  report_.AddPagesFound(pages);
  const std::string& output = options_.output_folder;
  for (const std::string& file : PathList) {
    CompactFile(file, output.empty() ? std::string()
                                     : OutputPath(path, file, attributes == kAttrDirectory, output,
                                                  env_.PathSeparator()));
  }
}

void Work::CompactFile(const std::string& path, const std::string& target) {
  if (Stopped() || !IsHtmlName(path)) return;
  if (pool_ != nullptr) {
    pool_->Add(path, target);
    ReportReady();
    return;
  }
  if (options_.page_started) options_.page_started();
  Tell(path, RunPageJob(env_, items_, path, job_options_, target));
}

void Work::Tell(const std::string& path, const PageOutcome& outcome) {
  if (options_.page_done) options_.page_done(path, outcome);
  ReportOutcome(path, outcome, report_);
}

void Work::ReportReady() {
  while (std::optional<PagePool::Done> done = pool_->Next(/*wait=*/false)) {
    if (options_.page_started) options_.page_started();
    Tell(done->path, done->outcome);
  }
}

void Work::Finish() {
  if (pool_ == nullptr) return;
  while (pool_->Pending() > 0) {
    if (options_.page_started) options_.page_started();
    const std::optional<PagePool::Done> done = pool_->Next(/*wait=*/true, options_.waiting);
    Tell(done->path, done->outcome);
  }
}

void Work::RemoveAbandoned(const std::vector<std::string>& temp_files) {
  if (options_.dry_run || !options_.output_folder.empty()) return;
  for (const std::string& temp : temp_files) {
    if (!env_.RemoveIfAbandoned(temp)) continue;
    Finish();
    report_.AddTempFileRemoved(temp);
  }
}

}  // namespace quarnel
