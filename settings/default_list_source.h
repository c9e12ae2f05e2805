#ifndef QUARNEL_SETTINGS_DEFAULT_LIST_SOURCE_H_
#define QUARNEL_SETTINGS_DEFAULT_LIST_SOURCE_H_

#include "engine/line_list.h"
#include "settings/settings.h"

namespace quarnel {

// Where the settings loader takes the default DeleteLines and JoinTags from
// when there is no usable settings file: the settings window's first and
// second list box.
class DefaultListSource {
 public:
  DefaultListSource() = default;
  DefaultListSource(const DefaultListSource&) = delete;
  DefaultListSource& operator=(const DefaultListSource&) = delete;
  virtual ~DefaultListSource() = default;

  // Fills *deleteLines and *joinTags with the built-in items of the two list
  // boxes, in order. The window implementation loads the settings window
  // unseen and unloads it again; that load sets settings.SettingsLoaded when
  // it is clear, and otherwise leaves `settings` alone.
  virtual void TakeDefaults(Settings& settings, ItemList* deleteLines, ItemList* joinTags) = 0;
};

// The same defaults without a window, for runs that have none.
class BuiltInDefaultLists final : public DefaultListSource {
 public:
  void TakeDefaults(Settings& settings, ItemList* deleteLines, ItemList* joinTags) override;
};

}  // namespace quarnel

#endif  // QUARNEL_SETTINGS_DEFAULT_LIST_SOURCE_H_
