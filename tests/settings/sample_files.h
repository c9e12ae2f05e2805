#ifndef QUARNEL_TESTS_SETTINGS_SAMPLE_FILES_H_
#define QUARNEL_TESTS_SETTINGS_SAMPLE_FILES_H_

#include <string>
#include <vector>

namespace quarnel {

// Joins lines, each followed by CR LF, as the settings file holds them.
inline std::string CrLfLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

inline const std::string kHeader = "ZENTHARO QUARNEL VER 2.01.01";

// The file written after a start without a settings file, nothing changed
// and the pin left on: 20 lines.
inline const std::string kDefaultFile = CrLfLines({
    kHeader,
    " 0 ",
    " 0 ",
    " 0 ",
    " 0 ",
    " 2 ",
    " 10 ",
    " 0 ",
    R"(<meta name="GENERATOR" content="Microsoft FrontPage 4.0">)",
    R"(<meta name="ProgId" content="FrontPage.Editor.Document">)",
    "</font>",
    "</p>",
    "<br>",
    "<tr>",
    "</a>",
    "</td>",
    "</table>",
    "</div>",
    "<center>",
    "</center>",
});

}  // namespace quarnel

#endif  // QUARNEL_TESTS_SETTINGS_SAMPLE_FILES_H_
