#ifndef QUARNEL_FILES_HTML_NAME_H_
#define QUARNEL_FILES_HTML_NAME_H_

#include <string_view>

namespace quarnel {

// The file job's name test: the end of the whole path, in any letter case,
// is "HTML", "HTM" or "SHT". So .htm, .HTML, .shtml, .xhtml, .sht and a file
// named just "xhtml" qualify; .htmx does not. It is not an extension test.
bool IsHtmlName(std::string_view path);

}  // namespace quarnel

#endif  // QUARNEL_FILES_HTML_NAME_H_
