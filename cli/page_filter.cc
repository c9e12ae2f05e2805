#include "cli/page_filter.h"

#include <array>
#include <istream>
#include <ostream>
#include <string>

#include "cli/batch_run.h"
#include "files/page_compaction.h"
#include "files/work_items.h"

namespace quarnel {

int RunPageFilter(const Options& options, const Settings& settings, std::istream& in,
                  std::ostream& out, std::ostream& err) {
  std::string bytes;
  std::array<char, 1 << 16> buffer;
  while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
    bytes.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    err << "quarnel: -: standard input cannot be read\n";
    return kExitFailure;
  }
  const WorkItems items(settings);
  PageCompaction how;
  how.repeat = options.repeat;
  // The page is kept: when the rules change nothing, it goes out as it came.
  const CompactedPage page = CompactPage(items, bytes, how);
  const std::string& result = page.rewrite ? page.bytes : bytes;
  out.write(result.data(), static_cast<std::streamsize>(result.size()));
  out.flush();
  if (!out) {
    err << "quarnel: -: standard output cannot be written\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace quarnel
