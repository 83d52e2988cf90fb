// Counting the readings of a lexicon's words per kanji, and choosing the grade list's readings.
#include "dicgen/grade_readings.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

#include "common/encoding/cp932.h"
#include "common/message_format.h"
#include "common/encoding/sjis.h"
#include "common/encoding/sjis_reader.h"
#include "dicgen/entry_selection.h"
#include "dicgen/kana.h"
#include "dicgen/kanji_readings.h"
#include "dicgen/messages.h"
#include "dictionary/grade_dictionary_format.h"

namespace dicgen {
namespace {

using common::FormatMessage;

constexpr char32_t kKeySeparator = U'*';
constexpr char32_t kGeneralMark = U'0';  // ends the key of a general word
constexpr char32_t kNameMark = U'1';     // and of a proper noun
constexpr char32_t kAffixMark = U'-';
constexpr char32_t kSmallTsu = U'っ';

// The education kanji of the current curriculum (学年別漢字配当表).
constexpr int kExpectedEducationKanji = 1026;
// A reading that fewer words than this use is taken for one that pupils do not meet.
constexpr int kMinimumWords = 2;
// A kanji's first readings (usually its on'yomi and its kun'yomi) give way only when no kanji
// has a later reading left to give up.
constexpr std::size_t kProtectedReadings = 2;
constexpr std::size_t kExamplesShown = 3;

// ---- Counting ----

// The kanji of a word with their readings, okurigana aside: the forms of one word (書く, 書か,
// 書き) share it and count as one word.
std::u32string WordKey(const WordEntry& entry, const std::vector<bool>& targets, bool name) {
  std::u32string key;
  for (std::size_t i = 0; i < entry.surface.size(); ++i) {
    if (targets[i]) key.push_back(entry.surface[i]);
  }
  for (const std::u32string& segment : entry.segments) {
    key.push_back(kKeySeparator);
    key += segment;
  }
  key.push_back(name ? kNameMark : kGeneralMark);
  return key;
}

// One word: a reading for each ruby-target character. An empty segment starts group ruby,
// whose reading (on the run's last kanji) belongs to the whole run and counts for none.
void CountWord(const WordEntry& entry, const EncodedWord& word, const SjisTable& sjis,
               UsageTable& usage) {
  std::size_t segment = 0;
  bool in_group = false;
  for (std::size_t i = 0; i < entry.surface.size() && segment < entry.segments.size(); ++i) {
    if (!word.targets[i]) continue;
    const std::u32string& reading = entry.segments[segment++];
    if (reading.empty() || in_group) {
      in_group = reading.empty();
      continue;
    }
    std::optional<std::uint16_t> code = sjis.DoubleByteCode(entry.surface[i]);
    std::optional<std::string> kana = sjis.EncodeReading(reading);
    if (code && kana) ++usage[*code][*kana];
  }
}

// ---- The readings a kanji may have ----

struct BaseReading {
  std::u32string kana;
  bool kanjidic = false;  // as KANJIDIC writes it, not a longer form of a kun'yomi
};

// KANJIDIC's readings as the ruby shows them: on'yomi in hiragana, kun'yomi without their
// okurigana and the longer forms that words without okurigana use (受付 うけ), affix marks
// dropped; each once, in KANJIDIC's order.
std::vector<BaseReading> BaseReadings(const KanjiEntry& entry) {
  std::vector<BaseReading> readings;
  auto add = [&readings](std::u32string kana, bool kanjidic) {
    auto same = [&kana](const BaseReading& r) { return r.kana == kana; };
    if (kana.empty() || std::any_of(readings.begin(), readings.end(), same)) return;
    readings.push_back({std::move(kana), kanjidic});
  };
  for (const std::string& on : entry.on_hiragana) {
    std::u32string kana = DecodeUtf8(on);
    std::erase(kana, kAffixMark);
    add(std::move(kana), true);
  }
  for (const std::string& kun : entry.kun) {
    std::vector<std::u32string> forms = KunForms(DecodeUtf8(kun));
    for (std::size_t i = 0; i < forms.size(); ++i) add(std::move(forms[i]), i == 0);
  }
  return readings;
}

// The reading, its geminated form (学 がく→がっ), its voiced forms (日 ひ→び) and both.
std::vector<std::u32string> SoundForms(const std::u32string& reading) {
  std::vector<std::u32string> forms = {reading};
  if (reading.size() > 1 && CanGeminate(reading.back())) {
    forms.push_back(reading.substr(0, reading.size() - 1) + kSmallTsu);
  }
  std::size_t plain = forms.size();
  for (std::size_t i = 0; i < plain; ++i) {
    for (char32_t voiced : VoicedForms(forms[i].front())) {
      forms.push_back(voiced + forms[i].substr(1));
    }
  }
  return forms;
}

// Shift_JIS hiragana only: the grade dictionary stores a reading as the trail bytes of ぁ–ん.
std::optional<std::string> StorableReading(const std::u32string& reading) {
  std::optional<std::string> sjis = common::Utf8ToCp932(EncodeUtf8(reading));
  if (!sjis || sjis->empty()) return std::nullopt;
  common::SjisReader reader(*sjis);
  while (!reader.AtEnd()) {
    common::SjisChar c = reader.Next();
    if (!c.IsDoubleByte() || !common::IsHiragana(c.Code())) return std::nullopt;
  }
  return sjis;
}

int StoredSize(const std::string& reading) { return static_cast<int>(reading.size() / 2) + 1; }

struct Reading {
  std::string sjis;
  int words = 0;
  bool base = false;  // a reading as KANJIDIC writes it, not a form of one
};

// Every storable form of KANJIDIC's readings in KANJIDIC's order, with the words of `usage`
// that use it.
std::vector<Reading> Candidates(const KanjiEntry& entry, std::uint16_t code,
                                const UsageTable& usage) {
  static const std::map<std::string, int> kNoUse;
  auto found = usage.find(code);
  const std::map<std::string, int>& used = found == usage.end() ? kNoUse : found->second;
  std::vector<Reading> candidates;
  for (const BaseReading& base : BaseReadings(entry)) {
    std::vector<std::u32string> forms = SoundForms(base.kana);
    for (std::size_t i = 0; i < forms.size(); ++i) {
      std::optional<std::string> sjis = StorableReading(forms[i]);
      if (!sjis) continue;
      bool kanjidic = base.kanjidic && i == 0;
      auto same = [&sjis](const Reading& r) { return r.sjis == *sjis; };
      auto known = std::find_if(candidates.begin(), candidates.end(), same);
      if (known != candidates.end()) {
        known->base = known->base || kanjidic;  // 日 か is a reading of its own, not only a form
        continue;
      }
      auto count = used.find(*sjis);
      candidates.push_back({*std::move(sjis), count == used.end() ? 0 : count->second, kanjidic});
    }
  }
  return candidates;
}

bool AnyUsed(const std::vector<Reading>& candidates) {
  return std::any_of(candidates.begin(), candidates.end(),
                     [](const Reading& r) { return r.words >= kMinimumWords; });
}

// ---- Choosing ----

// Examples and counts of what was left out, for one report line each.
struct Omissions {
  int count = 0;
  std::vector<std::string> examples;

