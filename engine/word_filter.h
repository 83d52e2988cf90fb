// Which words may start at a position of a run: one walk over the characters from there hashes
// the keys of every length as it goes, and stops as soon as no longer word of any pass can
// begin with the characters walked. The answer never leaves out a word the dictionaries hold;
// the few words it names wrongly are ruled out by the dictionary lookup.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/prefetch.h"
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
  WordFilter() = default;  // names no word
  explicit WordFilter(const std::vector<PassWords>& passes);

  // Bit i is set when pass i may have its word at the characters whose codes are codes[0],
  // codes[1], …; `available` characters follow the position.
  std::uint32_t Candidates(const std::uint16_t* codes, std::size_t available) const {
    std::size_t longest = std::min(available, longest_);
    std::uint8_t slot1 = tables_[1].slot_bytes[codes[0]];
    std::uint32_t found = tables_[1].passes[slot1 & kWordBits];
    if (!(slot1 & kLongerBit) || longest < 2) return found;
    if (longest < 3) return Walk(codes, longest, 1, codes[0], found);
    // Most walks that go on end within three characters: the two slots are read without a
    // branch between them, and only what the walk would have reached counts.
    std::uint64_t hash2 = Push(codes[0], codes[1]);
    std::uint64_t hash3 = Push(hash2, codes[2]);
    std::uint8_t slot2 = tables_[2].slot_bytes[SlotOf(2, hash2)];
    std::uint8_t slot3 = tables_[3].slot_bytes[SlotOf(3, hash3)];
    auto reaches3 = static_cast<std::uint8_t>(-(slot2 >> 7));
    found |= tables_[2].passes[slot2 & kWordBits] | tables_[3].passes[slot3 & kWordBits & reaches3];
    if (!(reaches3 & slot3 & kLongerBit)) return found;
    return Walk(codes, longest, 3, hash3, found);
  }

  // Asks the memory for the slots that Candidates will read for the two- and three-character
  // words at a position a little ahead, so that the walk seldom waits for them.
  void Prefetch(const std::uint16_t* codes, std::size_t available) const {
    if (available < 2 || longest_ < 2 || !(tables_[1].slot_bytes[codes[0]] & kLongerBit)) return;
    std::uint64_t hash = Push(codes[0], codes[1]);
    common::Prefetch(&tables_[2].slot_bytes[SlotOf(2, hash)]);
    if (available < 3 || longest_ < 3) return;
    common::Prefetch(&tables_[3].slot_bytes[SlotOf(3, Push(hash, codes[2]))]);
  }

 private:
  static constexpr std::uint64_t kSpread = 0x9E3779B97F4A7C15u;
  // Characters are 16 bits wide; a step of 7 bits spreads the ten of the longest word over
  // the whole hash before it is mixed.
  static constexpr int kRotation = 7;
  // A slot's bits: the passes of its length (seven bits) that may hold the word walked, and
  // whether a longer word of some pass may begin with it.
  static constexpr std::uint8_t kWordBits = 0x7F;
  static constexpr std::uint8_t kLongerBit = 0x80;

  // One table per word length, of a size that keeps about one slot in four in use; the
  // one-character table is indexed by the character itself and answers exactly.
  struct Table {
    std::vector<std::uint8_t> slot_bytes;
    int shift = 64;
    std::array<std::uint32_t, kWordBits + 1> passes{};  // slot bits to pass bits
  };

  static std::uint64_t Push(std::uint64_t hash, std::uint16_t code) {
    return std::rotl(hash, kRotation) ^ code;
  }
  std::size_t SlotOf(std::size_t length, std::uint64_t hash) const {
    return length == 1 ? hash : (hash * kSpread) >> tables_[length].shift;
  }
  // The walk on from `walked` characters, whose hash is `hash`, up to `longest`.
  std::uint32_t Walk(const std::uint16_t* codes, std::size_t longest, std::size_t walked,
                     std::uint64_t hash, std::uint32_t found) const {
    for (std::size_t length = walked + 1; length <= longest; ++length) {
      hash = Push(hash, codes[length - 1]);
      std::uint8_t slot = tables_[length].slot_bytes[SlotOf(length, hash)];
      found |= tables_[length].passes[slot & kWordBits];
      if (!(slot & kLongerBit)) break;
    }
    return found;
  }

  std::size_t longest_ = 0;
  std::array<Table, dictionary::kMaxWordLength + 1> tables_;
};

}  // namespace engine
