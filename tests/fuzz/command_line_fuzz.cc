// Any command line. Three things are checked for each input:
// - SplitCommandLine, on both platform sides, against a plain rendering of
//   its rules in 1-based positions (any difference is a fault of the fast
//   code), plus what holds for every string: it answers true and gives at
//   least one entry for a non-empty string and leaves the list alone for an
//   empty one, and no entry holds a double quote;
// - the options of an argument vector: the paths are the arguments in their
//   order, PathsFromArguments keeps every non-empty argument whole;
// - the whole batch run over those arguments, on an in-memory site: it ends
//   with status 0, 1 or 2 as the options say, every line on stderr names
//   the program (but what -v adds beside a diff), a dry run writes nothing
//   at all, and no file outside the named paths is ever written.
//
// Input: one byte of switches (the platform side), then the argument string;
// the same bytes cut at NUL are the argument vector.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/batch_run.h"
#include "cli/command_line_split.h"
#include "cli/options.h"
#include "platform/mem_env.h"

namespace {

using quarnel::ArgumentList;

// Ends the run with the line of the broken promise.
#define Check(condition) CheckAt((condition), __LINE__)
void CheckAt(bool condition, int line) {
  if (condition) return;
  std::fprintf(stderr, "broken promise checked at line %d\n", line);
  std::abort();
}

// InStr(start, s, c) of the rules: the 1-based position of the first c at or
// after `start`, 0 when there is none.
std::size_t InStr(std::size_t start, const std::string& s, char c) {
  for (std::size_t p = start; p <= s.size(); ++p) {
    if (s[p - 1] == c) return p;
  }
  return 0;
}

// Mid(s, start, length) of the rules, 1-based.
std::string Mid(const std::string& s, std::size_t start, std::size_t length) {
  if (start > s.size()) return {};
  return s.substr(start - 1, length);
}

// The splitting rules step by step, as they read.
bool PlainSplit(std::string s, bool nt, ArgumentList& list) {
  if (s.empty()) return false;
  list.assign(1, std::string());
  std::size_t i = 0;
  auto startEntry = [&] {
    if (!list[i].empty()) {
      list.emplace_back();
      i = list.size() - 1;
    }
  };
  if (nt) {
    s = s.substr(1);
    std::size_t pos = 0;
    for (;;) {
      const std::size_t start = pos + 1;
      const std::size_t q = InStr(start, s, '"');
      if (q == 0) return true;
      startEntry();
      list[i] = Mid(s, start, q - start);
      pos = q + 2;
    }
  }
  std::size_t pos = 0;
  for (;;) {
    const std::size_t start = pos + 1;
    const std::size_t b = InStr(start, s, ' ');
    startEntry();
    if (b != 0) {
      list[i] = Mid(s, start, b - start);
      pos = b;
      continue;
    }
    list[i] = Mid(s, start, s.size());
    break;
  }
  for (std::string& entry : list) {
    for (std::size_t q; (q = entry.find('"')) != std::string::npos;) entry.erase(q, 1);
  }
  return true;
}

void CheckSplit(const std::string& s, bool nt) {
  ArgumentList list{"untouched"};
  ArgumentList plain{"untouched"};
  const bool result = quarnel::SplitCommandLine(s, nt, list);
  Check(result == PlainSplit(s, nt, plain));
  Check(list == plain);
  Check(result == !s.empty());
  if (s.empty()) return;
  Check(!list.empty());
  for (const std::string& entry : list) Check(entry.find('"') == std::string::npos);
}

// Whether `part` is `whole` with some elements left out.
bool IsSubsequence(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
  std::size_t w = 0;
  for (const std::string& p : part) {
    while (w < whole.size() && whole[w] != p) ++w;
    if (w == whole.size()) return false;
    ++w;
  }
  return true;
}

void CheckOptions(const std::vector<std::string>& args) {
  const quarnel::ParsedOptions parsed = quarnel::ParseOptions(args);
  Check(IsSubsequence(parsed.options.paths, args));
  // A lone "-" asks for the page filter: an option too.
  const bool optionLike = std::any_of(args.begin(), args.end(),
                                      [](const std::string& a) { return a.starts_with('-'); });
  if (!optionLike) Check(parsed.error.empty() && parsed.options.paths == args);

  // Every argument is one path, exactly as given: the quoted form drops only
  // empty arguments, keeping a last one.
  const ArgumentList paths = quarnel::PathsFromArguments(args);
  const bool quoted = std::any_of(args.begin(), args.end(), [](const std::string& a) {
    return a.find('"') != std::string::npos;
  });
  if (quoted) {
    Check(paths == args);
    return;
  }
  ArgumentList expected;
  for (const std::string& a : args) {
    if (!a.empty()) expected.push_back(a);
  }
  if (!args.empty() && args.back().empty()) expected.emplace_back();
  Check(paths == expected);
}

// A small site in memory; the program lives elsewhere.
std::unique_ptr<quarnel::MemEnv> Site() {
  auto env = quarnel::NewMemEnv();
  constexpr std::string_view kPage = "<html>\r\n<head>  \r\n\r\n<title>t</title>\r\n";
  env->AddFile("C:\\site\\a.html", kPage);
  env->AddFile("C:\\site\\sub\\b.htm", kPage);
  env->AddFile("C:\\site\\c.shtml", kPage, quarnel::kAttrArchive | quarnel::kAttrReadOnly);
  env->AddFile("C:\\d.html", kPage);
  env->AddFile("C:\\e.txt", kPage);
  env->AddFolder("C:\\site\\hidden", quarnel::kAttrDirectory | quarnel::kAttrHidden);
  env->AddFile("C:\\site\\hidden\\f.html", kPage);
  return env;
}

// Whether the batch may write `file` for these paths: it is named, lies in
// a named folder, or is the settings file.
bool MayWrite(const std::string& file, const quarnel::Options& options, quarnel::MemEnv& env) {
  if (file.ends_with("\\Quarnel.ini")) return !options.dry_run;
  auto fold = [](std::string s) {
    for (char& c : s) {
      if (c == '/') c = '\\';
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return s;
  };
  const std::string folded = fold(file);
  // With -o every page goes under the output folder instead.
  if (!options.output.empty()) {
    std::string out = fold(options.output);
    if (!out.ends_with('\\')) out += '\\';
    return folded.starts_with(out);
  }
  for (const std::string& path : options.paths) {
    std::string p = fold(path);
    if (p == folded) return true;
    if (env.GetFileAttributes(path) != quarnel::kAttrDirectory) continue;
    if (!p.ends_with('\\')) p += '\\';
    if (folded.starts_with(p)) return true;
  }
  return false;
}

// A line that -v prints on standard error beside a diff: the summary, the
// pages with blocks, or a page still changing after the last pass.
bool IsDiffNote(std::string_view line) {
  if (line.find(": still changing after ") != std::string_view::npos) return true;
  if (line.empty() || line[0] < '0' || line[0] > '9') return false;
  return line.find(" files examined, ") != std::string_view::npos ||
         line.ends_with(" blocks, kept as they are");
}

void CheckBatch(const std::vector<std::string>& args) {
  const std::unique_ptr<quarnel::MemEnv> env = Site();
  quarnel::Settings settings;
  std::ostringstream out;
  std::ostringstream err;
  const quarnel::ParsedOptions parsed = quarnel::ParseOptions(args);
  const int status = quarnel::RunCommandLine(args, *env, settings, out, err);
  const quarnel::Options& options = parsed.options;
  // "-" filters one page, alone; without it some path is needed.
  const bool filterMisused = options.standard_input &&
                             (!options.paths.empty() || !options.output.empty() || options.dry_run);
  const bool usage =
      !parsed.error.empty() || (!options.help && !options.version &&
                                (options.standard_input ? filterMisused : options.paths.empty()));
  // A settings file that cannot be read and an output folder that may not
  // be written are refused with the same status, before anything is written.
  const bool mayRefuse = !options.settings_file.empty() || !options.output.empty();
  Check(usage ? status == 2 : mayRefuse || status != 2);
  Check(status == 0 || status == 1 || status == 2);
  if (status == 1) Check(!err.str().empty());
  const std::string errors = err.str();
  // With --diff, standard output holds the diff alone, so what -v prints
  // besides it (the summary, a page still changing) goes to standard error.
  const bool diffNotes = options.diff && options.verbose;
  for (std::size_t start = 0; start < errors.size();) {
    const std::size_t end = errors.find('\n', start);
    Check(end != std::string::npos);
    const std::string_view line(errors.data() + start, end - start);
    Check(line.starts_with("quarnel: ") || line.starts_with("Try 'quarnel --help'") ||
          (diffNotes && IsDiffNote(line)));
    start = end + 1;
  }
  if (usage || status == 2 || options.help || options.version) {
    Check(env->files_written().empty());
    return;
  }
  if (options.dry_run) Check(env->files_written().empty());
  for (const std::string& file : env->files_written()) Check(MayWrite(file, options, *env));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 4096) return 0;
  const bool nt = (data[0] & 1) != 0;
  const std::string s(reinterpret_cast<const char*>(data) + 1, size - 1);
  CheckSplit(s, nt);

  std::vector<std::string> args;
  if (!s.empty()) {
    args.emplace_back();
    for (char c : s) {
      if (c == '\0') {
        args.emplace_back();
      } else {
        args.back() += c;
      }
    }
  }
  if (args.size() > 64) return 0;
  CheckOptions(args);
  CheckBatch(args);
  return 0;
}
