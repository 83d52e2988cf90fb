// What the generator leaves out of the main dictionary and why, for its report.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dicgen {

enum class DropReason {
  kNotShiftJis,      // a character of the word or its reading has no Shift_JIS code
  kHalfWidth,        // a one-byte character in the word, which would cut it in the text
  kReadingMismatch,  // the reading does not fit the kana of the word
  kKatakanaKe,       // ケ inside a katakana word (ボケ), which would get ruby of its own
  kClassical,        // only classical forms (会は あ), which would take a particle after a noun
  kVariantOnly,  // only spoken or irregular forms (御馳走 ごっつぉ), left to the word's parts
  kTooLong,      // more than ten characters
  kEntryTooLong,    // the line would reach 60 bytes
  kLengthFull,      // more keys of one length than a dictionary section holds
  kBucketFull,      // more than 255 keys in one bucket
  kFileFull,        // the dictionary would outgrow 24-bit offsets
  kTableLineUnfit,  // a line of the project's tables whose reading does not fit its word
  kNameWithKana,    // a name with kana between its kanji (下の関), which would cross words
};
inline constexpr std::size_t kDropReasonCount = 13;

// kHalfWidth when `word` holds a one-byte character, else kNotShiftJis.
DropReason WhyNotEncoded(std::u32string_view word);

class DropLog {
 public:
  void Add(DropReason reason, const std::u32string& word);
  std::size_t Count(DropReason reason) const;
  // One UTF-8 line per reason that dropped anything: its count and a few examples.
  std::vector<std::string> Lines() const;

 private:
  struct Tally {
    std::size_t count = 0;
    std::vector<std::u32string> examples;
  };
  std::array<Tally, kDropReasonCount> tallies_;
};

}  // namespace dicgen
