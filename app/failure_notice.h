#ifndef QUARNEL_APP_FAILURE_NOTICE_H_
#define QUARNEL_APP_FAILURE_NOTICE_H_

#include <string>
#include <vector>

namespace quarnel {

// Shows what a batch run started from the desktop wrote to standard error
// in a message box, through the windows module, and returns when the user
// dismisses it. Does nothing without the module or a display: standard
// error has the lines all the same.
void ShowFailureNotice(const std::vector<std::string>& lines);

}  // namespace quarnel

#endif  // QUARNEL_APP_FAILURE_NOTICE_H_
