#ifndef QUARNEL_PLATFORM_CP932_TABLE_H_
#define QUARNEL_PLATFORM_CP932_TABLE_H_

#include <memory>
#include <string>

namespace quarnel {

// The system's CP932 character table, asked one double-byte character at a
// time (glibc's iconv on POSIX, the Win32 code page 932 on Windows). The
// framing around it (single bytes, invalid bytes, what counts as a lead or
// trail byte) lives in codepage.cc, so that both systems behave alike.
// Opens the system converter on first use; one table per conversion call.
class Cp932Table {
 public:
  Cp932Table();
  Cp932Table(const Cp932Table&) = delete;
  Cp932Table& operator=(const Cp932Table&) = delete;
  ~Cp932Table();

  // The character of the double-byte code lead+trail, or 0 when the code is
  // unassigned or the system has no CP932 converter.
  char32_t DecodePair(unsigned char lead, unsigned char trail);

  // The bytes the system writes for `c`, or empty when it has none. The
  // caller checks the answer, since a system may map some characters one
  // way only.
  std::string Encode(char32_t c);

 private:
  struct Rep;
  std::unique_ptr<Rep> rep_;
};

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_CP932_TABLE_H_
