// A quick test that rules out most windows before the dictionary is asked: one bit per hash
// value of the keys of the loaded length. It never rules out a key the dictionary holds.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dictionary/ruby_dictionary.h"

namespace engine_testing::reference {

class KeyFilter {
 public:
  // Takes the keys of a loaded length section.
  KeyFilter(const dictionary::LengthSection& section, int word_length);

  // The hash rolls with the window: a character is pushed at its end, and the first character
  // of a full window is dropped when the window slides on. Each character's value is rotated
  // by its distance from the end, so the order counts; rotations and exclusive-or keep the
  // chain from one character to the next short, which is what the pass waits for.
  static std::uint64_t Push(std::uint64_t hash, const char* character) {
    return std::rotl(hash, kRotation) ^ Value(character);
  }
  std::uint64_t Drop(std::uint64_t hash, const char* first_character) const {
    return hash ^ std::rotl(Value(first_character), first_rotation_);
  }

  // False only when no key of the section hashes to `hash` (that of a full window).
  bool MayHold(std::uint64_t hash) const {
    std::uint64_t bit = BitOf(hash);
    return (bits_[bit >> 6] >> (bit & 63)) & 1;
  }

 private:
  // 2^20 bits (128 KB) leave few bits set even for the 60000 or so two-character words of a
  // main dictionary; a window that is no word then seldom costs a lookup.
  static constexpr int kHashBits = 20;
  static constexpr std::uint64_t kSpread = 0x9E3779B97F4A7C15u;

  // Characters are 16 bits wide; a step of 7 bits spreads the ten of the longest word over
  // the whole hash before BitOf mixes it.
  static constexpr int kRotation = 7;

  static std::uint64_t Value(const char* character) {
    return static_cast<unsigned char>(character[0]) << 8 | static_cast<unsigned char>(character[1]);
  }
  static std::uint64_t BitOf(std::uint64_t hash) { return (hash * kSpread) >> (64 - kHashBits); }

  int first_rotation_ = 0;  // word_length - 1
  std::vector<std::uint64_t> bits_;
};

}  // namespace engine_testing::reference
