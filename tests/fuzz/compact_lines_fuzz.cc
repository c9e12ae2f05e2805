// Feeds random lines, item lists and switches to the engine and checks it
// against the plain reference rendering of its rules, plus the promises
// that hold for every input: the line count stays, no CR appears, and no
// byte appears that was not in the inputs or the one joining blank.
//
// Input: one byte of switches, then four groups separated by 0x01 (lines,
// JoinTags, DeleteLines, HeadLines), each group's entries separated by CR.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "engine/compact_lines.h"
#include "tests/engine/reference_engine.h"

namespace {

using quarnel::ItemList;

std::vector<ItemList> Groups(std::string_view data) {
  std::vector<ItemList> groups(4);
  std::size_t group = 0;
  groups[0].emplace_back();
  for (char c : data) {
    if (c == '\x01' && group + 1 < groups.size()) {
      groups[++group].emplace_back();
    } else if (c == '\r') {
      groups[group].emplace_back();
    } else {
      if (groups[group].empty()) groups[group].emplace_back();
      groups[group].back() += c;
    }
  }
  // A group holding one empty entry is an empty list; the lines keep theirs.
  for (std::size_t i = 1; i < groups.size(); ++i) {
    if (groups[i].size() == 1 && groups[i][0].empty()) groups[i].clear();
  }
  return groups;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t switches = data[0];
  std::vector<ItemList> groups =
      Groups(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  const quarnel::LineList original = groups[0];
  const bool flag = (switches & 1) != 0;
  quarnel::CompactContext context;
  context.encoding = (switches & 2) ? quarnel::Encoding::kCp932 : quarnel::Encoding::kUtf8;
  context.write_signature = (switches & 4) != 0;
  context.insert_head_lines = (switches & 8) != 0;
  context.head_lines = groups[3];

  quarnel::LineList lines = original;
  const bool result = quarnel::CompactLines(lines, flag, groups[1], groups[2], context);
  quarnel::LineList expected = original;
  const bool expected_result =
      quarnel::ReferenceCompact(expected, flag, groups[1], groups[2], context);

  Check(result == expected_result);
  Check(lines == expected);
  Check(lines.size() == original.size());
  std::set<char> allowed = {' '};
  for (const auto& group : groups) {
    for (const std::string& s : group) allowed.insert(s.begin(), s.end());
  }
  for (const std::string& line : lines) {
    for (char c : line) Check(c != '\r' && allowed.count(c) == 1);
  }
  return 0;
}
