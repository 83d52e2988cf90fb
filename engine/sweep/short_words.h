// The words of one or two characters, which a text asks for at almost every position: found by
// their character codes in one table read, without the dictionary's buckets and key compares.
// Each answer is the reading the dictionary's own lookup gives, held in the table itself so
// that a found word costs no further trip to the dictionary's index.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/prefetch.h"
#include "engine/sweep/word_filter.h"

namespace engine {

// Calls `take` with each key of `key_bytes` bytes of `words` and its index, as the dictionary's
// lookup finds it: only in its own bucket, where the last of equal keys wins (so a key may come
// twice, the winner last). A key stored in another bucket is never found, so it is left out.
// The keys are walked, not the buckets: a section has thousands of buckets however few words.
template <typename Take>
void ForEachFoundKey(const dictionary::LengthSection& words, std::size_t key_bytes, Take take) {
  const std::vector<dictionary::LengthSection::Bucket>& buckets = words.Buckets();
  const std::size_t count = words.KeyCount();
  for (std::uint32_t k = 0; k < count; ++k) {
    std::string_view key = words.Key(static_cast<int>(k));
    if (key.size() != key_bytes) continue;
    const dictionary::LengthSection::Bucket& own = buckets[words.BucketOf(key)];
    if (k >= own.first && k - own.first < own.count) take(key, static_cast<int>(k));
  }
}

// Writes the group of `character` (its two bytes) with `segment`, a part of an encoded reading,
// at `out`: "{", the character, "/", the kana, "}". Returns the end of what it wrote, at most
// kGroupMarks + 2 + 2 × segment's size bytes on.
inline constexpr std::size_t kGroupMarks = 3;  // '{', '/' and '}'
char* WriteGroupText(const char* character, std::string_view segment, char* out);

// Written groups are copied in blocks of this many bytes; the room behind them is kept.
inline constexpr std::size_t kGroupCopyBytes = 16;

// The words of one character, which a text asks for at nearly every kanji: found by the
// character's code in one read of a table of all codes, each with the group it gives already
// written out, so that placing and writing it is one copy.
class OneCharacterWords {
 public:
  struct Word {
    bool grouped = false;      // false for a word whose character takes no ruby: it stays plain
    std::uint32_t offset = 0;  // of the group as written, when grouped
    std::uint32_t size = 0;
  };

  // Holds nothing unless the pass is for words of one character.
  explicit OneCharacterWords(const PassWords& pass);

  bool Holds() const { return !pages_.empty(); }
  const Word* Find(std::uint16_t code) const {
    std::uint16_t at =
        pages_[std::size_t{page_of_[code >> kPageBits]} << kPageBits | (code & (kPageSize - 1))];
    return at == 0 ? nullptr : &words_[at - 1];
  }
  std::string_view Group(const Word& word) const {
    return std::string_view(texts_).substr(word.offset, word.size);
  }

 private:
  static constexpr std::size_t kMostWords = 0xFFFF;
  static constexpr int kPageBits = 8;
  static constexpr std::size_t kPageSize = std::size_t{1} << kPageBits;
  // The slot of `code` in pages_, its page made when it has none.
  std::uint16_t& SlotOf(std::uint16_t code);
  // The index by code: 1 + the word's place in words_, or 0. Codes that share their lead byte
  // share a page; only the pages of lead bytes with words are made, the rest read page 0, which
  // holds none. A table of every code would be cleared whole for a handful of words.
  std::array<std::uint16_t, kPageSize> page_of_{};
  std::vector<std::uint16_t> pages_;
  std::vector<Word> words_;
  std::string texts_;  // every word's group, side by side, and kGroupCopyBytes after them
};

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
    common::Prefetch(&entries_[SlotOf(KeyOf(characters))]);
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
  std::vector<Entry> entries_;  // open addressing, at most three quarters full
  std::size_t mask_ = 0;
  int shift_ = 64;
};

}  // namespace engine
