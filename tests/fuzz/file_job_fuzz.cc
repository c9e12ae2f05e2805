// Any bytes as an HTML file, through the real file job on the real file
// system: read, encoding detection, byte order mark, split, compaction,
// rendering and the replacement by a temporary file and a rename. Checked
// against a plain model of the whole job built on the reference engine:
// - a file the model leaves alone keeps its bytes and modification time;
// - a rewritten file holds exactly the model's bytes, so every byte that no
//   rule changes survives, in any encoding and with invalid sequences;
// - a read-only file is never changed and its failure is reported;
// - a symbolic link stays a link;
// - no temporary file is ever left beside the file.
//
// Input: one byte of switches (mode, signature, head lines, read-only file,
// reached through a link), one byte n, n bytes of list items added to the
// defaults (see Items), then the file's bytes.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/compact_lines.h"
#include "files/work.h"
#include "files/work_report.h"
#include "platform/codepage.h"
#include "platform/env.h"
#include "settings/default_lists.h"
#include "settings/settings.h"
#include "tests/engine/reference_page.h"

namespace {

using quarnel::ItemList;

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr timespec kOldTime = {1000000000, 123456789};

// Ends the run with the line of the broken promise.
#define Check(condition) CheckAt((condition), __LINE__)
void CheckAt(bool condition, int line) {
  if (condition) return;
  std::fprintf(stderr, "broken promise checked at line %d\n", line);
  std::abort();
}

std::string folder;  // the scratch folder, made once

void RemoveFolder() {
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") ::unlink((folder + "/" + name).c_str());
    }
    ::closedir(dir);
  }
  ::rmdir(folder.c_str());
}

std::vector<std::string> Names() {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  Check(dir != nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

void WriteRaw(const std::string& path, std::string_view bytes, mode_t mode) {
  ::unlink(path.c_str());
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  Check(fd >= 0);
  Check(::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
  const timespec times[2] = {kOldTime, kOldTime};
  Check(::futimens(fd, times) == 0);
  Check(::fchmod(fd, mode) == 0);
  ::close(fd);
}

std::string ReadRaw(const std::string& path) {
  std::string bytes;
  const int fd = ::open(path.c_str(), O_RDONLY);
  Check(fd >= 0);
  char buffer[65536];
  for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

// Items of the three lists, from the fuzzer's bytes: groups separated by
// 0x01, items by 0x02. An item is one line of the settings file, so it holds
// no CR.
std::vector<ItemList> Items(std::string_view data) {
  std::vector<ItemList> groups(3);
  std::size_t group = 0;
  bool fresh = true;
  for (char c : data) {
    if (c == '\x01') {
      if (group + 1 < groups.size()) ++group;
      fresh = true;
    } else if (c == '\x02') {
      fresh = true;
    } else if (c != '\r') {
      if (fresh) groups[group].emplace_back();
      fresh = false;
      groups[group].back() += c;
    }
  }
  return groups;
}

ItemList Encoded(const ItemList& items, quarnel::Encoding encoding) {
  if (encoding == quarnel::Encoding::kUtf8) return items;
  ItemList out;
  for (const std::string& item : items) out.push_back(quarnel::Utf8ToCp932(item));
  return out;
}

// The whole file job as the rules read: false when the file stays, else its
// new bytes.
bool ModelJob(std::string_view bytes, const quarnel::Settings& settings, std::string* out) {
  const bool bom = bytes.starts_with(kBom);
  const std::string_view text = bytes.substr(bom ? kBom.size() : 0);
  const quarnel::Encoding encoding =
      bom || quarnel::IsValidUtf8(bytes) ? quarnel::Encoding::kUtf8 : quarnel::Encoding::kCp932;
  quarnel::CompactContext context;
  context.encoding = encoding;
  context.write_signature = quarnel::SignatureOn(settings);
  context.insert_head_lines = quarnel::HeadLinesOn(settings);
  context.head_lines = Encoded(settings.HeadLines, encoding);
  const std::optional<std::string> page = quarnel::ReferencePagePass(
      text, settings.CompactMode == 1, Encoded(settings.JoinTags, encoding),
      Encoded(settings.DeleteLines, encoding), context);
  if (!page) return false;
  out->assign(bom ? kBom : "");
  *out += *page;
  return true;
}

// Records what the job reports.
struct Events final : quarnel::RunObserver {
  int rewritten = 0;
  int failed = 0;
  void PageDone(const std::string&, const quarnel::PageOutcome& outcome) override {
    if (outcome.kind == quarnel::PageOutcome::Kind::kRewritten) ++rewritten;
  }
  void Failure(const quarnel::Status&) override { ++failed; }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string pattern = std::string(base) + "/quarnel-file-job-fuzz-XXXXXX";
  Check(::mkdtemp(pattern.data()) != nullptr);
  folder = pattern;
  std::atexit(RemoveFolder);
  ::umask(022);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t switches = data[0];
  const std::size_t itemBytes = std::min<std::size_t>(data[1], size - 2);
  const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::vector<ItemList> extra = Items(input.substr(0, itemBytes));
  const std::string_view bytes = input.substr(itemBytes);

  quarnel::Settings settings;
  settings.CompactMode = switches & 3;  // 2 and 3 count as legibility first
  settings.WriteSignature = (switches >> 2) & 1;
  settings.InsertHeadLines = (switches >> 3) & 1;
  settings.JoinTags = quarnel::DefaultJoinTags();
  settings.DeleteLines = quarnel::DefaultDeleteLines();
  settings.JoinTags.insert(settings.JoinTags.end(), extra[0].begin(), extra[0].end());
  settings.DeleteLines.insert(settings.DeleteLines.end(), extra[1].begin(), extra[1].end());
  settings.HeadLines = extra[2];
  const bool readOnly = (switches & 0x10) != 0;
  const bool throughLink = (switches & 0x20) != 0;

  const std::string file = folder + "/page.html";
  const std::string link = folder + "/link.html";
  ::unlink(link.c_str());
  WriteRaw(file, bytes, readOnly ? 0444 : 0640);
  if (throughLink) Check(::symlink("page.html", link.c_str()) == 0);

  Events events;
  quarnel::WorkReport report;
  quarnel::RunConfig config;
  config.jobs = 1;
  {
    quarnel::Work work(*quarnel::Env::Default(), settings, report, config, &events);
    work.CompactFile(throughLink ? link : file);
  }

  std::string expected;
  const bool changes = ModelJob(bytes, settings, &expected);
  const std::string now = ReadRaw(file);
  struct stat st;
  Check(::stat(file.c_str(), &st) == 0);
  Check((st.st_mode & 07777) == (readOnly ? 0444u : 0640u));
  if (throughLink) {
    struct stat linkStat;
    Check(::lstat(link.c_str(), &linkStat) == 0 && S_ISLNK(linkStat.st_mode));
  }
  Check(report.filesExamined() == 1);
  if (!changes || readOnly) {
    Check(now == bytes);
    Check(st.st_mtim.tv_sec == kOldTime.tv_sec && st.st_mtim.tv_nsec == kOldTime.tv_nsec);
    Check(events.rewritten == 0);
    Check(events.failed == (changes ? 1 : 0));
  } else {
    Check(now == expected);
    Check(events.rewritten == 1 && events.failed == 0);
  }
  const std::vector<std::string> names = Names();
  Check(names.size() == (throughLink ? 2u : 1u));
  return 0;
}
