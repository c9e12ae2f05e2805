#include "settings/default_lists.h"

namespace quarnel {

ItemList DefaultDeleteLines() {
  return {
      R"(<meta name="GENERATOR" content="Microsoft FrontPage 4.0">)",
      R"(<meta name="ProgId" content="FrontPage.Editor.Document">)",
  };
}

ItemList DefaultJoinTags() {
  return {"</font>", "</p>",     "<br>",   "<tr>",     "</a>",
          "</td>",   "</table>", "</div>", "<center>", "</center>"};
}

}  // namespace quarnel
