#ifndef QUARNEL_SETTINGS_SETTINGS_H_
#define QUARNEL_SETTINGS_SETTINGS_H_

#include <cstdint>

#include "engine/line_list.h"

namespace quarnel {

// The user's choices: one record for the whole process, read from
// "Quarnel.ini" at start-up and written back at every exit. Only the
// settings loader, the settings window's save-and-close and the settings
// writer change it. List items are Unicode text held as UTF-8; a list's
// size is its item count.
struct Settings {
  std::int32_t CompactMode = 0;      // 1 = size first, else legibility first
  std::int32_t WriteSignature = 0;   // nonzero: write the signature line
  std::int32_t TopmostOff = 0;       // nonzero: the main window starts unpinned
  std::int32_t InsertHeadLines = 0;  // 1: insert HeadLines after <HEAD>
  ItemList DeleteLines;              // lines ending with an item are removed
  ItemList JoinTags;                 // tags pulled onto the line above
  ItemList HeadLines;                // lines inserted after <HEAD>
  bool SettingsLoaded = false;       // set once the record holds real settings
};

// The one process-wide record. Starts with every number 0 and every list
// empty.
Settings& TheSettings();

}  // namespace quarnel

#endif  // QUARNEL_SETTINGS_SETTINGS_H_
