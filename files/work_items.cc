#include "files/work_items.h"

#include "platform/codepage.h"

namespace quarnel {
namespace {

ItemList Encode(const ItemList& items, Encoding encoding) {
  if (encoding == Encoding::kUtf8) return items;
  ItemList out;
  out.reserve(items.size());
  for (const std::string& item : items) out.push_back(Utf8ToCp932(item));
  return out;
}

}  // namespace

const EncodedSettings& WorkItems::For(Encoding encoding) const {
  const std::size_t i = encoding == Encoding::kUtf8 ? 0 : 1;
  std::optional<EncodedSettings>& slot = encoded_[i];
  std::call_once(converted_[i], [&] {
    EncodedSettings s;
    s.JoinTags = Encode(settings_.JoinTags, encoding);
    s.DeleteLines = Encode(settings_.DeleteLines, encoding);
    s.context.encoding = encoding;
    s.context.write_signature = SignatureOn(settings_);
    s.context.insert_head_lines = HeadLinesOn(settings_);
    s.context.opt_out_checked = true;  // the file job looks at the raw text first
    s.context.head_lines = Encode(settings_.HeadLines, encoding);
    slot = std::move(s);
  });
  return *slot;
}

}  // namespace quarnel
