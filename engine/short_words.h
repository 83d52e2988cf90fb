// The words of one or two characters, which a text asks for at almost every position: found by
// their character codes in one table read, without the dictionary's buckets and key compares.
// Each answer is the reading the dictionary's own lookup gives, held in the table itself so
// that a found word costs no further trip to the dictionary's index.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "engine/word_filter.h"

namespace engine {

class ShortWords {
 public:
  // Holds nothing unless the pass is for words of one or two characters.
  explicit ShortWords(const PassWords& pass);

  bool Holds() const { return !entries_.empty(); }
  // Whether the word at `characters` (the pass's length of them) is held; its reading then
  // goes to `reading`.
  bool Find(const char* characters, std::string_view& reading) const {
    std::uint32_t key = KeyOf(characters);
    for (std::size_t slot = SlotOf(key);; slot = (slot + 1) & mask_) {
      const Entry& entry = entries_[slot];
      if (entry.kind == Kind::kEmpty) return false;
      if (entry.key == key) {
        reading = entry.Reading();
        return true;
      }
    }
  }
  // Asks the memory for the slot Find will read first for the word at `characters`.
  void Prefetch(const char* characters) const {
    __builtin_prefetch(&entries_[SlotOf(KeyOf(characters))]);
  }

 private:
  // Most readings of such words are a few bytes: they are kept in the slot itself, the rest
  // point into the dictionary. A reading is shorter than its section's reading area, which
  // 24-bit offsets address.
  static constexpr std::size_t kInlineBytes = 8;
  enum class Kind : std::uint8_t { kEmpty, kInline, kPointed };
  struct Entry {
    std::uint32_t key = 0;
    std::uint32_t length : 24 = 0;
    Kind kind : 8 = Kind::kEmpty;
    char bytes[kInlineBytes] = {};  // the reading, or a pointer to it

    std::string_view Reading() const {
      if (kind == Kind::kInline) return std::string_view(bytes, length);
      const char* reading = nullptr;
      std::memcpy(&reading, bytes, sizeof reading);
      return std::string_view(reading, length);
    }
  };
  static_assert(sizeof(Entry) == 16);

  std::uint32_t KeyOf(const char* characters) const {
    return length_ == 1 ? CodeOf(characters) : PairOf(characters);
  }
  static std::uint32_t CodeOf(const char* character) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(character[0])) << 8 |
           static_cast<unsigned char>(character[1]);
  }
  static std::uint32_t PairOf(const char* characters) {
    return CodeOf(characters) << 16 | CodeOf(characters + 2);
  }
  static Entry EntryOf(std::uint32_t key, std::string_view reading);
  std::size_t SlotOf(std::uint32_t key) const {
    return static_cast<std::size_t>((key * std::uint64_t{0x9E3779B97F4A7C15u}) >> shift_);
  }

  int length_ = 0;
  std::vector<Entry> entries_;  // open addressing, at most half full
  std::size_t mask_ = 0;
  int shift_ = 64;
};

}  // namespace engine
