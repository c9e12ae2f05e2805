#ifndef QUARNEL_PLATFORM_CONSOLE_STREAM_WINDOWS_H_
#define QUARNEL_PLATFORM_CONSOLE_STREAM_WINDOWS_H_

#include <ostream>
#include <streambuf>
#include <string>

namespace quarnel {

// An output stream over a standard handle (STD_OUTPUT_HANDLE or
// STD_ERROR_HANDLE) that carries the program's UTF-8 text. Line by line:
// to a console through WriteConsoleW, which shows every character whatever
// the console's code page; anywhere else (a file, a pipe) as the UTF-8
// bytes themselves, the same bytes the program writes on Linux.
class ConsoleStream final : public std::ostream {
 public:
  explicit ConsoleStream(unsigned long standardHandle);
  ~ConsoleStream() override;

 private:
  class Buffer final : public std::streambuf {
   public:
    explicit Buffer(unsigned long standardHandle) : standard_handle_(standardHandle) {}

   protected:
    int_type overflow(int_type c) override;
    int sync() override;

   private:
    bool Flush();
    unsigned long standard_handle_;
    std::string pending_;  // whole lines only reach the console
  };
  Buffer buffer_;
};

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_CONSOLE_STREAM_WINDOWS_H_
