#ifndef QUARNEL_PLATFORM_ASCII_CASE_H_
#define QUARNEL_PLATFORM_ASCII_CASE_H_

namespace quarnel {

// Letter case is ignored for ASCII letters only, everywhere in Quarnel:
// names, patterns and page text alike. Every other byte (a UTF-8
// continuation byte, a CP932 trail byte) is compared exactly.
constexpr char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_ASCII_CASE_H_