  void Add(std::string example) {
    ++count;
    if (examples.size() < kExamplesShown) examples.push_back(std::move(example));
  }
  std::string ExampleText() const {
    std::string text;
    for (const std::string& example : examples) {
      if (!text.empty()) text += messages::kExampleSeparator;
      text += example;
    }
    return text;
  }
};

struct GradeOmissions {
  Omissions not_shift_jis;
  Omissions no_reading;
  Omissions unused;
  Omissions names_only;
  Omissions without_evidence;
  Omissions area_full;
};

struct Chosen {
  std::string kanji;  // Shift_JIS
  std::string kanji_utf8;
  int grade = 0;
  std::vector<Reading> readings;  // most used first
};

std::string Example(const Chosen& kanji, const std::string& reading_sjis) {
  return kanji.kanji_utf8 + "/" + common::Cp932ToUtf8Lossy(reading_sjis);
}

// The used readings, most used first; without any, the most used of the rest (KANJIDIC's first
// when none is used at all), so that the kanji keeps its place and its grade in the list.
void ChooseReadings(std::vector<Reading> candidates, Chosen& kanji, GradeOmissions& omitted) {
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Reading& a, const Reading& b) { return a.words > b.words; });
  for (const Reading& reading : candidates) {
    if (reading.words >= kMinimumWords) kanji.readings.push_back(reading);
  }
  if (kanji.readings.empty()) {
    kanji.readings.push_back(candidates.front());
    omitted.without_evidence.Add(kanji.kanji_utf8);
  }
  // KANJIDIC's own readings are worth naming when left out; their other forms are only guesses.
  for (const Reading& reading : candidates) {
    auto same = [&reading](const Reading& kept) { return kept.sjis == reading.sjis; };
    if (reading.base && std::none_of(kanji.readings.begin(), kanji.readings.end(), same)) {
      omitted.unused.Add(Example(kanji, reading.sjis));
    }
  }
}

