#ifndef QUARNEL_SETTINGS_SETTINGS_H_
#define QUARNEL_SETTINGS_SETTINGS_H_

#include <cstdint>

#include "engine/compact_lines.h"
#include "engine/line_list.h"
#include "engine/text_compare.h"

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
  // The encoding "Quarnel.ini" was read in and is written back in; CP932 for
  // a new file. Not stored in the file. It lives here, beside
  // SettingsLoaded, because it belongs to the record's life from the load to
  // the save and needs no state of its own.
  Encoding FileEncoding = Encoding::kCp932;
  // Whether the record was read from the settings file, rather than being
  // the defaults. Not stored in the file. A file found at the save that the
  // record was not read from is kept as "Quarnel.ini.bak" before it is
  // replaced, so that a file that could not be read at start-up (a passing
  // device error, say) is never lost to the defaults.
  bool ReadFromFile = false;
};

// How each switch is read, the same way by the file job, the windows and
// everything else; the record keeps whatever number the file held, and the
// settings window stores only 0 and 1.
// Size first (trim both ends, pull JoinTags) only when CompactMode is 1.
inline bool SizeFirst(const Settings& settings) { return CompactFlag(settings.CompactMode); }
// The signature line is written whenever WriteSignature is nonzero.
inline bool SignatureOn(const Settings& settings) { return settings.WriteSignature != 0; }
// HeadLines are inserted only when InsertHeadLines is 1.
inline bool HeadLinesOn(const Settings& settings) { return settings.InsertHeadLines == 1; }
// The main window starts pinned on top unless TopmostOff is nonzero.
inline bool StartsPinned(const Settings& settings) { return settings.TopmostOff == 0; }

// The one process-wide record. Starts with every number 0 and every list
// empty.
Settings& TheSettings();

}  // namespace quarnel

#endif  // QUARNEL_SETTINGS_SETTINGS_H_
