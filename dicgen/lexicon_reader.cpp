// Both lexicons are CSV; field positions follow each dictionary's feature definition.
#include "dicgen/lexicon_reader.h"

#include <algorithm>
#include <charconv>

#include "common/message_format.h"
#include "dicgen/data_file.h"
#include "dicgen/euc_jp.h"
#include "dicgen/kana.h"
#include "dicgen/messages.h"

namespace dicgen {
namespace {

// UniDic 3: surface, left id, right id, cost, pos1–pos4, cType, cForm, lForm, lemma, orth, pron,
// orthBase, pronBase, goshu, six i/f fields, type, kana (the reading as written), …
constexpr std::size_t kUnidicFields = 25;
constexpr std::size_t kUnidicKana = 24;
constexpr std::size_t kUnidicLemmaReading = 10;  // lForm: the lemma's reading, in katakana
// IPAdic: surface, left id, right id, cost, pos1–pos4, conjugation type and form, base, reading,
// pronunciation.
constexpr std::size_t kIpadicFields = 12;
constexpr std::size_t kIpadicReading = 11;

constexpr std::size_t kSurface = 0;
constexpr std::size_t kCost = 3;
constexpr std::size_t kPos1 = 4;
constexpr std::size_t kPos2 = 5;
constexpr std::size_t kPos3 = 6;
constexpr std::size_t kConjugationType = 8;

// A word's form differs from its lemma's reading only by the sound changes of compounds: the
// first kana voiced (会 がい, lemma かい) or the last one made small っ (実 じっ, lemma じつ).
bool IsSoundChangeOf(std::u32string_view form, std::u32string_view lemma) {
  if (form.size() != lemma.size() || form.empty()) return false;
  if (form.front() != lemma.front() && Unvoiced(form.front()) != lemma.front()) return false;
  std::u32string_view rest_form = form.substr(1);
  std::u32string_view rest_lemma = lemma.substr(1);
  if (rest_form == rest_lemma) return true;
  return !rest_form.empty() && rest_form.back() == U'っ' &&
         rest_form.substr(0, rest_form.size() - 1) == rest_lemma.substr(0, rest_lemma.size() - 1);
}

// Fields are split at commas outside double quotes: UniDic quotes the fields that hold commas
// themselves ("B4WW7G9G,B4WW"), and those come before the reading.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') {
      quoted = !quoted;
    } else if (line[i] == ',' && !quoted) {
      fields.push_back(line.substr(start, i - start));
      start = i + 1;
    }
  }
  fields.push_back(line.substr(start));
  return fields;
}

bool HoldsKanji(std::u32string_view text) {
  return std::any_of(text.begin(), text.end(), [](char32_t c) {
    return IsKanji(c) || c == U'々' || c == U'〆' || c == U'ヶ';
  });
}

// The reading must be kana only: a reading such as "*" (unknown) makes the row useless.
bool IsKanaReading(std::u32string_view reading) {
  return !reading.empty() && std::all_of(reading.begin(), reading.end(), IsReadingKana);
}

std::optional<LexiconRow> MakeRow(const std::vector<std::string_view>& fields,
                                  std::size_t reading_field) {
  LexiconRow row;
  row.surface = DecodeUtf8(fields[kSurface]);
  if (!HoldsKanji(row.surface)) return std::nullopt;
  row.reading = ToHiragana(DecodeUtf8(fields[reading_field]));
  if (!IsKanaReading(row.reading)) return std::nullopt;
  std::string_view cost = fields[kCost];
  if (std::from_chars(cost.data(), cost.data() + cost.size(), row.cost).ec != std::errc()) {
    return std::nullopt;
  }
  return row;
}

}  // namespace

std::optional<LexiconRow> ParseUnidicRow(std::string_view line) {
  std::vector<std::string_view> fields = SplitFields(line);
  if (fields.size() < kUnidicFields) return std::nullopt;
  std::optional<LexiconRow> row = MakeRow(fields, kUnidicKana);
  if (!row) return std::nullopt;
  row->proper_noun = fields[kPos2] == "固有名詞";
  row->sahen_noun = fields[kPos1] == "名詞" && fields[kPos3].starts_with("サ変");
  row->sahen_verb = fields[kConjugationType] == "サ行変格";
  row->affix = fields[kPos1] == "接尾辞" || fields[kPos1] == "接頭辞";
  row->classical = fields[kConjugationType].starts_with("文語");
  // A word that does not conjugate has its lemma's reading; another form is spoken or odd.
  if (fields[kConjugationType] == "*") {
    std::u32string lemma = ToHiragana(DecodeUtf8(fields[kUnidicLemmaReading]));
    row->variant = lemma != row->reading && !IsSoundChangeOf(row->reading, lemma);
  }
  return row;
}

std::optional<LexiconRow> ParseIpadicRow(std::string_view line) {
  std::vector<std::string_view> fields = SplitFields(line);
  if (fields.size() < kIpadicFields) return std::nullopt;
  std::optional<LexiconRow> row = MakeRow(fields, kIpadicReading);
  if (!row) return std::nullopt;
  row->proper_noun = fields[kPos2] == "固有名詞";
  row->name = row->proper_noun && (fields[kPos3] == "人名" || fields[kPos3] == "地域");
  row->sahen_noun = fields[kPos1] == "名詞" && fields[kPos2] == "サ変接続";
  row->sahen_verb = fields[kConjugationType].starts_with("サ変");
  row->affix = fields[kPos1] == "接頭詞" || fields[kPos2].starts_with("接尾");
  row->classical = fields[kConjugationType].starts_with("文語");
  return row;
}

std::optional<std::vector<LexiconRow>> ReadUnidicLexicon(const std::filesystem::path& lex_csv,
                                                         common::Messenger& messenger) {
  std::vector<LexiconRow> rows;
  bool read = ForEachFileLine(lex_csv, [&rows](std::string_view line) {
    if (std::optional<LexiconRow> row = ParseUnidicRow(line)) rows.push_back(std::move(*row));
  });
  if (!read) {
    TellCannotRead(lex_csv, messenger);
    return std::nullopt;
  }
  if (rows.empty()) {
    messenger.Tell({std::string(messages::kTitleGenerator),
                    common::FormatMessage(messages::kLexiconEmpty, {lex_csv.string()}),
                    common::Icon::kError});
    return std::nullopt;
  }
  return rows;
}

std::optional<std::vector<LexiconRow>> ReadIpadicLexicon(const std::filesystem::path& folder,
                                                         common::Messenger& messenger) {
  std::vector<std::filesystem::path> files;
  std::error_code error;  // an unreadable folder yields no rows, which is told below
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    if (item.path().extension() == ".csv") files.push_back(item.path());
  }
  std::sort(files.begin(), files.end());
  EucJpDecoder decoder;
  std::vector<LexiconRow> rows;
  for (const std::filesystem::path& file : files) {
    bool read = ForEachFileLine(file, [&rows, &decoder](std::string_view line) {
      std::optional<std::string> utf8 = decoder.ToUtf8(line);
      if (!utf8) return;  // one undecodable row costs that row only
      if (std::optional<LexiconRow> row = ParseIpadicRow(*utf8)) rows.push_back(std::move(*row));
    });
    if (!read) {
      TellCannotRead(file, messenger);
      return std::nullopt;
    }
  }
  if (rows.empty()) {
    messenger.Tell({std::string(messages::kTitleGenerator),
                    common::FormatMessage(messages::kLexiconEmpty, {folder.string()}),
                    common::Icon::kError});
    return std::nullopt;
  }
  return rows;
}

}  // namespace dicgen
