#include "files/unified_diff.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quarnel {
namespace {

// Past this many edits in one box, the search for its middle gives up and
// the box counts as changed whole: the diff stays correct, only longer, and
// a page of many scattered changes costs no quadratic time.
constexpr std::ptrdiff_t kMaxCost = 4096;

// The text cut after each LF; the last line may lack one.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return lines;
}

// A rectangle of the edit graph: lines [a0, a1) of one side against
// [b0, b1) of the other.
struct Box {
  std::size_t a0, a1, b0, b1;
};

// Marks which lines a shortest edit script (Myers' algorithm, in linear
// space) deletes from `a` and inserts from `b`. Lines are numbers, equal
// for equal lines.
class EditScript {
 public:
  EditScript(std::vector<int> a, std::vector<int> b)
      : a_(std::move(a)), b_(std::move(b)), deleted_(a_.size()), inserted_(b_.size()) {
    std::vector<Box> boxes{{0, a_.size(), 0, b_.size()}};
    while (!boxes.empty()) {
      Box box = boxes.back();
      boxes.pop_back();
      while (box.a0 < box.a1 && box.b0 < box.b1 && a_[box.a0] == b_[box.b0]) ++box.a0, ++box.b0;
      while (box.a0 < box.a1 && box.b0 < box.b1 && a_[box.a1 - 1] == b_[box.b1 - 1]) {
        --box.a1, --box.b1;
      }
      const std::optional<std::pair<std::size_t, std::size_t>> middle =
          box.a0 == box.a1 || box.b0 == box.b1 ? std::nullopt : Middle(box);
      if (!middle) {
        std::fill(deleted_.begin() + box.a0, deleted_.begin() + box.a1, true);
        std::fill(inserted_.begin() + box.b0, inserted_.begin() + box.b1, true);
        continue;
      }
      boxes.push_back({middle->first, box.a1, middle->second, box.b1});
      boxes.push_back({box.a0, middle->first, box.b0, middle->second});
    }
  }

  const std::vector<bool>& deleted() const { return deleted_; }
  const std::vector<bool>& inserted() const { return inserted_; }

 private:
  // A point that a shortest path through the box passes, found by searching
  // from both corners until the two searches meet; nothing when that would
  // cost more than kMaxCost, or the point would not split the box.
  std::optional<std::pair<std::size_t, std::size_t>> Middle(const Box& box) const {
    const std::span<const int> a(a_.data() + box.a0, box.a1 - box.a0);
    const std::span<const int> b(b_.data() + box.b0, box.b1 - box.b0);
    const auto n = static_cast<std::ptrdiff_t>(a.size());
    const auto m = static_cast<std::ptrdiff_t>(b.size());
    const std::ptrdiff_t max_d = std::min((n + m + 1) / 2, kMaxCost);
    const std::ptrdiff_t offset = max_d + 1;
    // Per diagonal k = x - y: the furthest x reached from the start
    // (forward) and, measured from the end, from the end (backward).
    std::vector<std::ptrdiff_t> forward(2 * offset + 1, -1);
    std::vector<std::ptrdiff_t> backward(2 * offset + 1, -1);
    forward[offset + 1] = 0;
    backward[offset + 1] = 0;
    const std::ptrdiff_t delta = n - m;
    const bool odd = delta % 2 != 0;
    auto split = [&](std::ptrdiff_t x,
                     std::ptrdiff_t y) -> std::optional<std::pair<std::size_t, std::size_t>> {
      if ((x == 0 && y == 0) || (x == n && y == m)) return std::nullopt;
      return std::pair{box.a0 + static_cast<std::size_t>(x), box.b0 + static_cast<std::size_t>(y)};
    };
    std::ptrdiff_t k1start = 0, k1end = 0, k2start = 0, k2end = 0;
    for (std::ptrdiff_t d = 0; d < max_d; ++d) {
      for (std::ptrdiff_t k = -d + k1start; k <= d - k1end; k += 2) {
        const std::ptrdiff_t at = offset + k;
        std::ptrdiff_t x = (k == -d || (k != d && forward[at - 1] < forward[at + 1]))
                               ? forward[at + 1]
                               : forward[at - 1] + 1;
        std::ptrdiff_t y = x - k;
        while (x < n && y < m && a[x] == b[y]) ++x, ++y;
        forward[at] = x;
        if (x > n) {
          k1end += 2;
        } else if (y > m) {
          k1start += 2;
        } else if (odd) {
          const std::ptrdiff_t other = offset + delta - k;
          if (other >= 0 && other < static_cast<std::ptrdiff_t>(backward.size()) &&
              backward[other] != -1 && x >= n - backward[other]) {
            return split(x, y);
          }
        }
      }
      for (std::ptrdiff_t k = -d + k2start; k <= d - k2end; k += 2) {
        const std::ptrdiff_t at = offset + k;
        std::ptrdiff_t x = (k == -d || (k != d && backward[at - 1] < backward[at + 1]))
                               ? backward[at + 1]
                               : backward[at - 1] + 1;
        std::ptrdiff_t y = x - k;
        while (x < n && y < m && a[n - x - 1] == b[m - y - 1]) ++x, ++y;
        backward[at] = x;
        if (x > n) {
          k2end += 2;
        } else if (y > m) {
          k2start += 2;
        } else if (!odd) {
          const std::ptrdiff_t other = offset + delta - k;
          if (other >= 0 && other < static_cast<std::ptrdiff_t>(forward.size()) &&
              forward[other] != -1 && forward[other] >= n - x) {
            const std::ptrdiff_t fx = forward[other];
            return split(fx, fx - (other - offset));
          }
        }
      }
    }
    return std::nullopt;
  }

