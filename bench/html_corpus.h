#ifndef QUARNEL_BENCH_HTML_CORPUS_H_
#define QUARNEL_BENCH_HTML_CORPUS_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace quarnel::bench {

// A CR LF HTML document of at least `bytes` bytes in the way hand-kept sites
// look: a head with generator meta lines, then indented body sections with
// empty lines, text that wraps onto the next line, tags that pull onto the
// line above, and comment blocks over several lines.
std::string MakeHtmlDocument(std::size_t bytes);

// The same with what today's pages hold too: a <style> in the head, and in
// every third section a <pre> code sample and a <script>, whose lines the
// rules must keep as they are.
std::string MakeBlockDocument(std::size_t bytes);

// `doc` with every CR LF made a LF alone.
std::string WithLineFeeds(std::string_view doc);

}  // namespace quarnel::bench

#endif  // QUARNEL_BENCH_HTML_CORPUS_H_
