#ifndef QUARNEL_SETTINGS_DEFAULT_LISTS_H_
#define QUARNEL_SETTINGS_DEFAULT_LISTS_H_

#include "engine/line_list.h"

namespace quarnel {

// The factory-default items of the settings window's first two list boxes,
// held only here so that the defaults and the window always agree.

// DeleteLines: the generator meta lines that an HTML editor writes.
ItemList DefaultDeleteLines();

// JoinTags: tags that may be pulled onto the line above.
ItemList DefaultJoinTags();

}  // namespace quarnel

#endif  // QUARNEL_SETTINGS_DEFAULT_LISTS_H_
