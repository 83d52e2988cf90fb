// The window filter of the matching pass.
#include "tests/engine/reference/key_filter.h"

namespace engine_testing::reference {

KeyFilter::KeyFilter(const dictionary::LengthSection& section, int word_length)
    : first_rotation_(kRotation * (word_length - 1) % 64),
      bits_((std::size_t{1} << kHashBits) / 64, 0) {
  std::size_t key_bytes = 2 * static_cast<std::size_t>(word_length);
  std::size_t count = section.KeyCount();
  for (std::size_t i = 0; i < count; ++i) {
    std::string_view key = section.Key(static_cast<int>(i));
    if (key.size() != key_bytes) continue;
    std::uint64_t hash = 0;
    for (std::size_t at = 0; at < key_bytes; at += 2) hash = Push(hash, key.data() + at);
    std::uint64_t bit = BitOf(hash);
    bits_[bit >> 6] |= std::uint64_t{1} << (bit & 63);
  }
}

}  // namespace engine_testing::reference