  const std::vector<int> a_;
  const std::vector<int> b_;
  std::vector<bool> deleted_;
  std::vector<bool> inserted_;
};

// Marks the changed lines of the two sides. A line that the other side
// does not hold at all is changed whatever the script, so it is marked
// first and left out of the search: what is left is mostly the same on
// both sides, and cheap to compare.
void MarkChanges(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b,
                 std::vector<bool>& deleted, std::vector<bool>& inserted) {
  std::unordered_map<std::string_view, int> numbers;
  auto number = [&](std::string_view line) {
    return numbers.try_emplace(line, static_cast<int>(numbers.size())).first->second;
  };
  std::vector<int> a_numbers, b_numbers;
  for (const std::string_view line : a) a_numbers.push_back(number(line));
  for (const std::string_view line : b) b_numbers.push_back(number(line));
  std::vector<char> in_a(numbers.size()), in_b(numbers.size());
  for (const int n : a_numbers) in_a[n] = 1;
  for (const int n : b_numbers) in_b[n] = 1;

  std::vector<int> a_kept, b_kept;
  std::vector<std::size_t> a_index, b_index;
  deleted.assign(a.size(), false);
  inserted.assign(b.size(), false);
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!in_b[a_numbers[i]]) {
      deleted[i] = true;
    } else {
      a_kept.push_back(a_numbers[i]);
      a_index.push_back(i);
    }
  }
  for (std::size_t j = 0; j < b.size(); ++j) {
    if (!in_a[b_numbers[j]]) {
      inserted[j] = true;
    } else {
      b_kept.push_back(b_numbers[j]);
      b_index.push_back(j);
    }
  }
  const EditScript script(std::move(a_kept), std::move(b_kept));
  for (std::size_t i = 0; i < a_index.size(); ++i) {
    if (script.deleted()[i]) deleted[a_index[i]] = true;
  }
  for (std::size_t j = 0; j < b_index.size(); ++j) {
    if (script.inserted()[j]) inserted[b_index[j]] = true;
  }
}

// A run of changed lines between equal ones.
struct Change {
  std::size_t a0, a1, b0, b1;
};

std::vector<Change> Changes(const std::vector<bool>& deleted, const std::vector<bool>& inserted) {
  std::vector<Change> changes;
  std::size_t i = 0, j = 0;
  while (i < deleted.size() || j < inserted.size()) {
    const bool del = i < deleted.size() && deleted[i];
    const bool ins = j < inserted.size() && inserted[j];
    if (!del && !ins) {
      ++i, ++j;
      continue;
    }
    Change change{i, i, j, j};
    while (change.a1 < deleted.size() && deleted[change.a1]) ++change.a1;
    while (change.b1 < inserted.size() && inserted[change.b1]) ++change.b1;
    changes.push_back(change);
    i = change.a1;
    j = change.b1;
  }
  return changes;
}

// A hunk header's range, as diff writes it: "first,count", the count left
// out when it is 1, and the line before the range for an empty one.
std::string Range(std::size_t start, std::size_t count) {
  if (count == 0) return std::to_string(start) + ",0";
  if (count == 1) return std::to_string(start + 1);
  return std::to_string(start + 1) + ',' + std::to_string(count);
}

void AddLine(char mark, std::string_view line, std::string& out) {
  out += mark;
  out += line;
  if (!line.ends_with('\n')) out += "\n\\ No newline at end of file\n";
}

std::string QuotedName(std::string_view name) {
  const bool plain = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u > ' ' && u != 0x7F && c != '"' && c != '\\';
  });
  if (plain) return std::string(name);
  std::string quoted = "\"";
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (u < ' ' || u == 0x7F) {
      quoted += '\\';
      quoted += static_cast<char>('0' + (u >> 6));
      quoted += static_cast<char>('0' + ((u >> 3) & 7));
      quoted += static_cast<char>('0' + (u & 7));
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

}  // namespace

std::string UnifiedDiff(std::string_view before, std::string_view after, std::string_view old_name,
                        std::string_view new_name) {
  if (before == after) return {};
  const std::vector<std::string_view> a = Lines(before);
  const std::vector<std::string_view> b = Lines(after);
  std::vector<bool> deleted, inserted;
  MarkChanges(a, b, deleted, inserted);
  const std::vector<Change> changes = Changes(deleted, inserted);

  std::string out = "--- " + QuotedName(old_name) + "\n+++ " + QuotedName(new_name) + '\n';
  const std::size_t context = kDiffContext;
  for (std::size_t first = 0; first < changes.size();) {
    std::size_t last = first;
    while (last + 1 < changes.size() && changes[last + 1].a0 - changes[last].a1 <= 2 * context) {
      ++last;
    }
    const std::size_t a0 = changes[first].a0 - std::min(context, changes[first].a0);
    const std::size_t b0 = changes[first].b0 - (changes[first].a0 - a0);
    const std::size_t a1 = std::min(a.size(), changes[last].a1 + context);
    const std::size_t b1 = changes[last].b1 + (a1 - changes[last].a1);
    out += "@@ -" + Range(a0, a1 - a0) + " +" + Range(b0, b1 - b0) + " @@\n";
    std::size_t at = a0;
    for (std::size_t c = first; c <= last; ++c) {
      for (; at < changes[c].a0; ++at) AddLine(' ', a[at], out);
      for (std::size_t i = changes[c].a0; i < changes[c].a1; ++i) AddLine('-', a[i], out);
      for (std::size_t j = changes[c].b0; j < changes[c].b1; ++j) AddLine('+', b[j], out);
      at = changes[c].a1;
    }
    for (; at < a1; ++at) AddLine(' ', a[at], out);
    first = last + 1;
  }
  return out;
}

}  // namespace quarnel
