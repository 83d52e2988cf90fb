// Which words may start at a position of a run: one walk over the characters from there hashes
// the keys of every length as it goes, and stops as soon as no longer word of any pass can
// begin with the characters walked. The answer never leaves out a word the dictionaries hold;
// the few words it names wrongly are ruled out by the dictionary lookup.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dictionary/ruby_dictionary.h"
#include "dictionary/ruby_dictionary_format.h"

namespace engine {

// The words of one matching pass: one length section of a dictionary.
struct PassWords {
  int word_length = 0;
  const dictionary::LengthSection* section = nullptr;
};

// Passes are numbered by their place in the list; a run of up to 32 passes fits one mask.
inline constexpr std::size_t kMaxPasses = 32;

class WordFilter {
 public:
  explicit WordFilter(const std::vector<PassWords>& passes);

  // Bit i is set when pass i may have its word at the characters char_at(0), char_at(1), …;
  // `available` characters follow the position.
  template <typename CharAt>
  std::uint32_t Candidates(CharAt char_at, std::size_t available) const {
    std::uint32_t found = 0;
    std::uint64_t hash = 0;
    std::size_t longest = std::min(available, longest_);
    for (std::size_t length = 1; length <= longest; ++length) {
      hash = Push(hash, char_at(length - 1));
      std::uint64_t bit = BitOf(hash);
      for (const Keys& keys : exact_[length]) {
        if (Holds(keys.bits, bit)) found |= keys.pass_bit;
      }
      if (!Holds(prefixes_[length], bit)) break;
    }
    return found;
  }

 private:
  // 2^20 bits (128 KB) per table leave few bits set even for the 60000 or so two-character
  // words of a main dictionary.
  static constexpr int kHashBits = 20;
  static constexpr std::uint64_t kSpread = 0x9E3779B97F4A7C15u;
  // Characters are 16 bits wide; a step of 7 bits spreads the ten of the longest word over
  // the whole hash before BitOf mixes it.
  static constexpr int kRotation = 7;

  using Bits = std::vector<std::uint64_t>;
  struct Keys {
    std::uint32_t pass_bit = 0;
    Bits bits;
  };

  static std::uint64_t Push(std::uint64_t hash, const char* character) {
    return std::rotl(hash, kRotation) ^ (static_cast<unsigned char>(character[0]) << 8 |
                                         static_cast<unsigned char>(character[1]));
  }
  static std::uint64_t BitOf(std::uint64_t hash) { return (hash * kSpread) >> (64 - kHashBits); }
  static bool Holds(const Bits& bits, std::uint64_t bit) {
    return (bits[bit >> 6] >> (bit & 63)) & 1;
  }
  static void Set(Bits& bits, std::uint64_t bit) {
    bits[bit >> 6] |= std::uint64_t{1} << (bit & 63);
  }

  std::size_t longest_ = 0;
  // By word length: the keys of each pass of that length, and the beginnings of longer keys.
  std::vector<std::vector<Keys>> exact_;
  std::vector<Bits> prefixes_;
};

}  // namespace engine
