#include "bench/html_corpus.h"

#include <string_view>

namespace quarnel::bench {
namespace {

constexpr std::string_view kHead =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
    "<html>\r\n"
    "<head>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n"
    "<meta name=\"GENERATOR\" content=\"Microsoft FrontPage 4.0\">\r\n"
    "<meta name=\"ProgId\" content=\"FrontPage.Editor.Document\">\r\n"
    "<title>Catalogue</title>   \r\n"
    "</head>\r\n"
    "<body bgcolor=\"#FFFFFF\">\r\n";

constexpr std::string_view kSection =
    "  <div class=\"entry\">\r\n"
    "    <h2>Entry heading</h2>\r\n"
    "\r\n"
    "    <p>This paragraph was typed in an editor that wraps its lines,\r\n"
    "    so the sentence goes on here and ends on this line.\r\n"
    "    </p>\r\n"
    "    <p><font color=\"#336699\">Coloured words\r\n"
    "    </font></p>\t\r\n"
    "    <table border=\"0\" cellpadding=\"2\">\r\n"
    "      <tr>\r\n"
    "        <td>Name\r\n"
    "        </td>\r\n"
    "        <td><a href=\"item.html\">Details</a></td>\r\n"
    "      </tr>\r\n"
    "    </table>\r\n"
    "\r\n"
    "    <!-- layout note: keep these lines\r\n"
    "         exactly as they are -->\r\n"
    "    <br>\r\n"
    "    <center>\r\n"
    "    <img src=\"bar.gif\" width=\"400\" height=\"4\">\r\n"
    "    </center>\r\n"
    "  </div>\r\n"
    "\r\n";

constexpr std::string_view kTail = "</body>\r\n</html>\r\n";

constexpr std::string_view kStyle =
    "<style type=\"text/css\">\r\n"
    "  pre.code { margin: 0 }   \r\n"
    "\r\n"
    "  td { padding: 2px }\r\n"
    "</style>\r\n";

constexpr std::string_view kBlocks =
    "  <pre class=\"code\">\r\n"
    "int main() {\r\n"
    "    return 0;   \r\n"
    "\r\n"
    "}\r\n"
    "</pre>\r\n"
    "  <script type=\"text/javascript\">\r\n"
    "    var n = 1  // no semicolon\r\n"
    "    n++\r\n"
    "\r\n"
    "  </script>\r\n";

}  // namespace

std::string MakeHtmlDocument(std::size_t bytes) {
  std::string doc;
  doc.reserve(bytes + kSection.size() + kHead.size() + kTail.size());
  doc += kHead;
  while (doc.size() + kTail.size() < bytes) doc += kSection;
  doc += kTail;
  return doc;
}

std::string MakeBlockDocument(std::size_t bytes) {
  std::string doc;
  doc.reserve(bytes + kSection.size() + kBlocks.size() + kHead.size() + kStyle.size());
  doc += kHead;
  doc.insert(doc.find("</head>"), kStyle);
  for (int section = 0; doc.size() + kTail.size() < bytes; ++section) {
    doc += kSection;
    if (section % 3 == 0) doc += kBlocks;
  }
  doc += kTail;
  return doc;
}

std::string WithLineFeeds(std::string_view doc) {
  std::string out;
  out.reserve(doc.size());
  for (std::size_t i = 0; i < doc.size(); ++i) {
    if (doc[i] != '\r' || i + 1 >= doc.size() || doc[i + 1] != '\n') out += doc[i];
  }
  return out;
}

}  // namespace quarnel::bench
