// Rows of a MeCab lexicon (UniDic's lex.csv or IPAdic's CSV files) reduced to what the main
// dictionary needs: the surface, its reading and the evidence for choosing between readings.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"

namespace dicgen {

struct LexiconRow {
  std::u32string surface;
  std::u32string reading;  // hiragana, as the lexicon spells the surface (sound changes included)
  int cost = 0;            // the lexicon's word cost: lower is commoner
  bool proper_noun = false;
  bool sahen_noun = false;  // a noun that takes する: 終了 → 終了する
  bool sahen_verb = false;  // a form of a する verb: 了し, 了する
  // Readings that a word takes only inside a compound, or that prose has stopped using: they
  // lose against the word's ordinary reading (者 もの before the suffix しゃ).
  bool affix = false;      // a prefix or suffix: 者 しゃ, 等 とう, 君 くん, 実 じっ
  bool classical = false;  // a form of the classical conjugations: 会は あ, 雪が すす
  bool variant = false;    // a spoken or irregular form of its lemma: 本当 ほんと, 者 もん
  bool name = false;       // the name of a person or a place, whose reading is the bearer's own
};

// Rows whose surface holds no kanji (nor 々, 〆, ヶ) are left out: nothing else gets ruby.
// Rows that are not of the expected shape are skipped.
std::optional<LexiconRow> ParseUnidicRow(std::string_view line_utf8);
std::optional<LexiconRow> ParseIpadicRow(std::string_view line_utf8);

// Reads UniDic's lex.csv (UTF-8); nullopt after a message when it cannot be read or yields no row.
std::optional<std::vector<LexiconRow>> ReadUnidicLexicon(const std::filesystem::path& lex_csv,
                                                         common::Messenger& messenger);
// Reads every *.csv of an IPAdic folder (EUC-JP), in name order; the same on failure.
std::optional<std::vector<LexiconRow>> ReadIpadicLexicon(const std::filesystem::path& folder,
                                                         common::Messenger& messenger);

}  // namespace dicgen
