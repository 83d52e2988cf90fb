// The matching passes played on one run of double-byte characters. The run is looked up once:
// the match table says, for every position, which passes may have their word there. Each pass
// is then decided on the table alone, in order, with its own window: a window of L characters
// that are not yet in a group slides over the run, the leftmost window that is a word wins and
// the window starts again after it. A word's ruby-target characters become groups that no
// later pass looks at; its other characters stay plain for the shorter words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/sweep/run_segmenter.h"
#include "engine/sweep/short_words.h"
#include "engine/sweep/word_filter.h"

namespace engine {

// What the passes look words up in: the dictionaries' sections and the tables made from them.
// Never changed once made (it is shared as const), so that tables on several threads share one.
struct MatchWords {
  explicit MatchWords(const std::vector<PassWords>& passes);

  const std::vector<PassWords> passes;
  WordFilter filter;
  std::vector<ShortWords> short_words;           // of each pass
  std::uint32_t short_passes = 0;                // the passes whose short words hold their table
  std::vector<OneCharacterWords> one_character;  // of each pass
  std::uint32_t one_character_passes = 0;        // the passes whose words these hold
};

class MatchTable {
 public:
  explicit MatchTable(std::shared_ptr<const MatchWords> words);

  const std::shared_ptr<const MatchWords>& Words() const { return words_; }

  // Plays every pass on `run` of `chunk` (`offsets` as the segmenter gave them, one for each
  // character when the run has tags). A cut run is played as far as the chunk decides it; the
  // rest waits, and the next run played is taken for its continuation, from its first waiting
  // character on.
  void Play(std::string_view chunk, const CharacterRun& run, const std::uint32_t* offsets);
  // The next run played goes on from a cut one.
  bool Continues() const { return continues_; }

  // Some word was found in the run.
  bool Changed() const { return changed_; }
  // The first character of a cut run that is not decided yet.
  std::size_t Waiting() const { return waiting_; }
  // Offset in the chunk just after character `i` − 1 (the run's start for 0).
  std::size_t EndBefore(std::size_t i) const { return i == 0 ? run_.begin : Offset(i - 1) + 2; }

  // Appends characters [from, to) as they now stand: the tags before each character, then the
  // character, as a group when a word gave it one.
  void Write(std::size_t from, std::size_t to, std::string& out) const;

 private:
  // Tags between characters, as lists of byte ranges of the chunk: a word takes the tags
  // between its characters ahead of itself.
  struct TagRange {
    std::uint32_t begin = 0;
    std::uint32_t length = 0;
    std::int32_t next = -1;
  };
  struct Gap {
    std::int32_t first = -1;
    std::int32_t last = -1;
    std::size_t bytes = 0;
  };

  std::size_t Offset(std::size_t i) const {
    return run_.has_tags ? offsets_[i] : run_.begin + 2 * i;
  }
  const char* At(std::size_t i) const { return chunk_.data() + Offset(i); }

  std::uint32_t LookUp();
  void LookUpLongerWords();
  void SetUpGaps();
  std::size_t PlayPass(std::size_t pass, std::size_t start, std::size_t limit);
  std::size_t PlayLongerPass(std::size_t pass, std::size_t start, std::size_t limit);
  std::size_t WindowAtLimit(std::size_t resume, std::size_t limit, std::size_t length) const;
  bool AllPlain(std::size_t at, std::size_t length) const;
  std::size_t PlayPassAroundTags(std::size_t pass, std::size_t start, std::size_t limit);
  void PlayOneCharacterPass(std::size_t pass, std::size_t start, std::size_t limit);
  bool TryWord(std::size_t pass, std::size_t at);
  void PlaceWord(std::size_t at, std::size_t length, std::string_view reading);
  void TakeTagsAhead(std::size_t at, std::size_t length);
  void WriteAroundTags(std::size_t from, std::size_t to, std::string& out) const;
  char* WriteGroup(std::size_t i, char* out) const;
  std::size_t GroupRoom(std::size_t i) const;

  const std::shared_ptr<const MatchWords> words_;
  const std::vector<PassWords>& passes_;
  const WordFilter& filter_;
  const std::vector<ShortWords>& short_words_;
  const std::uint32_t short_passes_;
  const std::vector<OneCharacterWords>& one_character_;
  const std::uint32_t one_character_passes_;

  std::string_view chunk_;
  CharacterRun run_;
  const std::uint32_t* offsets_ = nullptr;

  std::vector<std::uint16_t> codes_;                   // of the run's characters
  std::vector<std::uint32_t> candidates_;              // the match table: bit i for pass i
  std::vector<std::vector<std::uint32_t>> positions_;  // of each pass, where its bit is set
  // Of each longer pass, the index in its section of the word at each of its positions, or -1.
  std::vector<std::vector<int>> indexes_;
  std::uint32_t found_ = 0;  // the passes with any candidate
  // How character i stands: plain, in a group of its part of the reading (segments_[i]), or
  // in a group a one-character word wrote out whole (then segments_[i] is the group).
  enum Standing : std::uint8_t { kPlain, kGroupOfSegment, kWrittenGroup };
  std::vector<std::uint8_t> grouped_;
  std::vector<std::string_view> segments_;
  std::vector<Gap> gaps_;  // gap i stands before character i
  std::vector<TagRange> tags_;
  std::string key_;

  // Where each pass's window starts in a cut run, counted from the first waiting character.
  std::vector<std::size_t> starts_;
  bool continues_ = false;  // the next run goes on from a cut one
  bool changed_ = false;
  std::size_t group_bytes_ = 0;  // the most the run's groups write beyond their characters
  std::size_t waiting_ = 0;
};

}  // namespace engine
