#ifndef QUARNEL_FILES_LINE_SPLIT_H_
#define QUARNEL_FILES_LINE_SPLIT_H_

// The file job reads HTML files into lines with SplitLines. It lives in the
// engine library so that the settings file, which the start-up flow here
// depends on, can share it without a dependency cycle.
#include "engine/line_split.h"

#endif  // QUARNEL_FILES_LINE_SPLIT_H_
