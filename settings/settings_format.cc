#include "settings/settings_format.h"

#include <array>
#include <cstdint>
#include <optional>

#include "engine/line_split.h"
#include "platform/codepage.h"
#include "settings/number_line.h"

namespace quarnel {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Lines 2 to 8 hold numbers; lines 6 to 8 of them are the item counts.
constexpr std::size_t kNumberLines = 7;
constexpr std::size_t kFirstCountLine = 6;
constexpr std::size_t kFixedLines = 8;

bool IsAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

SettingsFileContent Damaged(std::string problem) {
  SettingsFileContent content;
  content.kind = SettingsFileContent::Kind::kDamaged;
  content.problem = std::move(problem);
  return content;
}

ItemList DecodeItems(const LineList& lines, std::size_t first, std::size_t count,
                     Encoding encoding) {
  ItemList items;
  items.reserve(count);
  for (std::size_t i = first; i < first + count; ++i) {
    items.push_back(encoding == Encoding::kUtf8 ? lines[i] : Cp932ToUtf8(lines[i]));
  }
  return items;
}

void AppendItems(const ItemList& items, Encoding encoding, std::string* out) {
  for (const std::string& item : items) {
    *out += encoding == Encoding::kUtf8 ? item : Utf8ToCp932(item);
    *out += kLineEnd;
  }
}

}  // namespace

Encoding DetectSettingsEncoding(std::string_view bytes) {
  return !IsAscii(bytes) && IsValidUtf8(bytes) ? Encoding::kUtf8 : Encoding::kCp932;
}

SettingsFileContent ParseSettingsFile(std::string_view bytes) {
  const Encoding encoding = DetectSettingsEncoding(bytes);
  if (encoding == Encoding::kUtf8 && bytes.starts_with(kUtf8ByteOrderMark)) {
    bytes.remove_prefix(kUtf8ByteOrderMark.size());
  }
  const LineList lines = SplitLines(bytes);
  if (lines.front() != kSettingsHeader) return SettingsFileContent{};
  if (lines.size() < kFixedLines) return Damaged("the file ends before all its items");

  std::array<std::int32_t, kNumberLines> numbers{};
  for (std::size_t i = 0; i < kNumberLines; ++i) {
    const std::size_t lineNumber = i + 2;
    const std::optional<std::int32_t> number = ParseNumberLine(lines[lineNumber - 1]);
    if (!number) {
      return Damaged("line " + std::to_string(lineNumber) +
                     " holds a number outside the 32-bit range");
    }
    if (lineNumber >= kFirstCountLine && *number < 0) {
      return Damaged("line " + std::to_string(lineNumber) + " holds a negative item count");
    }
    numbers[i] = *number;
  }
  const auto deleteCount = static_cast<std::size_t>(numbers[4]);
  const auto joinCount = static_cast<std::size_t>(numbers[5]);
  const auto headCount = static_cast<std::size_t>(numbers[6]);
  // Three counts below 2^31 each cannot overflow a 64-bit size.
  if (lines.size() < kFixedLines + deleteCount + joinCount + headCount) {
    return Damaged("the file ends before all its items");
  }

  SettingsFileContent content;
  content.kind = SettingsFileContent::Kind::kSettings;
  Settings& settings = content.settings;
  settings.CompactMode = numbers[0];
  settings.WriteSignature = numbers[1];
  settings.TopmostOff = numbers[2];
  settings.InsertHeadLines = numbers[3];
  settings.FileEncoding = encoding;
  settings.DeleteLines = DecodeItems(lines, kFixedLines, deleteCount, encoding);
  settings.JoinTags = DecodeItems(lines, kFixedLines + deleteCount, joinCount, encoding);
  settings.HeadLines =
      DecodeItems(lines, kFixedLines + deleteCount + joinCount, headCount, encoding);
  return content;
}

std::string FormatSettingsFile(const Settings& settings) {
  std::string out;
  out += kSettingsHeader;
  out += kLineEnd;
  for (const std::int32_t number :
       {settings.CompactMode, settings.WriteSignature, settings.TopmostOff,
        settings.InsertHeadLines, static_cast<std::int32_t>(settings.DeleteLines.size()),
        static_cast<std::int32_t>(settings.JoinTags.size()),
        static_cast<std::int32_t>(settings.HeadLines.size())}) {
    out += FormatNumberLine(number);
    out += kLineEnd;
  }
  AppendItems(settings.DeleteLines, settings.FileEncoding, &out);
  AppendItems(settings.JoinTags, settings.FileEncoding, &out);
  AppendItems(settings.HeadLines, settings.FileEncoding, &out);
  return out;
}

}  // namespace quarnel
