#ifndef QUARNEL_FILES_PAGE_POOL_H_
#define QUARNEL_FILES_PAGE_POOL_H_

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "files/page_job.h"

namespace quarnel {

// Runs the file jobs of a run on worker threads and hands their outcomes
// back in the order the pages were added, so that whoever tells them tells
// them exactly as a run of one page after another would.
//
// Memory stays bounded whatever the number of workers: a page in flight
// holds about three times its size (its bytes, then its lines with their
// overhead of a string each; its new form takes the bytes' buffer), and
// no worker takes a page that would push what the pages in flight hold over
// max(256 MB, three times the largest page seen). A page is always taken
// when nothing else is in flight, so no page waits forever; pages are taken
// strictly in order, so a large one is not passed over for ever by small
// ones. A page whose file is already being worked on (the same file given
// twice, under two paths) waits until that job is done, so that it reads
// what the first one wrote, as it would one page after another; it is then
// weighed again, as a rewrite gives the file a new identity that a third
// copy of the page, added meanwhile, already carries.
//
// Pages are weighed as they are added, on the caller's thread, so that a
// worker takes and lets in a page in one step: workers never wait on one
// another's weighing, and a page coming or going wakes one worker, not all.
class PagePool {
 public:
  // The file job for a page: where it goes when not in place (`target`;
  // empty: in place), and where the walk listed it, when it did (`folder`;
  // see FileMain::PageFolders).
  using Job = std::function<PageOutcome(const std::string& path, const std::string& target,
                                        const std::optional<FolderId>& folder)>;
  // The page's file as it stands: its size and identity (unknown when it
  // cannot be told).
  using Weigh = std::function<FileStamp(const std::string& path)>;

  static constexpr std::uint64_t kMinBudget = std::uint64_t{256} << 20;
  static constexpr std::uint64_t kCostPerByte = 3;
  // After a page this costly, its worker hands the memory back at once.
  static constexpr std::uint64_t kReturnMemoryAfter = std::uint64_t{64} << 20;
  // How often the caller hears that it is still waiting.
  static constexpr std::chrono::milliseconds kTick{50};

  // `stop`, when set and true, makes every page not yet started come back
  // as kStopped without its job running.
  PagePool(int workers, Job job, Weigh weigh, const std::atomic<bool>* stop);
  // Waits for the pages in flight; the outcomes not handed back are lost.
  ~PagePool();
  PagePool(const PagePool&) = delete;
  PagePool& operator=(const PagePool&) = delete;

  // Weighs the page, on the caller's thread, and queues it. Workers start
  // as pages come, up to the number asked for, so that a drop of one page
  // starts one thread.
  void Add(std::string path, std::string target = {},
           std::optional<FolderId> folder = std::nullopt);

  struct Done {
    std::string path;
    PageOutcome outcome;
  };
  // The outcome of the oldest page not yet handed back; nothing when every
  // page has been. With `wait`, waits for it, calling `waiting` every tick
  // meanwhile; without, nothing also when it is not ready.
  std::optional<Done> Next(bool wait, const std::function<void()>& waiting = {});

  // Waits until the `nth` oldest page not handed back is done (the newest,
  // when fewer are pending), calling `waiting` every tick meanwhile. Pages
  // are taken in order, so the ones before it are then mostly done too: a
  // caller that keeps the pool full wakes once for that many pages, not
  // once for each.
  void WaitForDone(std::size_t nth, const std::function<void()>& waiting = {});

  // Pages added and not yet handed back.
  std::size_t Pending();

  // The worker threads started so far.
  std::size_t Workers();

 private:
  struct Slot {
    std::string path;
    std::string target;
    std::optional<FolderId> folder;
    FileStamp stamp;  // as weighed when added, or again when taken (see Serve)
    // Its file was being worked on when it came next: that job may have
    // put a new file in its place since, so it is weighed again.
    bool waited_on_file = false;
    bool done = false;
    PageOutcome outcome;
  };

  void Serve();
  bool Stopped() const { return stop_ != nullptr && stop_->load(); }
  std::uint64_t Budget() const;
  // Whether the next page not taken may be taken now. Marks a page that
  // waits for its file (Slot::waited_on_file).
  bool CanTakeNext();

  // Set once by the constructor and only read afterwards, by any thread.
  const Job job_;
  const Weigh weigh_;
  const std::atomic<bool>* const stop_;
  const std::size_t max_workers_;

  // Guards every field below it. The jobs run without it.
  std::mutex mutex_;
  // A page was added or left the pool, or the pool ends.
  std::condition_variable work_;
  std::condition_variable done_;  // the oldest page's outcome is in
  // From the oldest not handed back, guarded by mutex_. A worker keeps a
  // reference to its page's slot while its job runs (a deque keeps its
  // elements in place as others come and go), and touches it only under
  // mutex_.
  std::deque<Slot> slots_;
  std::uint64_t first_ = 0;         // the number of slots_.front(); guarded by mutex_
  std::uint64_t next_to_take_ = 0;  // guarded by mutex_
  // The page WaitForDone waits for, by number; guarded by mutex_.
  std::uint64_t watched_ = UINT64_MAX;
  std::uint64_t in_flight_ = 0;  // the cost of the pages being worked on; guarded by mutex_
  std::uint64_t largest_ = 0;    // guarded by mutex_
  std::size_t idle_ = 0;         // workers waiting for a page; guarded by mutex_
  // The files in flight, as (device, inode); guarded by mutex_.
  std::multiset<std::pair<std::uint64_t, std::uint64_t>> busy_;
  bool ending_ = false;  // guarded by mutex_
  // Guarded by mutex_, but for the destructor's joins: once it has set
  // ending_, no Add can come and no worker touches the list.
  std::vector<std::thread> workers_;
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_PAGE_POOL_H_
