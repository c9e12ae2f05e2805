// ShowFailureNotice where there is no windows module to show it with (a
// build without windows) or no desktop launcher to need it (Windows, whose
// batch runs start from a console): standard error says it all.
#include "app/failure_notice.h"

namespace quarnel {

void ShowFailureNotice(const std::vector<std::string>&) {}

}  // namespace quarnel
