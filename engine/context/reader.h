// Reads one sentence in context: the analyser divides it into words and reads them; the
// conventions and the main dictionary then have their say, and each word's reading is divided
// over its kanji. What comes out are the groups to write, in the dictionaries' own form.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/context/analyser.h"
#include "engine/context/conventions.h"
#include "engine/context/lexicon.h"

namespace engine::context {

// A character of a sentence as the working file holds it.
// Sixteen bytes: a block of text holds one for each of its characters.
struct SentenceChar {
  std::size_t offset = 0;        // of its first byte in the piece of text the sentence is from
  std::uint32_t utf8_begin = 0;  // where it starts in the sentence's UTF-8
  std::uint16_t code = 0;        // its Shift_JIS code (one byte: the byte)
  std::uint8_t size = 1;         // bytes in the working file
  bool fixed = false;            // the base of a group already written: never read again
};
static_assert(sizeof(SentenceChar) == 16);

struct Sentence {
  std::string_view source;  // the text the characters' offsets point into
  std::vector<SentenceChar> chars;
  std::string utf8;  // what the analyser reads
};

// Readings for the characters [first, last) of a sentence, one segment each.
struct RubySpan {
  std::size_t first = 0;
  std::size_t last = 0;
  Segments segments;
};

// Characters that the context reading gives a reading: kanji, 々, 〆 and ヶ. Other characters
// the dictionaries know (Greek letters, symbols) are left to them.
bool IsContextTarget(std::uint16_t code);

class Reader {
 public:
  Reader(const Lexicon& lexicon, const Conventions& conventions);

  // The groups of `sentence` read by `tagger`; false when the analyser failed on it.
  bool Read(Tagger& tagger, const Sentence& sentence, std::vector<RubySpan>& out) const;

 private:
  struct Word;
  void ReadWords(const Sentence& sentence, std::vector<Word>& words) const;
  void ApplyConventions(const Sentence& sentence, std::vector<Word>& words) const;
  void ApplyWordConventions(const Sentence& sentence, std::vector<Word>& words,
                            std::size_t i) const;
  void ApplyNumberConventions(const Sentence& sentence, std::vector<Word>& words,
                              std::size_t i) const;
  void DoubleNumerals(std::vector<Word>& words) const;
  static bool IsComparison(const std::vector<Word>& words, std::size_t i);
  bool IsPersonKata(const std::vector<Word>& words, std::size_t i) const;
  static bool IsNumeral(const Word& word);
  // Whether the analyser reads the word as a counter (日, 本, 勝 after a number).
  static bool IsCounter(const Word& word);
  static bool IsNumber(const Sentence& sentence, const Word& word);
  static bool IsFraction(const Sentence& sentence, const std::vector<Word>& words, std::size_t i);
  static bool IsScore(const Sentence& sentence, const std::vector<Word>& words, std::size_t i);
  void ReadCounterAtStart(const Sentence& sentence, Word& word, const std::string& digits) const;
  void TakeDictionaryCompounds(std::vector<Word>& words, std::vector<RubySpan>& out) const;
  void DivideWord(const Sentence& sentence, const Word& word, std::vector<RubySpan>& out) const;
  void DivideNewWord(const Sentence& sentence, const Word& word,
                     std::vector<RubySpan>& out) const;

  const Lexicon& lexicon_;
  const Conventions& conventions_;
  // Tells the words each thread has divided for this reader from those of an earlier one.
  std::uint64_t id_;
};

// A katakana or hiragana reading in UTF-8 as Shift_JIS hiragana; empty when it holds anything
// else.
std::string HiraganaOf(std::string_view kana_utf8);

}  // namespace engine::context
