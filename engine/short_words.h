// The words of one or two characters, which a text asks for at almost every position: found by
// their character codes in one table read, without the dictionary's buckets and key compares.
// Each answer is the key index the dictionary's own lookup gives.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/word_filter.h"

namespace engine {

class ShortWords {
 public:
  // Holds nothing unless the pass is for words of one or two characters.
  explicit ShortWords(const PassWords& pass);

  bool Holds() const { return !singles_.empty() || !pairs_.empty(); }
  // The key index of the word at `characters` (the pass's length of them), or -1.
  int Find(const char* characters) const {
    if (!singles_.empty()) return singles_[CodeOf(characters)];
    std::uint32_t key = PairOf(characters);
    for (std::size_t slot = SlotOf(key);; slot = (slot + 1) & mask_) {
      const Pair& pair = pairs_[slot];
      if (pair.index == kEmpty) return -1;
      if (pair.key == key) return pair.index;
    }
  }

 private:
  static constexpr std::int32_t kEmpty = -2;
  struct Pair {
    std::uint32_t key = 0;
    std::int32_t index = kEmpty;
  };

  static std::uint32_t CodeOf(const char* character) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(character[0])) << 8 |
           static_cast<unsigned char>(character[1]);
  }
  static std::uint32_t PairOf(const char* characters) {
    return CodeOf(characters) << 16 | CodeOf(characters + 2);
  }
  std::size_t SlotOf(std::uint32_t key) const {
    return static_cast<std::size_t>((key * std::uint64_t{0x9E3779B97F4A7C15u}) >> shift_);
  }

  std::vector<std::int32_t> singles_;  // by character code
  std::vector<Pair> pairs_;            // open addressing, at most half full
  std::size_t mask_ = 0;
  int shift_ = 64;
};

}  // namespace engine
