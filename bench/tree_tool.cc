// Helpers for bench/tree_bench.sh, which times quarnel on a large tree of
// HTML files against what any program must spend on the same tree:
//
//   tree_tool generate DIR FILES MBYTES [--opt-out] [--ext EXT] [--no-large]
//                      [--blocks] [--lf]
//       writes FILES CR LF HTML files of about MBYTES MB in all into DIR,
//       in nested folders, a few of them large (none with --no-large); with
//       --opt-out every file carries the opt-out marker; with --ext every
//       name ends in .EXT; with --blocks the pages hold <style>, <pre> and
//       <script> blocks; with --lf their lines end in LF alone.
//   tree_tool blocks DIR    prints the number of <pre>, <textarea>, <script>
//                           and <style> blocks under DIR and a checksum of
//                           their contents (line ends read as LF), which a
//                           run that keeps every block leaves as it was
//   tree_tool rewrite DIR   the rewrite floor: reads every file and writes it
//                           back through a temporary file and a rename,
//                           keeping its permission bits
//   tree_tool rewrite-durable DIR
//                           the same, made as crash-safe as quarnel's own
//                           replacement: the temporary file is flushed to
//                           the device before the rename, the folder after
//   tree_tool replace-flushed THREADS DIR
//                           the durable floor: THREADS threads share the
//                           files, and each file is read, written to a
//                           temporary file, flushed and renamed over itself,
//                           as quarnel's replacement does and nothing more
//   tree_tool read DIR      the read-only floor: every byte read once
//   tree_tool measure CMD...  runs CMD with its output discarded and prints
//                           "SECONDS MAX_RSS_KB CPU_SECONDS" (CPU: user + sys)
//
// The floors walk with nftw without following links, as quarnel walks.
#include <fcntl.h>
#include <ftw.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "bench/html_corpus.h"
#include "engine/blocks.h"

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "tree_tool: %s: %s\n", what.c_str(), std::strerror(errno));
  std::exit(1);
}

bool ReadAll(const char* path, std::string& bytes) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (fstat(fd, &st) != 0) {
    close(fd);
    return false;
  }
  bytes.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  close(fd);
  return true;
}

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n <= 0) Fail(path);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

// --- generate --------------------------------------------------------------

// A document of about `bytes` bytes; every third one carries CP932 text, as
// the sites the tool is made for do.
struct PageKind {
  bool opt_out = false;
  bool blocks = false;
  bool line_feeds = false;
};

std::string Page(std::size_t bytes, std::size_t index, const PageKind& kind) {
  std::string doc = kind.blocks ? quarnel::bench::MakeBlockDocument(bytes)
                                : quarnel::bench::MakeHtmlDocument(bytes);
  if (index % 3 == 0) {
    const std::string title = "<title>Catalogue</title>";
    const std::size_t at = doc.find(title);
    if (at != std::string::npos) {
      doc.replace(at, title.size(), "<title>\x8E\x52\x93\x63\x8F\xA4\x93\x58 Catalogue</title>");
    }
  }
  if (kind.opt_out) {
    const std::size_t at = doc.find("<head>\r\n");
    if (at != std::string::npos) doc.insert(at + 8, "<!--NO QUARNEL-->\r\n");
  }
  return kind.line_feeds ? quarnel::bench::WithLineFeeds(doc) : doc;
}

int Generate(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: tree_tool generate DIR FILES MBYTES [--opt-out] [--ext EXT]\n");
    return 2;
  }
  const fs::path root = argv[2];
  const std::size_t files = std::strtoul(argv[3], nullptr, 10);
  const std::size_t total = std::strtoul(argv[4], nullptr, 10) << 20;
  PageKind kind;
  bool noLarge = false;
  std::string ext;
  for (int i = 5; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--opt-out") kind.opt_out = true;
    if (std::string_view(argv[i]) == "--blocks") kind.blocks = true;
    if (std::string_view(argv[i]) == "--lf") kind.line_feeds = true;
    if (std::string_view(argv[i]) == "--no-large") noLarge = true;
    if (std::string_view(argv[i]) == "--ext" && i + 1 < argc) ext = argv[++i];
  }

  // Four large files of 8 MB each; the rest share what is left, between a
  // third and five thirds of the mean, so the mean stays where it should.
  const std::size_t kLarge = noLarge ? 0 : 4;
  constexpr std::size_t kLargeBytes = 8u << 20;
  const std::size_t rest = total > kLarge * kLargeBytes ? total - kLarge * kLargeBytes : total;
  const std::size_t mean = rest / (files > kLarge ? files - kLarge : 1);
  std::mt19937_64 random(20240301);
  std::uniform_int_distribution<std::size_t> size(mean / 3, mean * 5 / 3);
  const char* kExtensions[] = {"html", "htm", "html", "shtml", "HTM", "html"};

  // 20 sections of 10 folders of 10 folders each; a few pages sit higher up.
  std::size_t written = 0;
  for (std::size_t i = 0; i < files; ++i) {
    fs::path folder = root / ("s" + std::to_string(i % 20));
    if (i % 50 != 0) {
      folder /= "d" + std::to_string(i / 20 % 10);
      folder /= "e" + std::to_string(i / 200 % 10);
    }
    fs::create_directories(folder);
    const std::string name =
        "page" + std::to_string(i) + "." + (ext.empty() ? kExtensions[i % 6] : ext);
    const std::size_t bytes = i < kLarge ? kLargeBytes : size(random);
    const std::string doc = Page(bytes, i, kind);
    const std::string path = (folder / name).string();
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) Fail(path);
    WriteAll(fd, doc, path);
    close(fd);
    written += doc.size();
  }
  std::printf("%zu files, %.1f MB, %s\n", files, static_cast<double>(written) / 1048576.0,
              noLarge ? "no large one" : "largest 8.0 MB");
  return 0;
}

