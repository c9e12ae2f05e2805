#ifndef QUARNEL_PLATFORM_STATUS_H_
#define QUARNEL_PLATFORM_STATUS_H_

#include <string>
#include <string_view>

namespace quarnel {

// The result of an operation that can fail: ok, or a kind of failure with
// the path it concerns and the reason in words, ready for a message such as
// "site/a.html: permission denied". A Status is never dropped unread.
class [[nodiscard]] Status {
 public:
  enum class Code {
    kOk,
    kNotFound,
    kPermissionDenied,
    kReadOnly,
    kIOError,
    kInvalidArgument,
    kChanged,  // another program wrote the file while it was being replaced
    kStopped,  // the run was told to stop before the file was replaced
  };

  Status() = default;  // ok

  static Status OK() { return Status(); }
  static Status NotFound(std::string_view path, std::string_view why = "no such file or folder") {
    return Status(Code::kNotFound, path, why);
  }
  static Status PermissionDenied(std::string_view path,
                                 std::string_view why = "permission denied") {
    return Status(Code::kPermissionDenied, path, why);
  }
  static Status ReadOnly(std::string_view path, std::string_view why = "the file is read-only") {
    return Status(Code::kReadOnly, path, why);
  }
  static Status IOError(std::string_view path, std::string_view why) {
    return Status(Code::kIOError, path, why);
  }
  static Status InvalidArgument(std::string_view path, std::string_view why) {
    return Status(Code::kInvalidArgument, path, why);
  }

  static Status Changed(std::string_view path) {
    return Status(Code::kChanged, path, "changed while being compacted; left as it is");
  }
  static Status Stopped(std::string_view path) {
    return Status(Code::kStopped, path, "stopped before it was replaced; left as it is");
  }
  // A page reached through a symbolic link that neither the user running
  // the program nor the page's owner owns: whoever made it may not steer
  // the run onto another user's page.
  static Status ForeignLink(std::string_view path) {
    return Status(Code::kPermissionDenied, path, "a link owned by another user; left as it is");
  }

  bool ok() const { return code_ == Code::kOk; }
  Code code() const { return code_; }
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

  // "path: reason", or "ok".
  std::string ToString() const { return ok() ? "ok" : path_ + ": " + reason_; }

 private:
  Status(Code code, std::string_view path, std::string_view why)
      : code_(code), path_(path), reason_(why) {}

  Code code_ = Code::kOk;
  std::string path_;
  std::string reason_;
};

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_STATUS_H_
