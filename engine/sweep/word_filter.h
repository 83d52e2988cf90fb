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

#include "common/platform/prefetch.h"
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

// Throws std::length_error, naming the limit, for a list of more than kMaxPasses passes: a
// pass left out would leave its words without ruby and say nothing.
void RequireFewEnoughPasses(std::size_t count);

class WordFilter {
 public:
  WordFilter() = default;  // names no word
  // At most kMaxPasses passes (see RequireFewEnoughPasses).
  explicit WordFilter(const std::vector<PassWords>& passes);

  // Bit i is set when pass i may have its word at the characters whose codes are codes[0],
  // codes[1], …; `available` characters follow the position.
  std::uint32_t Candidates(const std::uint16_t* codes, std::size_t available) const {
    std::size_t longest = std::min(available, longest_);
    std::uint8_t slot1 = FirstSlot(codes[0]);
    std::uint32_t found = tables_[1].passes[slot1 & kWordBits];
    if (!(slot1 & kLongerBit) || longest < 2) return found;
    // The slots of two to five characters share one line of memory: one wait for all. Most
    // walks that go on end within three characters: the three-character slot is read without
    // a branch, and counts only where the walk would have reached it.
    std::uint64_t hash2 = Push(codes[0], codes[1]);
    const Line& line = LineOf(hash2);
    std::uint8_t slot2 = line.bytes[SlotInLine(2, hash2)];
    found |= tables_[2].passes[slot2 & kWordBits];
    if (longest < 3) return found;
    std::uint64_t hash = Push(hash2, codes[2]);
    std::uint8_t slot3 = line.bytes[SlotInLine(3, hash)];
    auto reaches3 = static_cast<std::uint8_t>(-(slot2 >> 7));
    found |= tables_[3].passes[slot3 & kWordBits & reaches3];
    if (!(reaches3 & slot3 & kLongerBit)) return found;
    for (std::size_t length = 4; length <= longest; ++length) {
      hash = Push(hash, codes[length - 1]);
      std::uint8_t slot =
          length <= kLongestInLine ? line.bytes[SlotInLine(length, hash)] : TableSlot(length, hash);
      found |= tables_[length].passes[slot & kWordBits];
      if (!(slot & kLongerBit)) break;
    }
    return found;
  }

  // Asks the memory for the line that Candidates will read for the words of two to five
  // characters at a position a little ahead, so that the walk seldom waits for it.
  void Prefetch(const std::uint16_t* codes, std::size_t available) const {
    if (available < 2 || longest_ < 2 || !(FirstSlot(codes[0]) & kLongerBit)) return;
    common::Prefetch(&LineOf(Push(codes[0], codes[1])));
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

  // One table per word length, of a size that keeps about one slot in four in use. The slots
  // of one character are in pages by the character itself and answer exactly, those of two to
  // five characters in lines (their tables keep only their passes).
  struct Table {
    std::vector<std::uint8_t> slot_bytes;
    int shift = 64;
    std::array<std::uint32_t, kWordBits + 1> passes{};  // slot bits to pass bits
  };

  static std::uint64_t Push(std::uint64_t hash, std::uint16_t code) {
    return std::rotl(hash, kRotation) ^ code;
  }
  std::size_t SlotOf(std::size_t length, std::uint64_t hash) const {
    return (hash * kSpread) >> tables_[length].shift;
  }

  // The one-character slots, by the character's code, in pages of the codes of one lead byte:
  // only the pages of the words' first characters are made, the others read page 0, which is
  // empty. A table of every code would be cleared whole for a handful of words.
  static constexpr int kPageBits = 8;
  static constexpr std::size_t kPageSize = std::size_t{1} << kPageBits;
  std::uint8_t FirstSlot(std::uint16_t code) const {
    return first_pages_[std::size_t{first_page_of_[code >> kPageBits]} << kPageBits |
                        (code & (kPageSize - 1))];
  }
  std::uint8_t& MakeFirstSlot(std::uint16_t code);

  // A line holds the slots of two to five characters of the words whose first two characters
  // lead to it, a quarter of the line for each length: the two-character slot chosen by the bits
  // of the hash below those that chose the line, the longer ones by another mix of their hash.
  // A walk then finds most of the words it meets in one line.
  static constexpr std::size_t kLineBytes = 64;
  static constexpr std::size_t kLongestInLine = 5;
  static constexpr int kQuarterBits = 4;
  static constexpr std::uint64_t kLongerSpread = 0xD6E8FEB86659FD93u;
  struct alignas(kLineBytes) Line {
    std::uint8_t bytes[kLineBytes] = {};
  };
  std::size_t LineIndexOf(std::uint64_t hash2) const { return (hash2 * kSpread) >> line_shift_; }
  const Line& LineOf(std::uint64_t hash2) const { return lines_[LineIndexOf(hash2)]; }
  std::size_t SlotInLine(std::size_t length, std::uint64_t hash) const {
    std::size_t quarter = (length - 2) << kQuarterBits;
    if (length == 2) {
      return quarter + (((hash * kSpread) >> (line_shift_ - kQuarterBits)) &
                        ((std::size_t{1} << kQuarterBits) - 1));
    }
    return quarter + ((hash * kLongerSpread) >> (64 - kQuarterBits));
  }
  std::uint8_t TableSlot(std::size_t length, std::uint64_t hash) const {
    return tables_[length].slot_bytes[SlotOf(length, hash)];
  }

  std::size_t longest_ = 0;
  std::array<Table, dictionary::kMaxWordLength + 1> tables_;
  std::array<std::uint16_t, kPageSize> first_page_of_{};
  std::vector<std::uint8_t> first_pages_;
  std::vector<Line> lines_;
  int line_shift_ = 64;
};

}  // namespace engine
