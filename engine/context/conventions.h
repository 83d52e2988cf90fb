// The teacher's conventions over the analyser's readings, kept as data (conventions.txt of the
// project's default data, built into the program): the common reading where the analyser
// picks a formal or variant one, the sound changes of words inside known compounds, and the
// part of a reading a counter takes after digits.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace engine::context {

class Conventions {
  // Orders keys of one or two texts so that they are found by views of the texts, without
  // copying them.
  struct Less {
    using is_transparent = void;
    using Pair = std::pair<std::string_view, std::string_view>;
    static Pair View(const std::pair<std::string, std::string>& key) {
      return {key.first, key.second};
    }
    static const Pair& View(const Pair& key) { return key; }
    static std::string_view View(std::string_view key) { return key; }
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
      return View(a) < View(b);
    }
  };
  template <typename Value>
  using PairMap = std::map<std::pair<std::string, std::string>, Value, Less>;
  template <typename Value>
  using TextMap = std::map<std::string, Value, Less>;

 public:
  // Reads the table (UTF-8; every text in it is kept in Shift_JIS). A line it cannot read is
  // reported in `faults` with its number and left out.
  static Conventions Parse(std::string_view table_utf8, std::vector<std::string>& faults);
  // The table built into the program.
  static const Conventions& BuiltIn();

  // The reading to use for `word` where the analyser read `analysed` (Shift_JIS), or nullptr.
  const std::string* WordReading(std::string_view word, std::string_view analysed) const;
  // The reading of `word` right after the word `previous` in one compound, or nullptr.
  const std::string* ReadingAfter(std::string_view previous, std::string_view word) const;
  // The readings a counter kanji may take inside one word with the digits before it.
  const std::vector<std::string>* CounterReadings(std::string_view kanji) const;
  // The reading of `word` right before the word `next` (母 before さん: かあ), or nullptr.
  const std::string* ReadingBefore(std::string_view word, std::string_view next) const;
  // The reading of `word` at the end of a compound of kanji (誕生日 び), or nullptr.
  const std::string* SuffixReading(std::string_view word) const;
  // The reading of counter `word` after the number `digits` (ASCII digits), or nullptr.
  const std::string* NumberReading(std::string_view word, std::string_view digits) const;
  // The reading of `word`, read `analysed`, where it starts a phrase (after a particle, a sign
  // or nothing), or nullptr.
  const std::string* AloneReading(std::string_view word, std::string_view analysed) const;
  // Where `first` and `second` stand right before a word that begins with the kanji `kanji`,
  // the reading that kanji's part `analysed` of the word's reading becomes (気に入る: 入 い).
  const std::pair<std::string, std::string>* PhraseReading(std::string_view first,
                                                           std::string_view second,
                                                           std::string_view kanji) const;
  // The reading of `word` as a day of the week in brackets after a date, or nullptr.
  const std::string* WeekdayReading(std::string_view word) const;

 private:
  PairMap<std::string> words_;        // (word, analysed)
  TextMap<std::string> any_reading_;  // word read as "*"
  PairMap<std::string> after_;        // (previous, word)
  TextMap<std::vector<std::string>> counters_;
  PairMap<std::string> before_;  // (word, next)
  TextMap<std::string> suffixes_;
  // Per counter: the reading after a number ending in 1–9, in 10, in 100, in 1000 or more.
  TextMap<std::vector<std::string>> digits_;
  // Per counter: numbers read otherwise than the rest, with their reading.
  TextMap<TextMap<std::string>> exact_numbers_;
  TextMap<std::string> weekdays_;
  PairMap<std::string> alone_;
  TextMap<std::pair<std::string, std::string>> phrases_;  // first+second+kanji
};

}  // namespace engine::context
