#include "engine/context/reader.h"

#include <string>
#include <vector>

#include "common/encoding/cp932.h"
#include "common/encoding/sjis.h"
#include "engine/context/reader_word.h"
#include "engine/context/reading_split.h"

namespace engine::context {
namespace {

constexpr std::uint16_t kIdeographicSpace = 0x8140;

// The digits right before character `first`, as ASCII ("" when none).
std::string DigitsBefore(const Sentence& sentence, std::size_t first) {
  std::string digits;
  for (std::size_t c = first; c > 0; --c) {
    std::uint16_t code = sentence.chars[c - 1].code;
    if (code >= '0' && code <= '9') {
      digits.insert(digits.begin(), static_cast<char>(code));
    } else if (code >= 0x824F && code <= 0x8258) {
      digits.insert(digits.begin(), static_cast<char>('0' + (code - 0x824F)));
    } else if (code == ',' && !digits.empty()) {
      continue;  // 1,000
    } else {
      break;
    }
  }
  return digits;
}

// The reading of a numeral that doubles its last sound before a counter beginning with
// `next`, or "" where it does not: いち and じゅう before k, s, t and p; ろく, はち and ひゃく
// before k and p.
std::string DoubledNumeral(const std::string& reading, std::uint16_t next) {
  auto row = [next](std::uint16_t from, std::uint16_t to) { return next >= from && next <= to; };
  bool k = row(0x82A9, 0x82B1) && (next - 0x82A9) % 2 == 0;  // かきくけこ
  bool s = row(0x82B3, 0x82BB) && (next - 0x82B3) % 2 == 0;  // さしすせそ
  bool t = next == 0x82BD || next == 0x82BF || next == 0x82C2 || next == 0x82C4 ||
           next == 0x82C6;  // たちつてと
  bool p = next == 0x82CF || next == 0x82D2 || next == 0x82D5 || next == 0x82D8 ||
           next == 0x82DB;  // ぱぴぷぺぽ
  struct Ending {
    const char* plain;
    bool before_s_and_t;
  };
  for (Ending ending : {Ending{"いち", true}, Ending{"じゅう", true}, Ending{"ろく", false},
                        Ending{"はち", false}, Ending{"ひゃく", false}}) {
    std::string sjis = common::Sjis(ending.plain);
    if (!reading.ends_with(sjis)) continue;
    bool doubles = p || k || (ending.before_s_and_t && (s || t));
    if (std::string_view(ending.plain) == "はち") doubles = p;
    if (!doubles) return "";
    return reading.substr(0, reading.size() - 2) + common::Sjis("っ");
  }
  return "";
}

// The number a word of kanji numerals stands for (三 "3", 二十 "20", 百 "100"), as ASCII
// digits; "" for any other word.
std::string KanjiNumber(std::string_view surface) {
  static const std::string kDigits = common::Sjis("〇一二三四五六七八九");
  static const std::string kUnits = common::Sjis("十百千");
  long long total = 0;
  long long digit = -1;
  for (std::size_t i = 0; i + 2 <= surface.size(); i += 2) {
    std::string_view c = surface.substr(i, 2);
    if (std::size_t at = kDigits.find(c); at != std::string::npos && at % 2 == 0) {
      digit = static_cast<long long>(at / 2);
      continue;
    }
    std::size_t unit_at = kUnits.find(c);
    if (unit_at == std::string::npos || unit_at % 2 != 0) return "";
    long long unit = unit_at == 0 ? 10 : unit_at == 2 ? 100 : 1000;
    total += (digit < 0 ? 1 : digit) * unit;
    digit = -1;
  }
  if (digit >= 0) total += digit;
  return total > 0 ? std::to_string(total) : "";
}

}  // namespace

bool Reader::IsNumeral(const Word& word) { return word.morpheme.pos2 == "数詞"; }

bool Reader::IsCounter(const Word& word) {
  return word.morpheme.pos3 == "助数詞" || word.morpheme.pos3 == "助数詞可能";
}

// A kanji numeral, or a word that begins with a digit.
bool Reader::IsNumber(const Sentence& sentence, const Word& word) {
  std::uint16_t code = sentence.chars[word.first].code;
  return IsNumeral(word) || (code >= '0' && code <= '9') || (code >= 0x824F && code <= 0x8258);
}

// 分 between two numbers joined by の is a fraction (3分の1, 四分の三), never minutes.
bool Reader::IsFraction(const Sentence& sentence, const std::vector<Word>& words, std::size_t i) {
  static const std::string kBun = common::Sjis("分");
  static const std::string kNo = common::Sjis("の");
  return words[i].surface == kBun && i > 0 && i + 2 < words.size() &&
         IsNumber(sentence, words[i - 1]) && words[i + 1].surface == kNo &&
         IsNumber(sentence, words[i + 2]);
}

// 対 between two numbers is a score or a ratio (3対2, 三対二), never a pair counted.
bool Reader::IsScore(const Sentence& sentence, const std::vector<Word>& words, std::size_t i) {
  static const std::string kTai = common::Sjis("対");
  return words[i].surface == kTai && i > 0 && i + 1 < words.size() &&
         words[i - 1].last == words[i].first && words[i + 1].first == words[i].last &&
         IsNumber(sentence, words[i - 1]) && IsNumber(sentence, words[i + 1]);
}

// A word that begins with a counter after digits (3日前, 5本目, 10分間): the counter's part of
// the reading becomes the one the number asks for, the rest stays as the analyser read it.
void Reader::ReadCounterAtStart(const Sentence& sentence, Word& word,
                                const std::string& digits) const {
  if (word.last - word.first < 2 || sentence.chars[word.first].size != 2) return;
  std::string counter = word.surface.substr(0, 2);
  const std::string* ours = conventions_.NumberReading(counter, digits);
  if (ours == nullptr) return;
  std::size_t longest = 0;
  for (const std::string& known : lexicon_.ReadingsOf(sentence.chars[word.first].code)) {
    for (const std::string& form : SoundChangeForms(known)) {
      if (form.size() > longest && form.size() < word.reading.size() &&
          word.reading.starts_with(form)) {
        longest = form.size();
      }
    }
  }
  if (longest > 0) {
    word.reading = *ours + word.reading.substr(longest);
    word.settled = true;
  }
}

// Numbers and counters: a counter after digits or kanji numerals takes its part of the whole
// reading as the number asks for it, and 分 between numbers is a fraction.
void Reader::ApplyNumberConventions(const Sentence& sentence, std::vector<Word>& words,
                                    std::size_t i) const {
  static const std::string kNan = common::Sjis("何");
  Word& word = words[i];
  bool after_word = i > 0 && words[i - 1].last == word.first;
  // A counter followed by 曜 names a day of the week (第2月曜日, 第4日曜日), not a count.
  constexpr std::uint16_t kDayOfTheWeek = 0x976A;  // 曜
  bool names_weekday = word.first + 1 < sentence.chars.size() &&
                       sentence.chars[word.first + 1].code == kDayOfTheWeek;
  std::string digits = DigitsBefore(sentence, word.first);
  if (digits.empty() && after_word && words[i - 1].surface == kNan) digits = kNan;
  // A counter set apart from its number by spaces ("3 分", "10　個") reads as it does right
  // after it; a longer word is not taken for one.
  std::size_t spaced = word.first;
  while (spaced > 0 && (sentence.chars[spaced - 1].code == ' ' ||
                        sentence.chars[spaced - 1].code == kIdeographicSpace)) {
    --spaced;
  }
  if (digits.empty() && spaced < word.first && !names_weekday) {
    std::string number = DigitsBefore(sentence, spaced);
    if (const std::string* ours =
            number.empty() ? nullptr : conventions_.NumberReading(word.surface, number)) {
      word.reading = *ours;
      word.settled = true;
    }
  }
  if (names_weekday) {
    // Left to the analyser and the dictionary's word of the day (月曜日 げつようび).
  } else if (IsFraction(sentence, words, i)) {
    word.reading = common::Sjis("ぶん");
    word.settled = true;
  } else if (IsScore(sentence, words, i)) {
    word.reading = common::Sjis("たい");
    word.settled = true;
  } else if (!digits.empty()) {
    // A counter read by its number is not read again as part of a dictionary word, nor is a
    // counter the analyser reads after digits the start of one (8勝目 しょうめ, not 勝目
    // かちめ).
    if (const std::string* ours = conventions_.NumberReading(word.surface, digits)) {
      word.reading = *ours;
      word.settled = true;
    } else {
      ReadCounterAtStart(sentence, word, digits);
    }
    if (IsCounter(word)) word.settled = true;
  } else if (after_word && IsNumeral(words[i - 1])) {
    // After kanji numerals only a longer word is read so (三軒先): a counter alone is left to
    // the dictionary's words of numeral and counter (四月, 七日), which know them better.
    std::string number = KanjiNumber(words[i - 1].surface);
    if (!number.empty()) {
      ReadCounterAtStart(sentence, word, number);
      word.settled = false;  // a dictionary word of numeral and counter still reads it whole
    }
  }
}

void Reader::DoubleNumerals(std::vector<Word>& words) const {
  // A numeral before a counter doubles its last sound as it is said: 一分 いっぷん, 十回
  // じゅっかい, 十種類 じゅっしゅるい, 六本 ろっぽん, 百個 ひゃっこ. The 対 of a score is no
  // counter (一対一 いちたいいち).
  static const std::string kTai = common::Sjis("対");
  static const std::string kTaiReading = common::Sjis("たい");
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    Word& numeral = words[i];
    const Word& counter = words[i + 1];
    if (!numeral.readable || !IsNumeral(numeral) || counter.first != numeral.last ||
        !counter.readable || IsNumeral(counter) ||
        (counter.surface == kTai && counter.reading == kTaiReading)) {
      continue;
    }
    std::string doubled = DoubledNumeral(numeral.reading, CodeAt(counter.reading, 0));
    if (!doubled.empty()) numeral.reading = doubled;
  }
}

}  // namespace engine::context
