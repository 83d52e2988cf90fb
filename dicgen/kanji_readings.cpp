// Candidate readings with their sound changes. A reading appears once per kanji, with the best
// score any of its sources gives it.
#include "dicgen/kanji_readings.h"

#include <algorithm>

#include "dicgen/kana.h"

namespace dicgen {
namespace {

constexpr char32_t kOkuriganaMark = U'.';
constexpr char32_t kAffixMark = U'-';

// The stem form that a verb's okurigana takes inside a compound: る → り, う → い, …
char32_t ContinuativeOf(char32_t c) {
  static constexpr std::u32string_view kDictionary = U"うくぐすつぬぶむる";
  static constexpr std::u32string_view kContinuative = U"いきぎしちにびみり";
  std::size_t at = kDictionary.find(c);
  return at == std::u32string_view::npos ? c : kContinuative[at];
}

// KANJIDIC marks a reading that only follows another part of a word with a leading '-': 付 -づけ.
bool IsSuffixOnly(std::string_view reading) { return reading.starts_with('-'); }

std::u32string WithoutAffixMarks(std::u32string_view reading) {
  std::u32string out;
  for (char32_t c : reading) {
    if (c != kAffixMark) out.push_back(c);
  }
  return out;
}

}  // namespace

std::vector<std::u32string> KunForms(std::u32string_view kun) {
  std::u32string plain = WithoutAffixMarks(kun);
  std::size_t dot = plain.find(kOkuriganaMark);
  if (dot == std::u32string::npos) return {plain};
  std::u32string stem = plain.substr(0, dot);
  std::u32string okurigana = plain.substr(dot + 1);
  std::vector<std::u32string> forms = {stem, stem + okurigana};
  std::u32string continuative = okurigana;
  continuative.back() = ContinuativeOf(continuative.back());
  forms.push_back(stem + continuative);
  if (okurigana.size() > 1 && okurigana.back() == U'る') {  // 受ける → 受け
    forms.push_back(stem + okurigana.substr(0, okurigana.size() - 1));
  }
  return forms;
}

KanjiReadings::KanjiReadings(const std::vector<KanjiEntry>& entries) {
  for (const KanjiEntry& entry : entries) {
    std::u32string kanji = DecodeUtf8(entry.kanji_utf8);
    if (kanji.size() != 1) continue;
    for (const std::string& on : entry.on_hiragana) {
      Add(kanji[0], WithoutAffixMarks(DecodeUtf8(on)), kExactScore, kSoundChangeScore,
          IsSuffixOnly(on));
    }
    for (const std::string& kun : entry.kun) {
      for (const std::u32string& form : KunForms(DecodeUtf8(kun))) {
        Add(kanji[0], form, kExactScore, kSoundChangeScore, IsSuffixOnly(kun));
      }
    }
    for (const std::string& name : entry.nanori) {
      Add(kanji[0], WithoutAffixMarks(DecodeUtf8(name)), kNameScore, kNameSoundChangeScore);
    }
  }
  for (char32_t counter_ke : {U'ヶ', U'ケ'}) {
    for (std::u32string_view kana : {U"か", U"が", U"け", U"こ"}) {
      Add(counter_ke, std::u32string(kana), kExactScore, kSoundChangeScore);
    }
  }
  Add(U'〆', U"しめ", kExactScore, kSoundChangeScore);
}

void KanjiReadings::Add(char32_t kanji, const std::u32string& kana, int score, int changed_score,
                        bool suffix_only) {
  if (kana.empty()) return;
  std::vector<KanjiReading>& list = table_[kanji];
  auto put = [&list](KanjiReading reading) {
    auto same = std::find_if(list.begin(), list.end(), [&](const KanjiReading& known) {
      return known.kana == reading.kana && known.voiced == reading.voiced &&
             known.geminated == reading.geminated;
    });
    if (same == list.end()) {
      list.push_back(std::move(reading));
    } else if (reading.score > same->score) {  // a name reading (作 づくり) says nothing here
      same->score = reading.score;
      same->suffix_only = reading.suffix_only;
    } else if (reading.score == same->score) {
      same->suffix_only = same->suffix_only && reading.suffix_only;
    }
  };
  put({kana, score, false, false, suffix_only});
  for (char32_t first : VoicedForms(kana.front())) {
    put({first + kana.substr(1), changed_score, true, false, suffix_only});
  }
  if (kana.size() > 1 && CanGeminate(kana.back())) {
    std::u32string geminated = kana;
    geminated.back() = U'っ';
    put({geminated, changed_score, false, true, suffix_only});
  }
}

const std::vector<KanjiReading>* KanjiReadings::Find(char32_t kanji) const {
  auto found = table_.find(kanji);
  return found == table_.end() ? nullptr : &found->second;
}

}  // namespace dicgen
