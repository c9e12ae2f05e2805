#include "platform/temp_name.h"

#include <algorithm>

namespace quarnel {
namespace {

constexpr std::string_view kInfix = ".quarnel-";
constexpr std::string_view kSuffix = ".tmp";

bool IsUniqueChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string TempFileName(std::string_view name, std::string_view unique, std::size_t max_bytes) {
  const std::size_t fixed = 1 + kInfix.size() + unique.size() + kSuffix.size();
  if (max_bytes > fixed && name.size() > max_bytes - fixed) {
    std::size_t cut = max_bytes - fixed;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name = name.substr(0, cut);
  }
  std::string temp = ".";
  temp += name;
  temp += kInfix;
  temp += unique;
  temp += kSuffix;
  return temp;
}

bool IsTempFileName(std::string_view name) {
  const std::size_t tail = kInfix.size() + kTempUniqueLength + kSuffix.size();
  if (name.size() <= 1 + tail || name[0] != '.' || !name.ends_with(kSuffix)) return false;
  const std::string_view rest = name.substr(name.size() - tail);
  const std::string_view unique = rest.substr(kInfix.size(), kTempUniqueLength);
  return rest.starts_with(kInfix) && std::all_of(unique.begin(), unique.end(), IsUniqueChar);
}

}  // namespace quarnel
