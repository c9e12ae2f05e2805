#include "platform/mem_env.h"

#include <algorithm>
#include <mutex>
#include <stdexcept>

#include "platform/ascii_case.h"
#include "platform/path.h"
#include "platform/wildcard.h"

namespace quarnel {

struct MemEnv::Node {
  std::string name;
  std::string short_name;
  std::uint32_t attributes = 0;
  bool folder = false;
  bool writable = true;
  std::string contents;
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;  // in the order they were added
  std::uint64_t version = 0;                    // a new one each time the content is set

  FileStamp Stamp() const {
    FileStamp stamp;
    stamp.known = true;
    stamp.inode = version;
    stamp.size = contents.size();
    return stamp;
  }
};

namespace {

constexpr std::size_t kMaxShortName = 12;  // 8.3

constexpr char kSeparator = '\\';

bool IsSeparator(char c) { return IsPathSeparator(c, kSeparator); }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldAscii(x) == FoldAscii(y);
         });
}

// The path in one spelling, for comparing the paths of faults.
std::string Key(std::string_view path) {
  std::string key;
  for (const std::string_view component : PathNames(path, kSeparator)) {
    if (!key.empty()) key += kSeparator;
    for (const char c : component) key += FoldAscii(c);
  }
  return key;
}

// Splits a pattern into its folder and its wildcard at the last separator.
bool SplitPattern(std::string_view pattern, std::string_view* folder, std::string_view* wildcard) {
  const auto last = std::find_if(pattern.rbegin(), pattern.rend(), IsSeparator);
  if (last == pattern.rend()) return false;
  const std::size_t slash = static_cast<std::size_t>(pattern.rend() - last) - 1;
  *folder = pattern.substr(0, slash);
  *wildcard = pattern.substr(slash + 1);
  return !wildcard->empty();
}

void Copy(std::string_view text, char* out, std::size_t size) {
  std::copy_n(text.begin(), std::min(text.size(), size), out);
}

// A run asking for a name longer than a file system holds gets an error, as
// it would from the file system; only a test's own set-up throws.
Status NameTooLong(std::string_view path) { return Status::IOError(path, "file name too long"); }

FindRecord Record(std::string_view name, std::string_view short_name, std::uint32_t attributes) {
  FindRecord record;
  record.dwFileAttributes = attributes;
  Copy(name, record.cFileName.data(), record.cFileName.size());
  Copy(short_name, record.cAlternateFileName.data(), record.cAlternateFileName.size() - 1);
  return record;
}

const Status* FaultFor(const std::map<std::string, Status>& faults, std::string_view path) {
  const auto it = faults.find(Key(path));
  return it == faults.end() ? nullptr : &it->second;
}

}  // namespace

MemEnv::MemEnv() : top_(std::make_unique<Node>()) { top_->folder = true; }
MemEnv::~MemEnv() = default;

MemEnv::Node* MemEnv::Find(std::string_view path) const {
  const auto components = PathNames(path, kSeparator);
  if (components.empty()) return nullptr;
  Node* node = top_.get();
  for (const std::string_view name : components) {
    if (!node->folder) return nullptr;
    const auto it = std::find_if(node->children.begin(), node->children.end(),
                                 [name](const auto& child) { return SameName(child->name, name); });
    if (it == node->children.end()) return nullptr;
    node = it->get();
  }
  return node;
}

// The folder that holds the path's last component, or null.
MemEnv::Node* MemEnv::Parent(std::string_view path) const {
  const auto components = PathNames(path, kSeparator);
  if (components.size() < 2) return nullptr;
  const std::string_view last = components.back();
  Node* parent = Find(path.substr(0, static_cast<std::size_t>(last.data() - path.data())));
  return parent != nullptr && parent->folder ? parent : nullptr;
}

