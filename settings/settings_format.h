#ifndef QUARNEL_SETTINGS_SETTINGS_FORMAT_H_
#define QUARNEL_SETTINGS_SETTINGS_FORMAT_H_

#include <string>
#include <string_view>

#include "engine/text_compare.h"
#include "settings/settings.h"

namespace quarnel {

// The bytes of "Quarnel.ini" and the record they stand for, with no file
// access. The file is eight lines: the header, CompactMode, WriteSignature,
// TopmostOff, InsertHeadLines and the item counts of DeleteLines, JoinTags
// and HeadLines; then the items of the three lists in that order, one a line.

inline constexpr std::string_view kSettingsHeader = "ZENTHARO QUARNEL VER 2.01.01";

// What a settings file's bytes hold.
struct SettingsFileContent {
  enum class Kind {
    kSettings,  // a complete file; `settings` holds it
    kForeign,   // the first line is not exactly the header
    kDamaged,   // the header, but the rest cannot be trusted; see `problem`
  };
  Kind kind = Kind::kForeign;
  // For kSettings: the four numbers, the three lists (as UTF-8) and
  // FileEncoding. SettingsLoaded is left clear.
  Settings settings;
  // For kDamaged: what is wrong, e.g. "the file ends before all its items".
  std::string problem;
};

// The encoding a settings file is in: UTF-8 when its bytes are valid UTF-8
// and hold a non-ASCII character, else CP932. A file of ASCII alone reads the
// same in both and keeps the default, CP932.
Encoding DetectSettingsEncoding(std::string_view bytes);

// Reads the bytes of a settings file. Lines end at CR LF or a lone CR; a
// lone LF belongs to its line. A UTF-8 byte-order mark is skipped. Lines
// after the last item are ignored. Items are kept whole, blanks included.
SettingsFileContent ParseSettingsFile(std::string_view bytes);

// The bytes of the settings file for `settings`, in settings.FileEncoding;
// every line ends with CR LF. A character CP932 cannot hold is written "?".
// REQUIRES: no item holds a CR.
std::string FormatSettingsFile(const Settings& settings);

}  // namespace quarnel

#endif  // QUARNEL_SETTINGS_SETTINGS_FORMAT_H_
