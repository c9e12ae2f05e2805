#ifndef QUARNEL_CLI_PAGE_FILTER_H_
#define QUARNEL_CLI_PAGE_FILTER_H_

#include <iosfwd>

#include "cli/options.h"
#include "settings/settings.h"

namespace quarnel {

// The page filter ("quarnel -"): reads one page from `in` to its end and
// writes it to `out` whole, compacted with `settings` and the options, or
// as it was when the rules change nothing (an opted-out page, a page
// without a head line). Nothing else goes to `out`; a failure to read or
// write is one line on `err`. Returns the exit status: 0, or 1 when
// reading or writing failed. `in` and `out` must carry bytes untranslated.
int RunPageFilter(const Options& options, const Settings& settings, std::istream& in,
                  std::ostream& out, std::ostream& err);

}  // namespace quarnel

#endif  // QUARNEL_CLI_PAGE_FILTER_H_
