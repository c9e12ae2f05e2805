#ifndef QUARNEL_TESTS_SUPPORT_FAULT_SUPPORT_H_
#define QUARNEL_TESTS_SUPPORT_FAULT_SUPPORT_H_

// What the fault tests share: the program run as a process (as root, as
// another user, killed at a moment), file systems mounted for one test and
// unmounted after it, snapshots of a tree, the check that every file is
// either as it was or replaced whole by its compacted form, and the figures
// each test prints.

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

extern char** environ;

namespace quarnel::testing_support {

inline bool IsRoot() { return ::geteuid() == 0; }

inline bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// ---------------------------------------------------------------- processes

struct ProcessOptions {
  std::string cwd;               // empty: the test's own
  std::vector<std::string> env;  // "NAME=value", added to or replacing the test's
  std::optional<uid_t> uid;      // run as this user (needs root)
  std::optional<gid_t> gid;
};

struct ProcessOutcome {
  int status = -1;  // the exit status, or -1 when killed
  int signal = 0;   // the signal that ended it, or 0
  std::string out;
  std::string err;
  long max_rss_kb = 0;  // peak resident memory
};

// A process started from an argument vector, standard input from /dev/null
// (as in CI), standard output and error captured in memory files.
class ChildProcess {
 public:
  ChildProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {}) {
    out_ = ::memfd_create("stdout", MFD_CLOEXEC);
    err_ = ::memfd_create("stderr", MFD_CLOEXEC);
    std::vector<std::string> env = Environment(options.env);
    pid_ = ::fork();
    if (pid_ == 0) Exec(argv, env, options);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() {
    if (pid_ > 0 && !waited_) {
      ::kill(pid_, SIGKILL);
      Wait();
    }
    ::close(out_);
    ::close(err_);
  }

  pid_t pid() const { return pid_; }
  void Kill(int signal) { ::kill(pid_, signal); }

  // Whether the process has ended, without waiting for it.
  bool Ended() {
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == pid_;
  }

  ProcessOutcome Wait() {
    ProcessOutcome outcome;
    int status = 0;
    struct rusage usage {};
    while (::wait4(pid_, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    waited_ = true;
    if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
    outcome.max_rss_kb = usage.ru_maxrss;
    outcome.out = Drain(out_);
    outcome.err = Drain(err_);
    return outcome;
  }

 private:
  static std::vector<std::string> Environment(const std::vector<std::string>& changes) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
    for (const std::string& change : changes) {
      const std::string name = change.substr(0, change.find('=') + 1);
      std::erase_if(env, [&](const std::string& e) { return e.starts_with(name); });
      env.push_back(change);
    }
    return env;
  }

  [[noreturn]] void Exec(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                         const ProcessOptions& options) {
    const int null = ::open("/dev/null", O_RDONLY);
    ::dup2(null, 0);
    ::dup2(out_, 1);
    ::dup2(err_, 2);
    if (!options.cwd.empty() && ::chdir(options.cwd.c_str()) != 0) ::_exit(126);
    if (options.gid && (::setgroups(0, nullptr) != 0 || ::setgid(*options.gid) != 0)) ::_exit(126);
    if (options.uid && ::setuid(*options.uid) != 0) ::_exit(126);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    ::execve(args[0], args.data(), envp.data());
    ::_exit(127);
  }

  static std::string Drain(int fd) {
    std::string text;
    ::lseek(fd, 0, SEEK_SET);
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
      text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
  }

  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
  bool waited_ = false;
};

inline ProcessOutcome RunProcess(const std::vector<std::string>& argv,
                                 const ProcessOptions& options = {}) {
  return ChildProcess(argv, options).Wait();
}

// Where a tool lives, or empty when it is not installed.
inline std::string FindTool(std::string_view name) {
  for (const char* folder : {"/usr/bin", "/bin", "/usr/sbin", "/sbin"}) {
    const std::string path = std::string(folder) + "/" + std::string(name);
    if (::access(path.c_str(), X_OK) == 0) return path;
  }
  return {};
}

// ----------------------------------------------------------------- mounting

// Moves the test process into a mount namespace of its own, once, so that a
// test that dies halfway leaves no mount behind on the machine. Harmless
// when not permitted: the mounts are then undone by their owners alone.
inline void PrivateMounts() {
  static const bool done = [] {
    if (::unshare(CLONE_NEWNS) == 0) ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    return true;
  }();
  (void)done;
}

// A file system mounted at a folder for the length of a test.
class Mount {
 public:
  Mount(const Mount&) = delete;
  Mount& operator=(const Mount&) = delete;
  ~Mount() {
    if (::umount2(target_.c_str(), 0) != 0) ::umount2(target_.c_str(), MNT_DETACH);
  }

  // A tmpfs with the given options ("size=1m"). Null, with the reason in
  // `why`, when it cannot be mounted.
  static std::unique_ptr<Mount> Tmpfs(const std::string& target, const std::string& options,
                                      std::string* why) {
    return Make("tmpfs", target, "tmpfs", 0, options, why);
  }

  // The folder `source` shown once more at `target`.
  static std::unique_ptr<Mount> Bind(const std::string& source, const std::string& target,
                                     std::string* why) {
    return Make(source, target, "", MS_BIND, "", why);
  }

  // An ext4 file system in an image file of `megabytes`, through a loop
  // device (for what tmpfs cannot do).
  static std::unique_ptr<Mount> Ext4Image(const std::string& image, const std::string& target,
                                          int megabytes, std::string* why) {
    const std::string mkfs = FindTool("mkfs.ext4");
    const std::string mount = FindTool("mount");
    if (mkfs.empty() || mount.empty()) {
      *why = "mkfs.ext4 or mount is not installed";
      return nullptr;
    }
    if (::truncate(image.c_str(), 0) != 0) {
      const int fd = ::open(image.c_str(), O_WRONLY | O_CREAT, 0600);
      ::close(fd);
    }
    if (::truncate(image.c_str(), static_cast<off_t>(megabytes) << 20) != 0) {
      *why = "cannot make the image file";
      return nullptr;
    }
    const ProcessOutcome made = RunProcess({mkfs, "-q", "-F", image});
    if (made.status != 0) {
      *why = "mkfs.ext4 failed: " + made.err;
      return nullptr;
    }
    PrivateMounts();
    std::filesystem::create_directories(target);
    const ProcessOutcome mounted = RunProcess({mount, "-o", "loop", image, target});
    if (mounted.status != 0) {
      *why = "cannot mount a loop device: " + mounted.err;
      return nullptr;
    }
    return std::unique_ptr<Mount>(new Mount(target));
  }

  // Makes the mount read-only (true) or writable again.
  bool SetReadOnly(bool readOnly, std::string* why) {
    const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
    if (::mount(nullptr, target_.c_str(), nullptr, flags, nullptr) == 0) return true;
    // A bind mount is made read-only on its own.
    if (::mount(nullptr, target_.c_str(), nullptr, flags | MS_BIND, nullptr) == 0) return true;
    *why = std::string("remount failed: ") + std::strerror(errno);
    return false;
  }

  const std::string& target() const { return target_; }

 private:
  explicit Mount(std::string target) : target_(std::move(target)) {}

  static std::unique_ptr<Mount> Make(const std::string& source, const std::string& target,
                                     const std::string& type, unsigned long flags,
                                     const std::string& options, std::string* why) {
    if (!IsRoot()) {
      *why = "needs root to mount a file system";
      return nullptr;
    }
    PrivateMounts();
    std::filesystem::create_directories(target);
    if (::mount(source.c_str(), target.c_str(), type.empty() ? nullptr : type.c_str(), flags,
                options.empty() ? nullptr : options.c_str()) != 0) {
      *why = "mount of " + (type.empty() ? source : type) +
             " not permitted here: " + std::strerror(errno);
      return nullptr;
    }
    return std::unique_ptr<Mount>(new Mount(target));
  }

  std::string target_;
};

// Bytes free for an ordinary user in the file system holding `path`.
inline std::uint64_t FreeBytes(const std::string& path) {
  struct statvfs vfs {};
  if (::statvfs(path.c_str(), &vfs) != 0) return 0;
  return static_cast<std::uint64_t>(vfs.f_bavail) * vfs.f_frsize;
}

// ------------------------------------------------------------ the program

// A private copy of the built program in `folder`: its settings file lives
// beside it.
inline std::string CopyProgram(const std::string& folder) {
  std::filesystem::create_directories(folder);
  const std::string program = folder + "/quarnel";
  std::filesystem::copy_file(QUARNEL_BINARY, program,
                             std::filesystem::copy_options::overwrite_existing);
  return program;
}

// The recognisable name of the program's temporary files.
// ".<name>.quarnel-XXXXXX.tmp", the Xs letters and digits.
inline bool IsTemporaryName(std::string_view name) {
  constexpr std::string_view kMiddle = ".quarnel-";
  constexpr std::string_view kEnd = ".tmp";
  constexpr std::size_t kUnique = 6;
  if (name.size() < 2 + kMiddle.size() + kUnique + kEnd.size() || name[0] != '.' ||
      !name.ends_with(kEnd)) {
    return false;
  }
  name.remove_suffix(kEnd.size());
  for (const char c : name.substr(name.size() - kUnique)) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  name.remove_suffix(kUnique);
  return name.ends_with(kMiddle);
}

// A page that the program changes: blanks at line ends, empty lines, a
// generator line; `lines` lines of text in all, varied by `seed`.
inline std::string CompactablePage(std::size_t lines, unsigned seed = 0) {
  std::string page = "<html>\r\n<head>\r\n";
  page += "<meta name=\"GENERATOR\" content=\"Microsoft FrontPage 4.0\">\r\n";
  page += "<title>page " + std::to_string(seed) + "</title>  \r\n</head>\r\n<body>\r\n";
  for (std::size_t i = 0; i < lines; ++i) {
    page += "  <p>line " + std::to_string(i * 7 + seed) + " of the page</p>   \r\n";
    if (i % 3 == 0) page += "\r\n";
  }
  page += "</body>\r\n</html>\r\n";
  return page;
}

// ------------------------------------------------------------ tree states

struct FileState {
  std::string bytes;
  struct timespec mtime {};
  mode_t mode = 0;
  uid_t uid = 0;
  gid_t gid = 0;
};

// Every regular file under `root` (links not followed), by path relative to
// it; `others` gets every other entry that is not a folder.
using TreeState = std::map<std::string, FileState>;

inline TreeState Snapshot(const std::string& root, std::vector<std::string>* others = nullptr) {
  TreeState state;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(
           root, std::filesystem::directory_options::skip_permission_denied, error);
       it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (error) break;
    const std::string path = it->path().string();
    const std::string relative = path.substr(root.size() + 1);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) continue;
    if (S_ISREG(st.st_mode)) {
      state[relative] = {TempFolder::Read(path), st.st_mtim,
                         static_cast<mode_t>(st.st_mode & 07777), st.st_uid, st.st_gid};
    } else if (!S_ISDIR(st.st_mode) && others != nullptr) {
      others->push_back(relative);
    }
  }
  return state;
}

