// The main dictionary held whole for the context reading: it tells how a word the analyser
// reads divides its reading over its kanji, and which readings each kanji takes in words.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/messenger.h"
#include "dictionary/ruby_dictionary.h"
#include "dictionary/ruby_dictionary_format.h"

namespace engine::context {

// A word's reading divided over its characters, in Shift_JIS hiragana (and ー): one segment per
// character. An empty segment joins the character to the next one's group, as in {今日/きょう}.
using Segments = std::vector<std::string>;

class Lexicon {
 public:
  // Reads every length section of the dictionary. nullptr after the loader's message when it
  // cannot be read.
  static std::unique_ptr<Lexicon> Load(const std::filesystem::path& dictionary,
                                       common::Messenger& messenger);
  // Empty: words are divided by the kanji readings given to AddKanjiReading alone.
  Lexicon() = default;

  // The segments of `word` (Shift_JIS, 1–10 ruby-target characters), its first reading where
  // it has alternatives; false when the dictionary lacks the word.
  bool Find(std::string_view word, Segments& out) const;

  // The readings `kanji` has in the dictionary's words, each once. The table is made from the
  // whole dictionary the first time it is asked for, which a short text may never need.
  const std::vector<std::string>& ReadingsOf(std::uint16_t kanji) const;
  void AddKanjiReading(std::uint16_t kanji, std::string reading);

 private:
  void LearnKanjiReadings();
  void LearnKanjiReadings(const dictionary::LengthSection& section);

  std::array<dictionary::LengthSection, dictionary::kMaxWordLength> sections_;
  mutable std::once_flag learned_;
  std::unordered_map<std::uint16_t, std::vector<std::string>> kanji_;
};

// The segments of an encoded reading, first alternatives only.
Segments DecodeSegments(std::string_view encoded);

}  // namespace engine::context
