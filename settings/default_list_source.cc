#include "settings/default_list_source.h"

#include "settings/default_lists.h"

namespace quarnel {

void BuiltInDefaultLists::TakeDefaults(Settings& settings, ItemList* deleteLines,
                                       ItemList* joinTags) {
  // As the settings window's first load does.
  settings.SettingsLoaded = true;
  *deleteLines = DefaultDeleteLines();
  *joinTags = DefaultJoinTags();
}

}  // namespace quarnel