// What became of the files of a tree after a run under a fault.
struct FileTally {
  int files = 0;      // files that were there before
  int unchanged = 0;  // exactly as they were, bytes and modification time
  int replaced = 0;   // whole in their compacted form
  int lost = 0;       // gone
  int corrupted = 0;  // anything else: truncated, half-written, touched
  int leftovers = 0;  // temporary files left beside them
  int strays = 0;     // any other new file

  FileTally& operator+=(const FileTally& t) {
    files += t.files;
    unchanged += t.unchanged;
    replaced += t.replaced;
    lost += t.lost;
    corrupted += t.corrupted;
    leftovers += t.leftovers;
    strays += t.strays;
    return *this;
  }
};

// Checks the promise that a run never loses a file: every file of `before`
// is either exactly as it was or holds its form in `compacted` (a file
// missing there must stay as it was). A new file may only be a temporary
// file of the program, and only when `leftoversAllowed` (after SIGKILL).
// Every broken promise is a test failure naming the file.
inline FileTally CheckFiles(const TreeState& before, const TreeState& after,
                            const TreeState& compacted, bool leftoversAllowed,
                            std::string_view context = {}) {
  FileTally tally;
  for (const auto& [path, old] : before) {
    ++tally.files;
    const auto now = after.find(path);
    if (now == after.end()) {
      ++tally.lost;
      ADD_FAILURE() << context << ": " << path << " is gone";
      continue;
    }
    if (now->second.bytes == old.bytes && SameTime(now->second.mtime, old.mtime)) {
      ++tally.unchanged;
      continue;
    }
    // A page whose form is its old content is never written, so its time
    // must stay; the settings file is written at every exit, whatever it holds.
    const auto form = compacted.find(path);
    const bool alwaysWritten = path.ends_with("Quarnel.ini");
    if (form != compacted.end() && now->second.bytes == form->second.bytes &&
        (form->second.bytes != old.bytes || alwaysWritten)) {
      ++tally.replaced;
      continue;
    }
    ++tally.corrupted;
    ADD_FAILURE() << context << ": " << path << " is neither as it was nor its compacted form ("
                  << now->second.bytes.size() << " bytes, was " << old.bytes.size() << ")";
  }
  for (const auto& [path, state] : after) {
    if (before.count(path) != 0) continue;
    const std::string name = std::filesystem::path(path).filename().string();
    if (IsTemporaryName(name)) {
      ++tally.leftovers;
      if (!leftoversAllowed) ADD_FAILURE() << context << ": temporary file left: " << path;
    } else {
      ++tally.strays;
      ADD_FAILURE() << context << ": a new file appeared: " << path;
    }
  }
  return tally;
}

