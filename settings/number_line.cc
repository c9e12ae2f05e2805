#include "settings/number_line.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace quarnel {
namespace {

constexpr std::int64_t kMinValue = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMaxValue = std::numeric_limits<std::int32_t>::max();
// Exponents beyond this push any nonzero mantissa out of range (or to 0), so
// larger ones are held at it rather than overflowing.
constexpr std::int64_t kExponentCap = 1'000'000;
// An integer part of more digits than this cannot fit 32 bits.
constexpr std::int64_t kMaxIntegerDigits = 10;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string WithoutBlanks(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (const char c : line) {
    if (c != ' ' && c != '\t' && c != '\n') out += c;
  }
  return out;
}

std::optional<std::int32_t> FitInt32(std::int64_t value) {
  if (value < kMinValue || value > kMaxValue) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

// The leading digits of `text` in `base` ("&H" and "&O" constants).
std::optional<std::int32_t> ParseRadix(std::string_view text, int base) {
  std::int64_t value = 0;
  for (const char c : text) {
    const int digit = DigitValue(c);
    if (digit < 0 || digit >= base) break;
    value = value * base + digit;
    if (value > kMaxValue) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

// Rounds the decimal number `digits` x 10^(point - digits.size()), that is
// with its decimal point after `point` digits, to an integer magnitude;
// halves go to the even neighbour. Nothing when it exceeds 32 bits.
std::optional<std::int64_t> RoundDecimal(std::string_view digits, std::int64_t point) {
  while (!digits.empty() && digits.front() == '0') {
    digits.remove_prefix(1);
    --point;
  }
  if (digits.empty() || point < 0) return 0;  // zero, or below 0.1
  if (point > kMaxIntegerDigits) return std::nullopt;

  const auto size = static_cast<std::int64_t>(digits.size());
  std::int64_t magnitude = 0;
  for (std::int64_t i = 0; i < point; ++i) {
    magnitude = magnitude * 10 + (i < size ? digits[static_cast<std::size_t>(i)] - '0' : 0);
  }
  if (point < size) {
    const std::string_view fraction = digits.substr(static_cast<std::size_t>(point));
    const char first = fraction.front();
    const bool aboveHalf =
        first > '5' ||
        (first == '5' && fraction.substr(1).find_first_not_of('0') != std::string_view::npos);
    const bool exactHalf = first == '5' && !aboveHalf;
    if (aboveHalf || (exactHalf && magnitude % 2 == 1)) ++magnitude;
  }
  if (magnitude > kMaxValue + 1) return std::nullopt;
  return magnitude;
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::string digits;
  while (i < text.size() && IsDigit(text[i])) digits += text[i++];
  const auto integerDigits = static_cast<std::int64_t>(digits.size());
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) digits += text[i++];
  }
  if (digits.empty()) return 0;  // no number: a sign or "." alone

  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      negativeExponent = text[j] == '-';
      ++j;
    }
    // Without digits the letter is not part of the number.
    for (; j < text.size() && IsDigit(text[j]); ++j) {
      exponent = std::min(exponent * 10 + (text[j] - '0'), kExponentCap);
    }
    if (negativeExponent) exponent = -exponent;
  }

  const std::optional<std::int64_t> magnitude = RoundDecimal(digits, integerDigits + exponent);
  if (!magnitude) return std::nullopt;
  return FitInt32(negative ? -*magnitude : *magnitude);
}

}  // namespace

std::optional<std::int32_t> ParseNumberLine(std::string_view line) {
  const std::string text = WithoutBlanks(line);
  if (text.size() >= 2 && text[0] == '&') {
    if (text[1] == 'H' || text[1] == 'h') return ParseRadix(std::string_view(text).substr(2), 16);
    if (text[1] == 'O' || text[1] == 'o') return ParseRadix(std::string_view(text).substr(2), 8);
  }
  return ParseDecimal(text);
}

std::string FormatNumberLine(std::int32_t value) {
  std::string line = value < 0 ? "" : " ";
  line += std::to_string(value);
  line += ' ';
  return line;
}

}  // namespace quarnel