MemEnv::Node* MemEnv::Add(std::string_view path, bool folder) {
  const auto components = PathNames(path, kSeparator);
  if (components.empty()) throw std::invalid_argument("MemEnv: empty path");
  Node* node = top_.get();
  for (std::size_t i = 0; i < components.size(); ++i) {
    const std::string_view name = components[i];
    const bool last = i + 1 == components.size();
    if (name.size() > kMaxPath) throw std::invalid_argument("MemEnv: name longer than 260");
    if (!node->folder) throw std::invalid_argument("MemEnv: a file is in the way");
    const auto it = std::find_if(node->children.begin(), node->children.end(),
                                 [name](const auto& child) { return SameName(child->name, name); });
    if (it != node->children.end()) {
      node = it->get();
      if (last && node->folder != folder)
        throw std::invalid_argument("MemEnv: file and folder mixed up");
      continue;
    }
    auto child = std::make_unique<Node>();
    child->name = name;
    child->folder = folder || !last;
    child->attributes = child->folder ? kAttrDirectory : kAttrArchive;
    child->parent = node;
    node->children.push_back(std::move(child));
    node = node->children.back().get();
  }
  return node;
}

void MemEnv::AddFolder(std::string_view path, std::uint32_t attributes) {
  std::lock_guard lock(mutex_);
  Add(path, true)->attributes = attributes;
}

void MemEnv::AddFile(std::string_view path, std::string_view contents, std::uint32_t attributes,
                     std::string_view short_name) {
  std::lock_guard lock(mutex_);
  if (short_name.size() > kMaxShortName)
    throw std::invalid_argument("MemEnv: short name longer than 8.3");
  Node* node = Add(path, false);
  node->contents = contents;
  node->attributes = attributes;
  node->short_name = short_name;
  node->version = ++versions_;
}

void MemEnv::SetAttributes(std::string_view path, std::uint32_t attributes) {
  std::lock_guard lock(mutex_);
  Node* node = Find(path);
  if (node == nullptr) throw std::invalid_argument("MemEnv: no such entry");
  node->attributes = attributes;
}

void MemEnv::SetWritable(std::string_view folder, bool writable) {
  std::lock_guard lock(mutex_);
  Node* node = Find(folder);
  if (node == nullptr || !node->folder) throw std::invalid_argument("MemEnv: no such folder");
  node->writable = writable;
}

std::optional<std::string> MemEnv::Contents(std::string_view path) const {
  std::lock_guard lock(mutex_);
  const Node* node = Find(path);
  if (node == nullptr || node->folder) return std::nullopt;
  return node->contents;
}

void MemEnv::FailReadFile(std::string_view path, Status status) {
  std::lock_guard lock(mutex_);
  read_faults_.insert_or_assign(Key(path), std::move(status));
}

void MemEnv::FailReplaceFile(std::string_view path, Status status) {
  std::lock_guard lock(mutex_);
  replace_faults_.insert_or_assign(Key(path), std::move(status));
}

void MemEnv::FailSearch(std::string_view folder) {
  std::lock_guard lock(mutex_);
  find_faults_.push_back(Key(folder));
}

void MemEnv::ClearFaults() {
  std::lock_guard lock(mutex_);
  read_faults_.clear();
  replace_faults_.clear();
  find_faults_.clear();
}

std::uint32_t MemEnv::GetFileAttributes(const std::string& path) {
  std::lock_guard lock(mutex_);
  const Node* node = Find(path);
  if (node == nullptr) return kInvalidAttributes;
  // "a.html\" names no file.
  if (!node->folder && !path.empty() && IsSeparator(path.back())) return kInvalidAttributes;
  return node->attributes;
}

// A search over the records it took when it started.
class MemEnv::MemSearch final : public FolderSearch {
 public:
  MemSearch(std::vector<FindRecord> records, std::atomic<std::size_t>& open)
      : records_(std::move(records)), open_(open) {
    ++open_;
  }
  ~MemSearch() override { --open_; }

  bool Next(FindRecord* record) override {
    if (next_ >= records_.size()) return false;
    *record = records_[next_++];
    return true;
  }

 private:
  const std::vector<FindRecord> records_;
  std::size_t next_ = 0;
  std::atomic<std::size_t>& open_;
};

