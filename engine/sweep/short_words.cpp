// The short-word tables, filled by asking the dictionary for each of its keys.
#include "engine/sweep/short_words.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "common/encoding/sjis.h"
#include "dictionary/ruby_dictionary_format.h"

namespace engine {
namespace {

constexpr char kLongVowelLead = '\x81';  // ー is 0x81 0x5B
constexpr char kLongVowelTrail = '\x5B';

}  // namespace

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

char* WriteGroupText(const char* character, std::string_view segment, char* out) {
  *out++ = common::kGroupOpen;
  std::memcpy(out, character, 2);
  out += 2;
  *out++ = common::kGroupSeparator;
  for (char byte : segment) {
    if (byte == dictionary::kAlternativeSeparator) {
      *out++ = common::kAlternative;
    } else if (static_cast<unsigned char>(byte) == dictionary::kEncodedLongVowel) {
      *out++ = kLongVowelLead;
      *out++ = kLongVowelTrail;
    } else {
      *out++ = static_cast<char>(dictionary::kHiraganaLead);
      *out++ = byte;
    }
  }
  *out++ = common::kGroupClose;
  return out;
}

std::uint16_t& OneCharacterWords::SlotOf(std::uint16_t code) {
  std::uint16_t& page = page_of_[code >> kPageBits];
  if (page == 0) {
    page = static_cast<std::uint16_t>(pages_.size() >> kPageBits);
    pages_.resize(pages_.size() + kPageSize, 0);
  }
  return pages_[std::size_t{page} << kPageBits | (code & (kPageSize - 1))];
}

OneCharacterWords::OneCharacterWords(const PassWords& pass) {
  if (pass.word_length != 1) return;
  const dictionary::LengthSection& words = *pass.section;
  pages_.assign(kPageSize, 0);  // page 0, which holds no word
  ForEachFoundKey(words, 2, [&](std::string_view key, int k) {
    std::uint16_t code =
        common::CodeOf(static_cast<unsigned char>(key[0]), static_cast<unsigned char>(key[1]));
    Word word;
    if (common::IsRubyTarget(code)) {
      // The word's one segment: its reading up to the first separator.
      std::string_view reading = words.ReadingOf(k);
      std::string_view segment = reading.substr(0, reading.find(dictionary::kSegmentSeparator));
      std::size_t at = texts_.size();
      texts_.resize(at + kGroupMarks + 2 + 2 * segment.size());
      char* end = WriteGroupText(key.data(), segment, texts_.data() + at);
      texts_.resize(static_cast<std::size_t>(end - texts_.data()));
      word = {true, static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(texts_.size() - at)};
    }
    std::uint16_t& slot = SlotOf(code);
    if (slot == 0) {
      if (words_.size() == kMostWords) return;
      words_.push_back(word);
      slot = static_cast<std::uint16_t>(words_.size());
    } else {
      words_[slot - 1] = word;  // the later of equal keys, as the lookup finds it
    }
  });
  texts_.append(kGroupCopyBytes, '\0');
  // Only a section of keys that are no characters can fill the index; it is left to the
  // general lookup.
  if (words_.size() == kMostWords) pages_.clear();
}

ShortWords::ShortWords(const PassWords& pass) : length_(pass.word_length) {
  if (length_ != 1 && length_ != 2) return;
  const dictionary::LengthSection& words = *pass.section;
  std::size_t count = words.KeyCount();
  int bits = std::max(4, static_cast<int>(std::bit_width(count + count / 3)));
  entries_.assign(std::size_t{1} << bits, Entry{});
  mask_ = entries_.size() - 1;
  shift_ = 64 - bits;
  ForEachFoundKey(words, static_cast<std::size_t>(2 * length_), [&](std::string_view key, int k) {
    std::uint32_t code = KeyOf(key.data());
    std::size_t slot = SlotOf(code);
    while (entries_[slot].kind != Kind::kEmpty && entries_[slot].key != code) {
      slot = (slot + 1) & mask_;
    }
    entries_[slot] = EntryOf(code, words.ReadingOf(k));
  });
}

}  // namespace engine
