#ifndef QUARNEL_BENCH_HTML_CORPUS_H_
#define QUARNEL_BENCH_HTML_CORPUS_H_

#include <cstddef>
#include <string>

namespace quarnel::bench {

// A CR LF HTML document of at least `bytes` bytes in the way hand-kept sites
// look: a head with generator meta lines, then indented body sections with
// empty lines, text that wraps onto the next line, tags that pull onto the
// line above, and comment blocks over several lines.
std::string MakeHtmlDocument(std::size_t bytes);

}  // namespace quarnel::bench

#endif  // QUARNEL_BENCH_HTML_CORPUS_H_