// The compacted form of every file of a tree: what a run without faults
// makes of a copy of it. `args` are the paths, relative to the copy. The
// program is a fresh copy beside it, or `programInTree`, relative to the
// tree, whose settings file then changes too.
inline TreeState CompactedForms(const std::string& root, const std::vector<std::string>& args,
                                const std::string& programInTree = {}) {
  TempFolder scratch;
  const std::string copy = scratch / "tree";
  std::filesystem::copy(
      root, copy,
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::copy_symlinks);
  std::vector<std::string> argv{programInTree.empty() ? CopyProgram(scratch / "bin")
                                                      : copy + "/" + programInTree};
  argv.insert(argv.end(), args.begin(), args.end());
  ProcessOptions options;
  options.cwd = copy;
  options.env = {"HOME=" + (scratch / "home"), "XDG_CONFIG_HOME=" + (scratch / "config")};
  const ProcessOutcome run = RunProcess(argv, options);
  EXPECT_EQ(run.status, 0) << "the run without faults: " << run.err;
  return Snapshot(copy);
}

// Copies a tree afresh, links as links (the copies get new times).
inline void CopyTree(const std::string& from, const std::string& to) {
  std::filesystem::remove_all(to);
  std::filesystem::copy(
      from, to,
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::copy_symlinks);
}

