// The short-word tables, filled by asking the dictionary for each of its keys.
#include "engine/short_words.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace engine {

ShortWords::Entry ShortWords::EntryOf(std::uint32_t key, std::string_view reading) {
  Entry entry;
  entry.key = key;
  entry.length = static_cast<std::uint32_t>(reading.size()) & 0xFFFFFF;
  if (reading.size() <= kInlineBytes) {
    entry.kind = Kind::kInline;
    std::memcpy(entry.bytes, reading.data(), reading.size());
  } else {
    entry.kind = Kind::kPointed;
    const char* pointer = reading.data();
    std::memcpy(entry.bytes, &pointer, sizeof pointer);
  }
  return entry;
}

ShortWords::ShortWords(const PassWords& pass) : length_(pass.word_length) {
  if (length_ != 1 && length_ != 2) return;
  const dictionary::LengthSection& words = *pass.section;
  std::size_t count = words.KeyCount();
  const auto key_bytes = static_cast<std::size_t>(2 * length_);
  int bits = std::max(4, static_cast<int>(std::bit_width(2 * count)));
  entries_.assign(std::size_t{1} << bits, Entry{});
  mask_ = entries_.size() - 1;
  shift_ = 64 - bits;
  // Each key as the dictionary's lookup finds it: only in its own bucket, where the last of
  // equal keys wins. A key stored in another bucket is never found, so it is left out.
  const std::vector<dictionary::LengthSection::Bucket>& buckets = words.Buckets();
  for (std::uint32_t b = 0; b < buckets.size(); ++b) {
    for (std::uint32_t k = buckets[b].first; k < buckets[b].first + buckets[b].count; ++k) {
      std::string_view key = words.Key(static_cast<int>(k));
      if (key.size() != key_bytes || words.BucketOf(key) != b) continue;
      std::uint32_t code = KeyOf(key.data());
      std::size_t slot = SlotOf(code);
      while (entries_[slot].kind != Kind::kEmpty && entries_[slot].key != code) {
        slot = (slot + 1) & mask_;
      }
      entries_[slot] = EntryOf(code, words.ReadingOf(static_cast<int>(k)));
    }
  }
}

}  // namespace engine
