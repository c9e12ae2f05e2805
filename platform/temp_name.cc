#include "platform/temp_name.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <random>
#include <thread>

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

std::string TempUniquePart(std::string_view digits) {
  // Some systems' random_device is a fixed sequence (older MinGW): the
  // clock and the thread tell runs and threads apart there.
  thread_local std::mt19937_64 random(
      std::random_device{}() ^
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      std::hash<std::thread::id>{}(std::this_thread::get_id()));
  std::string unique(kTempUniqueLength, '0');
  for (char& c : unique) c = digits[random() % digits.size()];
  return unique;
}

bool IsTempFileName(std::string_view name) {
  const std::size_t tail = kInfix.size() + kTempUniqueLength + kSuffix.size();
  if (name.size() <= 1 + tail || name[0] != '.' || !name.ends_with(kSuffix)) return false;
  const std::string_view rest = name.substr(name.size() - tail);
  const std::string_view unique = rest.substr(kInfix.size(), kTempUniqueLength);
  return rest.starts_with(kInfix) && std::all_of(unique.begin(), unique.end(), IsUniqueChar);
}

}  // namespace quarnel
