#ifndef QUARNEL_FILES_WORK_ITEMS_H_
#define QUARNEL_FILES_WORK_ITEMS_H_

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>

#include "engine/compact_lines.h"
#include "engine/line_list.h"
#include "settings/settings.h"

namespace quarnel {

// The settings a file job uses, with every item in one file encoding.
struct EncodedSettings {
  ItemList JoinTags;
  ItemList DeleteLines;
  CompactContext context;  // encoding, WriteSignature, InsertHeadLines, HeadLines
};

// The settings of one run, converted into a file encoding the first time a
// file of that encoding comes along, and reused for every later one. The
// settings' items are Unicode text (UTF-8); CP932 files get them converted,
// a character CP932 cannot hold becoming "?". The file jobs of a run may ask
// from several threads at once.
class WorkItems {
 public:
  explicit WorkItems(const Settings& settings) : settings_(settings) {}
  WorkItems(const WorkItems&) = delete;
  WorkItems& operator=(const WorkItems&) = delete;

  std::int32_t CompactMode() const { return settings_.CompactMode; }
  const EncodedSettings& For(Encoding encoding) const;

 private:
  Settings settings_;  // a snapshot: the run's settings do not change under it
  mutable std::array<std::optional<EncodedSettings>, 2> encoded_;
  mutable std::array<std::once_flag, 2> converted_;
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_WORK_ITEMS_H_
