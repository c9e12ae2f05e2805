#include "platform/console_stream_windows.h"

#include "platform/windows_include.h"

#include "platform/wide_text_windows.h"

namespace quarnel {

ConsoleStream::ConsoleStream(unsigned long standardHandle)
    : std::ostream(nullptr), buffer_(standardHandle) {
  rdbuf(&buffer_);
}

ConsoleStream::~ConsoleStream() { flush(); }

ConsoleStream::Buffer::int_type ConsoleStream::Buffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  pending_ += traits_type::to_char_type(c);
  // A line goes out whole, so no character is cut between two writes.
  if (c == '\n' && !Flush()) return traits_type::eof();
  return c;
}

int ConsoleStream::Buffer::sync() { return Flush() ? 0 : -1; }

bool ConsoleStream::Buffer::Flush() {
  if (pending_.empty()) return true;
  const HANDLE handle = ::GetStdHandle(standard_handle_);
  bool written = handle != nullptr && handle != INVALID_HANDLE_VALUE;
  DWORD mode = 0;
  if (written && ::GetConsoleMode(handle, &mode)) {
    const std::wstring wide = WideFromUtf8(pending_);
    DWORD count = 0;
    written =
        ::WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &count, nullptr);
  } else if (written) {
    std::string_view bytes = pending_;
    while (written && !bytes.empty()) {
      DWORD count = 0;
      written =
          ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr);
      bytes.remove_prefix(count);
    }
  }
  pending_.clear();
  return written;
}

}  // namespace quarnel