// ----------------------------------------------------------------- figures

// One line of the reliability figures: printed, and added to the file that
// $QUARNEL_FIGURES names, for bench/RELIABILITY.md.
inline void ReportFigure(std::string_view kind, long runs, long faults, const FileTally& tally,
                         std::string_view note = {}) {
  std::string line = "figure\t" + std::string(kind);
  const auto field = [&line](const char* name, long value) {
    line += "\t" + std::string(name) + "=" + std::to_string(value);
  };
  field("runs", runs);
  field("faults", faults);
  field("files", tally.files);
  field("unchanged", tally.unchanged);
  field("replaced", tally.replaced);
  field("lost", tally.lost);
  field("corrupted", tally.corrupted);
  field("leftovers", tally.leftovers);
  line += "\t" + std::string(note) + "\n";
  std::fputs(line.c_str(), stdout);
  if (const char* file = std::getenv("QUARNEL_FIGURES"); file != nullptr && file[0] != '\0') {
    const int fd = ::open(file, O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd >= 0) {
      const ssize_t ignored = ::write(fd, line.data(), line.size());
      (void)ignored;
      ::close(fd);
    }
  }
}

}  // namespace quarnel::testing_support

#endif  // QUARNEL_TESTS_SUPPORT_FAULT_SUPPORT_H_