Status MemEnv::StartSearch(const std::string& pattern, SearchDetail /*detail*/,
                           std::unique_ptr<FolderSearch>* search, const FolderSearch* /*parent*/) {
  std::lock_guard lock(mutex_);
  std::string_view folderPath;
  std::string_view wildcard;
  if (!SplitPattern(pattern, &folderPath, &wildcard)) {
    return Status::InvalidArgument(pattern, "no folder and wildcard");
  }
  const Node* folder = Find(folderPath);
  if (folder == nullptr) return Status::NotFound(folderPath);
  if (!folder->folder) return Status::NotFound(folderPath, "a part of the path is not a folder");
  if (std::find(find_faults_.begin(), find_faults_.end(), Key(folderPath)) != find_faults_.end()) {
    return Status::PermissionDenied(folderPath);
  }

  std::vector<FindRecord> records;
  const bool isRoot = folder->parent == top_.get();
  if (!isRoot) {
    if (MatchesWildcard(wildcard, ".")) records.push_back(Record(".", "", folder->attributes));
    if (MatchesWildcard(wildcard, "..")) {
      records.push_back(Record("..", "", folder->parent->attributes));
    }
  }
  for (const auto& child : folder->children) {
    if (MatchesWildcard(wildcard, child->name) ||
        (!child->short_name.empty() && MatchesWildcard(wildcard, child->short_name))) {
      records.push_back(Record(child->name, child->short_name, child->attributes));
    }
  }
  *search = std::make_unique<MemSearch>(std::move(records), open_searches_);
  return Status::OK();
}

Status MemEnv::ReadFile(const std::string& path, std::string* contents, FileStamp* stamp) {
  std::lock_guard lock(mutex_);
  contents->clear();
  if (const Status* fault = FaultFor(read_faults_, path)) return *fault;
  const Node* node = Find(path);
  if (node == nullptr) return Status::NotFound(path);
  if (node->folder) return Status::IOError(path, "is a folder");
  *contents = node->contents;
  if (stamp != nullptr) *stamp = node->Stamp();
  files_read_.push_back(path);
  return Status::OK();
}

Status MemEnv::ReplaceFile(const std::string& path, std::string_view contents,
                           const ReplaceGuard& guard) {
  std::lock_guard lock(mutex_);
  if (const Status* fault = FaultFor(replace_faults_, path)) return *fault;
  Node* parent = Parent(path);
  if (parent == nullptr) return Status::NotFound(path);
  Node* node = Find(path);
  if (node != nullptr && node->folder) return Status::IOError(path, "is a folder");
  if (node != nullptr && (node->attributes & kAttrReadOnly) != 0) return Status::ReadOnly(path);
  if (!parent->writable) return Status::PermissionDenied(path);
  if (guard.stop != nullptr && guard.stop->load()) return Status::Stopped(path);
  if (guard.unchanged != nullptr && guard.unchanged->known &&
      (node == nullptr || node->Stamp() != *guard.unchanged)) {
    return Status::Changed(path);
  }
  if (node == nullptr && PathNames(path, kSeparator).back().size() > kMaxPath)
    return NameTooLong(path);
  if (node == nullptr) node = Add(path, false);
  node->contents = contents;
  node->version = ++versions_;
  files_written_.push_back(path);
  return Status::OK();
}

Status MemEnv::CreateFolders(const std::string& path) {
  std::lock_guard lock(mutex_);
  const auto components = PathNames(path, kSeparator);
  if (components.empty()) return Status::InvalidArgument(path, "no folder name");
  for (const std::string_view component : components) {
    const std::size_t end =
        static_cast<std::size_t>(component.data() - path.data()) + component.size();
    const std::string prefix = path.substr(0, end);
    if (const Node* node = Find(prefix); node != nullptr) {
      if (!node->folder) return Status::IOError(prefix, "a file is in the way of the folder");
      continue;
    }
    const Node* parent = Parent(prefix);
    if (parent != nullptr && !parent->writable) return Status::PermissionDenied(prefix);
    if (component.size() > kMaxPath) return NameTooLong(prefix);
    Add(prefix, true);
  }
  return Status::OK();
}

bool MemEnv::GetFileStamp(const std::string& path, FileStamp* stamp) {
  std::lock_guard lock(mutex_);
  const Node* node = Find(path);
  if (node == nullptr || node->folder) return false;
  *stamp = node->Stamp();
  return true;
}

bool MemEnv::CanCreateFilesIn(const std::string& folder) {
  std::lock_guard lock(mutex_);
  const Node* node = Find(folder);
  return node != nullptr && node->folder && node->writable;
}

std::unique_ptr<MemEnv> NewMemEnv() { return std::make_unique<MemEnv>(); }

}  // namespace quarnel
