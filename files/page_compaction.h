#ifndef QUARNEL_FILES_PAGE_COMPACTION_H_
#define QUARNEL_FILES_PAGE_COMPACTION_H_

#include <string>
#include <string_view>

#include "files/work_items.h"

namespace quarnel {

// A page compacted more often than this with `repeat` is written as it
// stands: some settings (a HeadLines item that trimming changes) ask for a
// rewrite on every pass.
inline constexpr int kMostCompactionPasses = 64;

// How a page's bytes are compacted, beyond the run's settings.
struct PageCompaction {
  // Compact again and again, in memory, until a pass changes nothing more,
  // so that the next run finds nothing left to do.
  bool repeat = false;
};

// A page's new form, or the answer that it is to stay as it is.
struct CompactedPage {
  bool rewrite = false;         // the page is to be replaced by `bytes`
  std::string bytes;            // the new form, when `rewrite`
  bool blocks_kept = false;     // a <pre>, <textarea>, <script> or <style> was kept as it is
  bool still_changing = false;  // with `repeat`: the last pass allowed still changed it
};

// Compacts a page's bytes (as read from its file, byte order mark and all)
// with the run's settings. The lines are views into the bytes, which are
// never copied, and the new form is written once, into a buffer of its own.
CompactedPage CompactPage(const WorkItems& items, std::string_view bytes,
                          const PageCompaction& how);

}  // namespace quarnel

#endif  // QUARNEL_FILES_PAGE_COMPACTION_H_
