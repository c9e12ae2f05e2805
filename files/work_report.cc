#include "files/work_report.h"

namespace quarnel {

void WorkReport::AddUnchanged(std::uint64_t size) {
  ++files_examined_;
  bytes_before_ += size;
  bytes_after_ += size;
}

void WorkReport::AddRewritten(std::uint64_t before, std::uint64_t after) {
  ++files_examined_;
  ++files_rewritten_;
  bytes_before_ += before;
  bytes_after_ += after;
}

void WorkReport::AddFileFailure(std::uint64_t size) {
  ++files_examined_;
  ++failures_;
  bytes_before_ += size;
  bytes_after_ += size;
}

}  // namespace quarnel
