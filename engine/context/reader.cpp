#include "engine/context/reader.h"

#include <algorithm>
#include <atomic>
#include <unordered_map>

#include "common/encoding/cp932.h"
#include "common/encoding/sjis.h"
#include "common/encoding/sjis_reader.h"
#include "engine/context/reading_split.h"
#include "engine/context/reader_word.h"

namespace engine::context {
namespace {

constexpr std::uint16_t kFirstKanji = 0x889F;
constexpr std::uint16_t kFirstKatakana = 0x8340;
constexpr std::uint16_t kLastKatakana = 0x8393;  // ン
constexpr std::uint16_t kKatakanaGap = 0x837F;   // no character: ミ 0x837E, ム 0x8380

bool IsKanaCode(std::uint16_t code) {
  return common::IsHiragana(code) || (code >= kFirstKatakana && code <= kLastKatakana) ||
         code == common::kLongVowel;
}

// The hiragana a kana of the text is read as (ー stays ー).
std::uint16_t HiraganaCode(std::uint16_t code) {
  if (code >= kFirstKatakana && code <= kLastKatakana) {
    std::uint16_t index = code - kFirstKatakana - (code > kKatakanaGap ? 1 : 0);
    return static_cast<std::uint16_t>(common::kFirstHiragana + index);
  }
  return code;
}

bool IsDigitCode(std::uint16_t code) {
  return (code >= '0' && code <= '9') || (code >= 0x824F && code <= 0x8258);  // ０–９
}

std::string CharBytes(std::uint16_t code) {
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// A piece of a word's surface: a run of kanji, whose reading is to be found, or one kana that
// the reading spells as it is.
struct Part {
  std::size_t first = 0;  // characters of the sentence
  std::size_t last = 0;
  std::string literal;  // the kana's hiragana; empty for a run of kanji
  std::string reading;  // found for a run of kanji
};

// Gives each run of kanji its part of `reading`, so that the kana between them stand where the
// reading spells them; the shortest reading first for each run.
bool MatchParts(std::vector<Part>& parts, std::size_t index, std::string_view reading) {
  if (index == parts.size()) return reading.empty();
  Part& part = parts[index];
  if (!part.literal.empty()) {
    return reading.starts_with(part.literal) &&
           MatchParts(parts, index + 1, reading.substr(part.literal.size()));
  }
  for (std::size_t size = 2; size <= reading.size(); size += 2) {
    part.reading = std::string(reading.substr(0, size));
    if (MatchParts(parts, index + 1, reading.substr(size))) return true;
  }
  return false;
}

}  // namespace

bool IsContextTarget(std::uint16_t code) {
  return code >= kFirstKanji || code == common::kIterationMark || code == common::kClosingMark ||
         code == common::kSmallKe;
}

std::string HiraganaOf(std::string_view kana) {
  // Shift_JIS holds ぁ…ん in one run from 829F, and ー at 815B.
  constexpr char32_t kFirstHiragana = 0x3041;
  constexpr char32_t kLastHiragana = 0x3093;
  constexpr unsigned kFirstHiraganaSjis = 0x829F;
  std::string hiragana;
  hiragana.reserve(kana.size() / 3 * 2);
  for (std::size_t i = 0; i < kana.size();) {
    auto byte = static_cast<unsigned char>(kana[i]);
    if ((byte & 0xF0) != 0xE0 || i + 3 > kana.size()) return {};
    char32_t c = (byte & 0x0F) << 12 | (kana[i + 1] & 0x3F) << 6 | (kana[i + 2] & 0x3F);
    if (c >= 0x30A1 && c <= 0x30F6) c -= 0x60;
    unsigned sjis;
    if (c >= kFirstHiragana && c <= kLastHiragana) {
      sjis = kFirstHiraganaSjis + (c - kFirstHiragana);
    } else if (c == 0x30FC) {
      sjis = 0x815B;
    } else {
      return {};  // ゔ, ゕ, ゖ and anything not kana: Shift_JIS has no hiragana for it
    }
    hiragana += static_cast<char>(sjis >> 8);
    hiragana += static_cast<char>(sjis & 0xFF);
    i += 3;
  }
  return hiragana;
}

Reader::Reader(const Lexicon& lexicon, const Conventions& conventions)
    : lexicon_(lexicon), conventions_(conventions) {
  static std::atomic<std::uint64_t> readers{0};
  id_ = ++readers;
}

bool Reader::Read(Tagger& tagger, const Sentence& sentence, std::vector<RubySpan>& out) const {
  // Each thread keeps its buffers from sentence to sentence.
  thread_local std::vector<Morpheme> morphemes;
  thread_local std::vector<std::size_t> char_at;
  thread_local std::vector<Word> words;
  if (!tagger.Analyse(sentence.utf8, morphemes)) return false;
  // The character that starts at each byte of the UTF-8 sentence.
  constexpr std::size_t kInside = static_cast<std::size_t>(-1);
  char_at.assign(sentence.utf8.size() + 1, kInside);
  for (std::size_t c = 0; c < sentence.chars.size(); ++c) {
    char_at[sentence.chars[c].utf8_begin] = c;
  }
  char_at[sentence.utf8.size()] = sentence.chars.size();

  words.clear();
  for (Morpheme& m : morphemes) {
    if (m.begin > m.end || m.end > sentence.utf8.size()) return false;
    Word word;
    word.first = char_at[m.begin];
    word.last = char_at[m.end];
    if (word.first == kInside || word.last == kInside || word.first >= word.last) continue;
    word.morpheme = std::move(m);
    words.push_back(std::move(word));
  }
  ReadWords(sentence, words);
  ApplyConventions(sentence, words);
  TakeDictionaryCompounds(words, out);
  for (const Word& word : words) {
    if (word.readable && !word.taken) DivideWord(sentence, word, out);
  }
  std::sort(out.begin(), out.end(),
            [](const RubySpan& a, const RubySpan& b) { return a.first < b.first; });
  return true;
}

void Reader::ReadWords(const Sentence& sentence, std::vector<Word>& words) const {
  for (Word& word : words) {
    bool any_target = false;
    bool any_fixed = false;
    word.all_target = true;
    for (std::size_t c = word.first; c < word.last; ++c) {
      const SentenceChar& ch = sentence.chars[c];
      word.surface += sentence.source.substr(ch.offset, ch.size);
      bool target = ch.size == 2 && IsContextTarget(ch.code);
      any_target = any_target || target;
      word.all_target = word.all_target && target;
      any_fixed = any_fixed || ch.fixed;
    }
    word.reading = HiraganaOf(word.morpheme.kana);
    word.readable = any_target && !any_fixed && !word.reading.empty();
  }
}

namespace {

bool IsVoicedKana(std::uint16_t code, std::uint16_t& plain) {
  // が…ど: one after their plain kana; ば, ぱ: one and two after は's row.
  static constexpr std::uint16_t kPlain[] = {0x82A9, 0x82AB, 0x82AD, 0x82AF, 0x82B1,
                                             0x82B3, 0x82B5, 0x82B7, 0x82B9, 0x82BB,
                                             0x82BD, 0x82BF, 0x82C2, 0x82C4, 0x82C6};
  for (std::uint16_t p : kPlain) {
    if (code == p + 1) {
      plain = p;
      return true;
    }
  }
  static constexpr std::uint16_t kHaRow[] = {0x82CD, 0x82D0, 0x82D3, 0x82D6, 0x82D9};
  for (std::uint16_t p : kHaRow) {
    if (code == p + 1 || code == p + 2) {
      plain = p;
      return true;
    }
  }
  return false;
}

// A noun (not a numeral) or a letter that the word after it joins without a particle.
bool EndsCompoundBefore(const Morpheme& word) {
  return (word.pos1 == "名詞" && word.pos2 != "数詞") || (word.pos1 == "記号" && word.pos2 == "文字");
}

bool IsOpeningBracket(std::uint16_t code) { return code == '(' || code == 0x8169; }  // （
bool IsClosingBracket(std::uint16_t code) { return code == ')' || code == 0x816A; }  // ）

bool EndsWithAny(std::string_view text, std::initializer_list<std::string_view> endings) {
  for (std::string_view ending : endings) {
    if (text.size() >= ending.size() && text.ends_with(ending) &&
        common::IsCharacterStart(text, 0, text.size() - ending.size())) {
      return true;
    }
  }
  return false;
}

}  // namespace

// 方が followed by an adjective (安い, 便利だ), or 方 after より (AよりBの方が). Many and few
// count people as often as they compare (参加される方が多い).
bool Reader::IsComparison(const std::vector<Word>& words, std::size_t i) {
  static const std::string kGa = common::Sjis("が");
  static const std::string kYori = common::Sjis("より");
  auto compares = [](const Morpheme& m) {
    return (m.pos1 == "形容詞" && m.lemma != "多い" && m.lemma != "少ない") || m.pos1 == "形状詞";
  };
  bool comparison =
      i + 2 < words.size() && words[i + 1].surface == kGa && compares(words[i + 2].morpheme);
  for (std::size_t w = 0; w < i; ++w) comparison = comparison || words[w].surface == kYori;
  return comparison;
}

// 方 reads かた for a person (保護者の方, 65歳以上の方, ご来場の方, 参加される方) and ほう for a
// side, a part or a comparison (こちらの方が安い, 上の方に, 終わりの方, 後者の方が), which the
// analyser mostly reads as ほう for both. A person is meant after a word for people, and, where
// the sentence addresses people politely, after what people do or where they come from (ご希望の
// 方, 参加の方, 地域の方) and after a verb (参加される方); a polite request alone (…の方を使って
// ください) says nothing of the word before.
bool Reader::IsPersonKata(const std::vector<Word>& words, std::size_t i) const {
  static const std::string kNo = common::Sjis("の");
  auto sjis_list = [](std::initializer_list<std::string_view> words) {
    std::vector<std::string> out;
    for (std::string_view w : words) out.push_back(common::Sjis(w));
    return out;
  };
  static const std::vector<std::string> kPeople =
      sjis_list({"者", "員", "様", "民", "族", "客", "生", "初めて", "人々", "以上", "以下", "未満",
                 "対象", "多く", "署", "皆さん", "皆"});
  static const std::vector<std::string> kSides = sjis_list(
      {"上",   "下",   "右",     "左",     "前",     "後ろ",   "奥",     "手前",   "横",
       "東",   "西",   "南",     "北",     "こちら", "あちら", "そちら", "どちら", "こっち",
       "あっち", "そっち", "どっち", "私",   "僕",     "自分",   "外",     "内",     "中",
       "先",   "後",   "窓",     "駅",     "海",     "山",     "川",     "前者",   "後者",
       "側",   "両者"});
  // Where people come from: 地域の方, 一般の方.
  static const std::vector<std::string> kWhence =
      sjis_list({"一般", "地域", "地元", "近所", "近隣", "市内", "市外", "町内", "県内", "県外",
                 "区内", "外国", "海外", "遠方", "関係"});
  static const std::vector<std::string> kHonorificPrefixes = sjis_list({"お", "ご", "御"});
  static const std::string kChuu = common::Sjis("中");
  static const std::string kChuuReading = common::Sjis("ちゅう");
  auto is_honorific_prefix = [&](const Word& word) {
    return word.morpheme.pos1 == "接頭辞" &&
           std::find(kHonorificPrefixes.begin(), kHonorificPrefixes.end(), word.surface) !=
               kHonorificPrefixes.end();
  };
  if (i == 0) return false;
  bool polite = false;
  for (const Word& word : words) {
    polite = polite || is_honorific_prefix(word) || word.morpheme.lemma == "下さる" ||
             word.morpheme.lemma == "願う" || word.morpheme.lemma == "頂く" ||
             word.morpheme.lemma == "様";
  }
  const Word& before = words[i - 1];
  if (before.surface == kNo && i >= 2) {
    const Word& owner = words[i - 2];
    // People in the midst of something (子育て中の方, 妊娠中の方), not the inside (中 なか).
    if (owner.surface == kChuu && owner.reading == kChuuReading) return true;
    for (const std::string& side : kSides) {
      if (owner.surface == side) return false;
    }
    for (const std::string& ending : kPeople) {
      if (EndsWithAny(owner.surface, {ending})) return true;
    }
    // ご希望の方, お急ぎの方; 未経験の方, 初参加の方.
    const Morpheme* prefix = i >= 3 && words[i - 3].last == owner.first ? &words[i - 3].morpheme
                                                                          : nullptr;
    bool activity = owner.morpheme.pos3 == "サ変可能";
    if (prefix != nullptr && (is_honorific_prefix(words[i - 3]) ||
                              (prefix->pos1 == "接頭辞" && activity))) {
      return true;
    }
    bool whence =
        std::find(kWhence.begin(), kWhence.end(), owner.surface) != kWhence.end();
    return polite && (activity || whence);
  }
  return polite && (before.morpheme.pos1 == "動詞" || before.morpheme.pos1 == "助動詞");
}

void Reader::ApplyConventions(const Sentence& sentence, std::vector<Word>& words) const {
  for (std::size_t i = 0; i < words.size(); ++i) {
    Word& word = words[i];
    if (!word.readable) continue;
    ApplyWordConventions(sentence, words, i);
  }
  DoubleNumerals(words);
}

void Reader::ApplyWordConventions(const Sentence& sentence, std::vector<Word>& words,
                                  std::size_t i) const {
  static const std::string kKata = common::Sjis("方");
  Word& word = words[i];
  bool after_word = i > 0 && words[i - 1].last == word.first;
  // Right after a word of kanji, or a noun without kanji (テスト版, ガラス玉, ごみ箱), the word
  // ends a compound.
  bool in_compound =
      after_word && ((words[i - 1].all_target && words[i - 1].readable) ||
                     (EndsCompoundBefore(words[i - 1].morpheme) &&
                      std::none_of(sentence.chars.begin() + words[i - 1].first,
                                   sentence.chars.begin() + words[i - 1].last,
                                   [](const SentenceChar& c) { return IsContextTarget(c.code); })));
  bool before_word = i + 1 < words.size() && words[i + 1].first == word.last;
  // A word that starts a compound reads as it does alone (川 かわ), whatever form of it the
  // analyser took.
  std::uint16_t plain = 0;
  if (!in_compound && IsVoicedKana(CodeAt(word.reading, 0), plain)) {
    std::string alone = HiraganaOf(word.morpheme.lemma_kana);
    if (CodeAt(alone, 0) == plain) word.reading.replace(0, 2, alone.substr(0, 2));
  }
  if (const std::string* ours = conventions_.WordReading(word.surface, word.reading)) {
    word.reading = *ours;
  }
  if (i >= 2 && words[i - 2].last == words[i - 1].first && after_word && word.surface.size() >= 2) {
    if (const auto* phrase = conventions_.PhraseReading(words[i - 2].surface, words[i - 1].surface,
                                                        word.surface.substr(0, 2))) {
      if (word.reading.starts_with(phrase->first)) {
        word.reading = phrase->second + word.reading.substr(phrase->first.size());
      }
    }
  }
  bool starts_phrase =
      i == 0 || words[i - 1].morpheme.pos1 == "助詞" || words[i - 1].morpheme.pos1 == "補助記号";
  if (starts_phrase) {
    if (const std::string* ours = conventions_.AloneReading(word.surface, word.reading)) {
      word.reading = *ours;
    }
  }
  if (after_word) {
    if (const std::string* ours = conventions_.ReadingAfter(words[i - 1].surface, word.surface)) {
      word.reading = *ours;
    }
  }
  if (before_word) {
    if (const std::string* ours = conventions_.ReadingBefore(word.surface, words[i + 1].surface)) {
      word.reading = *ours;
    }
  }
  if (after_word && words[i - 1].morpheme.pos1 == "名詞" &&
      words[i - 1].last - words[i - 1].first >= 2 && !IsNumeral(words[i - 1])) {
    if (const std::string* ours = conventions_.SuffixReading(word.surface)) word.reading = *ours;
  }
  ApplyNumberConventions(sentence, words, i);
  if (word.first > 0 && word.last < sentence.chars.size() &&
      IsOpeningBracket(sentence.chars[word.first - 1].code) &&
      IsClosingBracket(sentence.chars[word.last].code)) {
    if (const std::string* ours = conventions_.WeekdayReading(word.surface)) {
      word.reading = *ours;
    }
  }
  if (word.surface == kKata) {
    // The suffix of 使い方 and やり方 is left as it is; the noun of …方がいい the analyser reads
    // as かた at times.
    if (word.morpheme.pos1 == "名詞" && IsComparison(words, i)) {
      word.reading = common::Sjis("ほう");
    } else if (IsPersonKata(words, i)) {
      word.reading = common::Sjis("かた");
    }
  }
}

// Where the analyser reads a word of the main dictionary as two or more words of kanji, the
// dictionary's reading of the whole holds the sound changes of the compound (株式会社 がいしゃ,
// 日曜日 び) that the analyser's words read apart lose.
void Reader::TakeDictionaryCompounds(std::vector<Word>& words, std::vector<RubySpan>& out) const {
  auto joins = [&](std::size_t i) {
    return words[i].readable && words[i].all_target && !words[i].settled &&
           (i == 0 || !words[i - 1].readable || !words[i - 1].all_target ||
            words[i - 1].last == words[i].first);
  };
  std::size_t start = 0;
  while (start < words.size()) {
    if (!joins(start)) {
      ++start;
      continue;
    }
    std::size_t end = start + 1;
    while (end < words.size() && joins(end) && words[end - 1].last == words[end].first) ++end;
    // Leftmost-longest within words[start, end), whole words only.
    std::size_t s = start;
    while (s + 1 < end) {
      bool took = false;
      for (std::size_t e = end; e >= s + 2 && !took; --e) {
        std::size_t chars = words[e - 1].last - words[s].first;
        if (chars > dictionary::kMaxWordLength) continue;
        std::string surface;
        for (std::size_t w = s; w < e; ++w) surface += words[w].surface;
        Segments segments;
        if (!lexicon_.Find(surface, segments) || segments.back().empty()) continue;
        out.push_back({words[s].first, words[e - 1].last, std::move(segments)});
        for (std::size_t w = s; w < e; ++w) words[w].taken = true;
        s = e;
        took = true;
      }
      if (!took) ++s;
    }
    start = end;
  }
}

// A text divides the same words over and over: each thread keeps the groups it made of each word
// (its characters and reading), placed from the word's first character, up to a bound.
void Reader::DivideWord(const Sentence& sentence, const Word& word,
                        std::vector<RubySpan>& out) const {
  constexpr std::size_t kMostRememberedWords = 1 << 14;
  struct Divided {
    std::uint64_t reader = 0;
    std::unordered_map<std::string, std::vector<RubySpan>> words;
    std::string key;
  };
  thread_local Divided divided;
  if (divided.reader != id_ || divided.words.size() > kMostRememberedWords) {
    divided.words.clear();
    divided.reader = id_;
  }
  // The characters (one byte or two, told apart by the first), then the reading.
  std::string& key = divided.key;
  key.clear();
  for (std::size_t c = word.first; c < word.last; ++c) {
    const SentenceChar& ch = sentence.chars[c];
    if (ch.size == 2) key += static_cast<char>(ch.code >> 8);
    key += static_cast<char>(ch.code & 0xFF);
  }
  key += '\0';
  key += word.reading;
  auto [known, added] = divided.words.try_emplace(key);
  if (added) {
    std::size_t before = out.size();
    DivideNewWord(sentence, word, out);
    for (std::size_t s = before; s < out.size(); ++s) {
      known->second.push_back(
          {out[s].first - word.first, out[s].last - word.first, out[s].segments});
    }
    return;
  }
  for (const RubySpan& span : known->second) {
    out.push_back({word.first + span.first, word.first + span.last, span.segments});
  }
}

void Reader::DivideNewWord(const Sentence& sentence, const Word& word,
                           std::vector<RubySpan>& out) const {
  std::vector<Part> parts;
  std::size_t digits = 0;
  for (std::size_t c = word.first; c < word.last; ++c) {
    std::uint16_t code = sentence.chars[c].code;
    bool target = sentence.chars[c].size == 2 && IsContextTarget(code);
    if (target) {
      if (parts.empty() || !parts.back().literal.empty()) parts.push_back({c, c, "", ""});
      parts.back().last = c + 1;
    } else if (sentence.chars[c].size == 2 && IsKanaCode(code)) {
      parts.push_back({c, c + 1, CharBytes(HiraganaCode(code)), ""});
    } else if (IsDigitCode(code) && parts.empty()) {
      ++digits;
    } else {
      return;  // a letter or sign inside the word: its reading cannot be placed
    }
  }
  if (parts.empty()) return;

  auto chars_of = [&](const Part& part) {
    std::vector<std::string_view> chars;
    for (std::size_t c = part.first; c < part.last; ++c) {
      chars.push_back(sentence.source.substr(sentence.chars[c].offset, 2));
    }
    return chars;
  };
  if (digits > 0) {
    // Digits take no ruby: the kanji after them take their own part of the whole reading.
    if (parts.size() != 1) return;
    std::string run;
    for (std::string_view c : chars_of(parts[0])) run += c;
    std::vector<std::string> candidates;
    if (const std::vector<std::string>* counter = conventions_.CounterReadings(run)) {
      candidates = *counter;
    } else if (parts[0].last - parts[0].first == 1) {
      candidates = lexicon_.ReadingsOf(sentence.chars[parts[0].first].code);
      std::sort(candidates.begin(), candidates.end(),
                [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    }
    const std::string* found = nullptr;
    for (const std::string& candidate : candidates) {
      if (candidate.size() < word.reading.size() && word.reading.ends_with(candidate)) {
        found = &candidate;
        break;
      }
    }
    if (found == nullptr) return;
    out.push_back(
        {parts[0].first, parts[0].last, SplitReading(lexicon_, chars_of(parts[0]), *found)});
    return;
  }
  if (!MatchParts(parts, 0, word.reading)) return;
  for (const Part& part : parts) {
    if (!part.literal.empty()) continue;
    out.push_back({part.first, part.last, SplitReading(lexicon_, chars_of(part), part.reading)});
  }
}

}  // namespace engine::context
