#include "files/page_pool.h"

#include <algorithm>
#include <utility>

#include "platform/free_memory.h"

namespace quarnel {

PagePool::PagePool(int workers, Job job, Weigh weigh, const std::atomic<bool>* stop)
    : job_(std::move(job)),
      weigh_(std::move(weigh)),
      stop_(stop),
      max_workers_(static_cast<std::size_t>(std::max(workers, 1))) {}

PagePool::~PagePool() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  work_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void PagePool::Add(std::string path, std::string target, std::optional<FolderId> folder) {
  const FileStamp stamp = Stopped() ? FileStamp() : weigh_(path);
  {
    std::lock_guard lock(mutex_);
    largest_ = std::max(largest_, stamp.size);
    slots_.push_back({std::move(path), std::move(target), folder, stamp, false, {}});
    if (idle_ == 0 && workers_.size() < max_workers_) workers_.emplace_back([this] { Serve(); });
  }
  work_.notify_one();
}

std::uint64_t PagePool::Budget() const { return std::max(kMinBudget, kCostPerByte * largest_); }

bool PagePool::CanTakeNext() {
  if (next_to_take_ >= first_ + slots_.size()) return false;
  Slot& next = slots_[next_to_take_ - first_];
  const FileStamp& stamp = next.stamp;
  if (stamp.known && busy_.contains({stamp.device, stamp.inode})) {
    next.waited_on_file = true;
    return false;
  }
  return in_flight_ == 0 || in_flight_ + kCostPerByte * stamp.size <= Budget();
}

void PagePool::Serve() {
  std::unique_lock lock(mutex_);
  while (true) {
    ++idle_;
    work_.wait(lock, [this] { return ending_ || CanTakeNext(); });
    --idle_;
    if (ending_) return;
    const std::uint64_t number = next_to_take_++;
    // A deque keeps its elements in place as others come and go.
    Slot& slot = slots_[number - first_];
    // Under the lock, so that no page after it is taken before it holds
    // its file: pages are taken in order. Only a page given twice comes here.
    if (slot.waited_on_file && !Stopped()) slot.stamp = weigh_(slot.path);
    const std::string path = slot.path;
    const std::string target = slot.target;
    const std::optional<FolderId> folder = slot.folder;
    const FileStamp stamp = slot.stamp;
    const std::uint64_t cost = kCostPerByte * stamp.size;
    const std::pair file(stamp.device, stamp.inode);
    in_flight_ += cost;
    if (stamp.known) busy_.insert(file);
    // Another worker may take the page after this one straight away.
    if (CanTakeNext()) work_.notify_one();

    lock.unlock();
    PageOutcome outcome;
    if (Stopped()) {
      outcome.kind = PageOutcome::Kind::kStopped;
    } else {
      outcome = job_(path, target, folder);
      if (cost >= kReturnMemoryAfter) ReturnFreeMemory();
    }
    lock.lock();
    in_flight_ -= cost;
    if (stamp.known) busy_.erase(busy_.find(file));
    slot.outcome = std::move(outcome);
    slot.done = true;
    // The caller only ever waits for the oldest page or the watched one.
    if (number == first_ || number == watched_) done_.notify_one();
    // No one else need be woken: this worker looks for the next page itself
    // and wakes another when there is more than it can take.
  }
}

std::size_t PagePool::Workers() {
  std::lock_guard lock(mutex_);
  return workers_.size();
}

std::size_t PagePool::Pending() {
  std::lock_guard lock(mutex_);
  return slots_.size();
}

void PagePool::WaitForDone(std::size_t nth, const std::function<void()>& waiting) {
  std::unique_lock lock(mutex_);
  if (slots_.empty() || nth == 0) return;
  const std::size_t index = std::min(nth, slots_.size()) - 1;
  watched_ = first_ + index;
  while (!slots_[index].done) {
    if (waiting) {
      lock.unlock();
      waiting();
      lock.lock();
    }
    done_.wait_for(lock, kTick, [this, index] { return slots_[index].done; });
  }
  watched_ = UINT64_MAX;
}

std::optional<PagePool::Done> PagePool::Next(bool wait, const std::function<void()>& waiting) {
  std::unique_lock lock(mutex_);
  if (slots_.empty()) return std::nullopt;
  while (!slots_.front().done) {
    if (!wait) return std::nullopt;
    if (waiting) {
      lock.unlock();
      waiting();
      lock.lock();
    }
    done_.wait_for(lock, kTick, [this] { return slots_.front().done; });
  }
  Done done{std::move(slots_.front().path), std::move(slots_.front().outcome)};
  slots_.pop_front();
  ++first_;
  return done;
}

}  // namespace quarnel