// The kanji and its candidates; a kanji that no general word uses takes the names' evidence.
std::optional<Chosen> ChooseForKanji(const KanjiEntry& entry, const ReadingUsage& usage,
                                     GradeOmissions& omitted) {
  std::optional<std::string> kanji = common::Utf8ToCp932(entry.kanji_utf8);
  if (!kanji || kanji->size() != 2) {
    omitted.not_shift_jis.Add(entry.kanji_utf8);
    return std::nullopt;
  }
  std::uint16_t code = common::CodeOf(static_cast<unsigned char>((*kanji)[0]),
                                      static_cast<unsigned char>((*kanji)[1]));
  std::vector<Reading> candidates = Candidates(entry, code, usage.general);
  if (!AnyUsed(candidates)) {
    std::vector<Reading> in_names = Candidates(entry, code, usage.names);
    if (AnyUsed(in_names)) {
      candidates = std::move(in_names);
      omitted.names_only.Add(entry.kanji_utf8);
    }
  }
  if (candidates.empty()) {
    omitted.no_reading.Add(entry.kanji_utf8);
    return std::nullopt;
  }
  Chosen chosen{*std::move(kanji), entry.kanji_utf8, entry.grade, {}};
  ChooseReadings(std::move(candidates), chosen, omitted);
  return chosen;
}

int ReadingBytes(const std::vector<Chosen>& kanji) {
  int bytes = 0;
  for (const Chosen& k : kanji) {
    for (const Reading& r : k.readings) bytes += StoredSize(r.sjis);
  }
  return bytes;
}

struct Spare {
  bool protected_reading;
  int words;
  std::size_t kanji;
  std::size_t position;
};

// Every reading but each kanji's first, in the order they give way: the least used first, but
// those after each kanji's first two before any second one. Without that order a kanji that
// many words use (numerals with counters) would crowd out another's second reading (答 こた).
std::vector<Spare> SpareReadings(const std::vector<Chosen>& kanji) {
  std::vector<Spare> spares;
  for (std::size_t k = 0; k < kanji.size(); ++k) {
    for (std::size_t p = 1; p < kanji[k].readings.size(); ++p) {
      spares.push_back({p < kProtectedReadings, kanji[k].readings[p].words, k, p});
    }
  }
  std::stable_sort(spares.begin(), spares.end(), [](const Spare& a, const Spare& b) {
    if (a.protected_reading != b.protected_reading) return b.protected_reading;
    return a.words < b.words;
  });
  return spares;
}

