// Any bytes as "Quarnel.ini": reading never fails or hangs, and a file that
// reads as settings, once written and read again, gives the same record;
// writing that record again gives the same bytes.
//
// One exception is inherent in telling the encodings apart: a CP932 file
// whose written bytes happen to be valid UTF-8 (its invalid parts were lines
// after the last item, which are not written back) reads as UTF-8 the next
// time. Its bytes are still kept exactly, which is what is checked then.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/settings_format.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quarnel::SettingsFileContent;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const SettingsFileContent first = quarnel::ParseSettingsFile(bytes);
  if (first.kind != SettingsFileContent::Kind::kSettings) {
    Check(first.kind == SettingsFileContent::Kind::kForeign || !first.problem.empty());
    return 0;
  }
  const std::string written = quarnel::FormatSettingsFile(first.settings);
  const SettingsFileContent second = quarnel::ParseSettingsFile(written);
  Check(second.kind == SettingsFileContent::Kind::kSettings);
  const quarnel::Settings& a = first.settings;
  const quarnel::Settings& b = second.settings;
  Check(a.CompactMode == b.CompactMode && a.WriteSignature == b.WriteSignature &&
        a.TopmostOff == b.TopmostOff && a.InsertHeadLines == b.InsertHeadLines);
  Check(quarnel::FormatSettingsFile(b) == written);
  // A file of ASCII alone reads the same in either encoding.
  if (IsAscii(written)) return 0;
  if (a.FileEncoding != b.FileEncoding) {
    Check(a.FileEncoding == quarnel::Encoding::kCp932);
    return 0;
  }
  Check(a.DeleteLines == b.DeleteLines && a.JoinTags == b.JoinTags && a.HeadLines == b.HeadLines);
  return 0;
}
