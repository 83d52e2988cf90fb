// The short-word tables, filled by asking the dictionary for each of its keys.
#include "engine/short_words.h"

#include <bit>

namespace engine {

ShortWords::ShortWords(const PassWords& pass) {
  if (pass.word_length != 1 && pass.word_length != 2) return;
  const dictionary::LengthSection& words = *pass.section;
  std::size_t count = words.KeyCount();
  const auto key_bytes = static_cast<std::size_t>(2 * pass.word_length);
  if (pass.word_length == 1) {
    singles_.assign(std::size_t{1} << 16, -1);
  } else {
    int bits = std::max(4, static_cast<int>(std::bit_width(2 * count)));
    pairs_.assign(std::size_t{1} << bits, Pair{});
    mask_ = pairs_.size() - 1;
    shift_ = 64 - bits;
  }
  for (std::size_t k = 0; k < count; ++k) {
    std::string_view key = words.Key(static_cast<int>(k));
    // A key the dictionary's lookup would not find (one in the wrong bucket) is left out too.
    int index = words.Find(key);
    if (key.size() != key_bytes || index < 0) continue;
    if (!singles_.empty()) {
      singles_[CodeOf(key.data())] = index;
      continue;
    }
    std::uint32_t pair_key = PairOf(key.data());
    std::size_t slot = SlotOf(pair_key);
    while (pairs_[slot].index != kEmpty && pairs_[slot].key != pair_key) slot = (slot + 1) & mask_;
    pairs_[slot] = {pair_key, index};
  }
}

}  // namespace engine