// While the readings overflow the reading area, spare readings go.
void FitReadingArea(std::vector<Chosen>& kanji, GradeOmissions& omitted) {
  int bytes = ReadingBytes(kanji);
  std::vector<std::vector<bool>> dropped(kanji.size());
  for (std::size_t k = 0; k < kanji.size(); ++k) dropped[k].resize(kanji[k].readings.size());
  for (const Spare& spare : SpareReadings(kanji)) {
    if (bytes <= static_cast<int>(dictionary::kGradeReadingAreaSize)) break;
    const Reading& reading = kanji[spare.kanji].readings[spare.position];
    bytes -= StoredSize(reading.sjis);
    dropped[spare.kanji][spare.position] = true;
    omitted.area_full.Add(Example(kanji[spare.kanji], reading.sjis));
  }
  for (std::size_t k = 0; k < kanji.size(); ++k) {
    std::vector<Reading> kept;
    for (std::size_t p = 0; p < kanji[k].readings.size(); ++p) {
      if (!dropped[k][p]) kept.push_back(std::move(kanji[k].readings[p]));
    }
    kanji[k].readings = std::move(kept);
  }
}

void AddLine(std::vector<std::string>& report, std::string_view pattern, const Omissions& omitted,
             bool with_minimum = false) {
  if (omitted.count == 0) return;
  report.push_back(
      with_minimum ? FormatMessage(pattern, {std::int64_t{kMinimumWords},
                                             std::int64_t{omitted.count}, omitted.ExampleText()})
                   : FormatMessage(pattern, {std::int64_t{omitted.count}, omitted.ExampleText()}));
}

std::vector<std::string> Report(const GradeOmissions& omitted, int education_kanji) {
  std::vector<std::string> report;
  if (education_kanji != kExpectedEducationKanji) {
    report.push_back(
        FormatMessage(messages::kEducationKanjiCount, {std::int64_t{education_kanji}}));
  }
  AddLine(report, messages::kKanjiNotShiftJis, omitted.not_shift_jis);
  AddLine(report, messages::kKanjiWithoutReading, omitted.no_reading);
  AddLine(report, messages::kUnusedReadings, omitted.unused, true);
  AddLine(report, messages::kReadingsFromNames, omitted.names_only);
  AddLine(report, messages::kReadingWithoutEvidence, omitted.without_evidence, true);
  AddLine(report, messages::kReadingAreaFull, omitted.area_full);
  return report;
}

}  // namespace

ReadingUsage CountLexiconUsage(const std::vector<LexiconRow>& rows,
                               const std::vector<KanjiEntry>& kanjidic) {
  SjisTable sjis;
  KanjiReadings readings(kanjidic);
  ReadingUsage usage;
  std::unordered_set<std::u32string> counted;
  for (const LexiconRow& row : rows) {
    DropReason reason = DropReason::kReadingMismatch;  // a row that does not fit is no evidence
    std::optional<WordEntry> entry = MakeEntry(row.surface, row.reading, sjis, readings, reason);
    if (!entry) continue;
    std::optional<EncodedWord> word = sjis.EncodeWord(entry->surface);
    if (counted.insert(WordKey(*entry, word->targets, row.proper_noun)).second) {
      CountWord(*entry, *word, sjis, row.proper_noun ? usage.names : usage.general);
    }
  }
  return usage;
}

GradeReadings ChooseGradeReadings(const std::vector<KanjiEntry>& kanjidic,
                                  const ReadingUsage& usage) {
  GradeOmissions omitted;
  std::vector<Chosen> chosen;
  int education_kanji = 0;
  for (int grade = kFirstSchoolGrade; grade <= kLastSchoolGrade; ++grade) {
    for (const KanjiEntry& entry : kanjidic) {
      if (entry.grade != grade) continue;
      ++education_kanji;
      if (std::optional<Chosen> kanji = ChooseForKanji(entry, usage, omitted)) {
        chosen.push_back(*std::move(kanji));
      }
    }
  }
  FitReadingArea(chosen, omitted);
  GradeReadings result;
  result.reading_bytes = ReadingBytes(chosen);
  result.report = Report(omitted, education_kanji);
  for (Chosen& kanji : chosen) {
    GradeKanji& out =
        result.kanji.emplace_back(GradeKanji{std::move(kanji.kanji), kanji.grade, {}});
    for (Reading& reading : kanji.readings) out.readings.push_back(std::move(reading.sjis));
  }
  return result;
}

}  // namespace dicgen