// --- the blocks' checksum ------------------------------------------------------

std::uint64_t blockCount = 0;
std::uint64_t blockSum = 0;

// FNV-1a over the file's path and its block contents, line ends read as LF;
// the files' sums are added, so the walk's order does not matter.
int SumBlocks(const char* path, const struct stat*, int type, struct FTW*) {
  if (type != FTW_F) return 0;
  std::string bytes;
  if (!ReadAll(path, bytes)) Fail(path);
  std::uint64_t hash = 1469598103934665603ull;
  const auto add = [&](char c) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  };
  for (const char* c = path; *c != '\0'; ++c) add(*c);
  for (const quarnel::BlockContent& block : quarnel::FindBlocks(bytes)) {
    ++blockCount;
    add('\0');
    for (std::size_t i = block.begin; i < block.end; ++i) {
      if (bytes[i] == '\r' && i + 1 < block.end && bytes[i + 1] == '\n') continue;
      add(bytes[i] == '\r' ? '\n' : bytes[i]);
    }
  }
  blockSum += hash;
  return 0;
}

// --- the floors ------------------------------------------------------------

std::string buffer;
std::uint64_t bytesSeen = 0;

int ReadOne(const char* path, const struct stat*, int type, struct FTW*) {
  if (type != FTW_F) return 0;
  if (!ReadAll(path, buffer)) Fail(path);
  bytesSeen += buffer.size();
  return 0;
}

bool durable = false;

int RewriteOne(const char* path, const struct stat* st, int type, struct FTW*) {
  if (type != FTW_F) return 0;
  if (!ReadAll(path, buffer)) Fail(path);
  bytesSeen += buffer.size();
  const std::string temp = std::string(path) + ".tmp~";
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) Fail(temp);
  WriteAll(fd, buffer, temp);
  if (fchmod(fd, st->st_mode & 07777) != 0) Fail(temp);
  if (durable && fsync(fd) != 0) Fail(temp);
  if (close(fd) != 0) Fail(temp);
  if (rename(temp.c_str(), path) != 0) Fail(path);
  return 0;
}

std::vector<std::string> filesFound;

int ListOne(const char* path, const struct stat*, int type, struct FTW*) {
  if (type == FTW_F) filesFound.emplace_back(path);
  return 0;
}

// Reads the file, writes it to a temporary file, flushes it and renames it
// over the file.
void ReplaceFlushed(const std::string& path, std::string& bytes) {
  if (!ReadAll(path.c_str(), bytes)) Fail(path);
  const std::string temp = path + ".tmp~";
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) Fail(temp);
  WriteAll(fd, bytes, temp);
  if (fsync(fd) != 0) Fail(temp);
  if (close(fd) != 0) Fail(temp);
  if (rename(temp.c_str(), path.c_str()) != 0) Fail(path);
}

int ReplaceFlushedThreads(const char* threadsText, const char* root) {
  if (nftw(root, ListOne, 64, FTW_PHYS) != 0) Fail(root);
  const int threads = std::max(1, std::atoi(threadsText));
  std::atomic<std::size_t> next{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&] {
      std::string bytes;
      for (std::size_t i; (i = next++) < filesFound.size();) ReplaceFlushed(filesFound[i], bytes);
    });
  }
  for (std::thread& worker : workers) worker.join();
  return 0;
}

int Walk(const char* root, int (*visit)(const char*, const struct stat*, int, struct FTW*)) {
  if (nftw(root, visit, 64, FTW_PHYS) != 0) Fail(root);
  std::fprintf(stderr, "%.1f MB\n", static_cast<double>(bytesSeen) / 1048576.0);
  return 0;
}

// --- measure ---------------------------------------------------------------

int Measure(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) Fail("fork");
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    execvp(argv[2], argv + 2);
    Fail(argv[2]);
  }
  int status = 0;
  struct rusage usage;
  if (wait4(pid, &status, 0, &usage) < 0) Fail("wait4");
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const auto cpu = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  std::printf("%.3f %ld %.3f\n", seconds, usage.ru_maxrss,
              cpu(usage.ru_utime) + cpu(usage.ru_stime));
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "tree_tool: %s ended with status %d\n", argv[2], WEXITSTATUS(status));
    return 1;
  }
  (void)argc;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "generate") return Generate(argc, argv);
  if (command == "rewrite" && argc == 3) return Walk(argv[2], RewriteOne);
  if (command == "rewrite-durable" && argc == 3) {
    durable = true;
    return Walk(argv[2], RewriteOne);
  }
  if (command == "replace-flushed" && argc == 4) return ReplaceFlushedThreads(argv[2], argv[3]);
  if (command == "read" && argc == 3) return Walk(argv[2], ReadOne);
  if (command == "blocks" && argc == 3) {
    const int status = Walk(argv[2], SumBlocks);
    std::printf("%llu blocks, checksum %016llx\n", static_cast<unsigned long long>(blockCount),
                static_cast<unsigned long long>(blockSum));
    return status;
  }
  if (command == "measure" && argc > 2) return Measure(argc, argv);
  std::fprintf(stderr, "usage: tree_tool generate|rewrite|read|measure ...\n");
  return 2;
}
