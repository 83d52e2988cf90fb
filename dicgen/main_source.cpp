// From the lexicon's rows to the written source: one reading per surface, the forms that keep
// compounds whole, counted numerals, single kanji that no word covers, the override table, and
// last the format's limits.
#include "dicgen/main_source.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include "common/encoding/cp932.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/encoding/sjis.h"
#include "common/encoding/text_file.h"
#include "dicgen/compound_forms.h"
#include "dicgen/context_forms.h"
#include "dicgen/counters.h"
#include "dicgen/entry_selection.h"
#include "dicgen/format_limits.h"
#include "dicgen/kana.h"
#include "dicgen/kanjidic.h"
#include "dicgen/messages.h"
#include "dicgen/overrides.h"
#include "dicgen/redundant_forms.h"

namespace dicgen {
namespace {

// Comment lines at the head of the source (each well under the 127 bytes the builder reads as
// one line, or its rest would be read as a line of its own).
constexpr std::string_view kHeadLines[] = {
    "# 主辞書の元ファイル。mirukaze-cli make-default-dic が作りました。",
    "# 語と読み: %s",
    "# 漢字ごとの読みの分け方: KANJIDIC (EDRDG, CC BY-SA 4.0)",
    "# 手直しの表: data/default/overrides.txt, counters.txt",
};
constexpr std::string_view kUnidicName = "UniDic 3.1 (unidic-mecab, BSD)";
constexpr std::string_view kIpadicName = "IPAdic 2.7.0 (mecab-ipadic, IPAdic licence)";
constexpr std::string_view kUnidicAndIpadicName =
    "UniDic 3.1 (unidic-mecab, BSD), 複合語 IPAdic 2.7.0 (mecab-ipadic)";

// UniDic divides words into short units (水蒸気 as 水 + 蒸気), and the analyser reads each unit
// as if it stood alone (水 みず). IPAdic lists many such compounds whole: those of two kanji or
// more that UniDic lacks join the lexicon, so that a run of units is read as the word it is.
// Names of people and places stay out: their readings are their bearers' own.
constexpr std::size_t kShortestCompound = 2;

bool IsCompoundRow(const LexiconRow& row) {
  return row.surface.size() >= kShortestCompound && !row.name && !row.affix &&
         !row.classical && !row.sahen_verb &&
         std::all_of(row.surface.begin(), row.surface.end(),
                     [](char32_t c) { return IsKanji(c) || c == U'々'; });
}

void AddCompounds(std::vector<LexiconRow> compounds, std::vector<LexiconRow>& rows) {
  std::unordered_set<std::u32string> known;
  known.reserve(rows.size());
  for (const LexiconRow& row : rows) known.insert(row.surface);
  for (LexiconRow& row : compounds) {
    if (IsCompoundRow(row) && !known.contains(row.surface)) rows.push_back(std::move(row));
  }
}

// Reads the lexicon's rows and the name the source's head gives it; false after a message.
bool ReadLexicon(const MainSourceInputs& inputs, SourceData& data, common::Messenger& messenger) {
  std::optional<std::vector<LexiconRow>> rows;
  if (!inputs.unidic_lex.empty() && common::FileExists(inputs.unidic_lex)) {
    rows = ReadUnidicLexicon(inputs.unidic_lex, messenger);
    data.lexicon_name = kUnidicName;
    if (rows && !inputs.ipadic_dir.empty() && std::filesystem::is_directory(inputs.ipadic_dir)) {
      std::optional<std::vector<LexiconRow>> compounds =
          ReadIpadicLexicon(inputs.ipadic_dir, messenger);
      if (!compounds) return false;
      AddCompounds(std::move(*compounds), *rows);
      data.lexicon_name = kUnidicAndIpadicName;
    }
  } else if (!inputs.ipadic_dir.empty() && std::filesystem::is_directory(inputs.ipadic_dir)) {
    rows = ReadIpadicLexicon(inputs.ipadic_dir, messenger);
    data.lexicon_name = kIpadicName;
  } else {
    messenger.Tell({std::string(messages::kTitleGenerator), std::string(messages::kNoLexicon),
                    common::Icon::kError});
    return false;
  }
  if (!rows) return false;
  data.lexicon = std::move(*rows);
  return true;
}

// The reading KANJIDIC gives a kanji on its own: its first on'yomi, else its first kun'yomi's
// stem, without affix marks.
std::u32string PlainReading(const KanjiEntry& entry) {
  if (!entry.on_hiragana.empty()) return KunForms(DecodeUtf8(entry.on_hiragana.front())).front();
  if (!entry.kun.empty()) return KunForms(DecodeUtf8(entry.kun.front())).front();
  return {};
}

bool IsRubyTarget(const SjisTable& sjis, char32_t c) {
  std::optional<std::uint16_t> code = sjis.DoubleByteCode(c);
  return code && common::IsRubyTarget(*code);
}

class WordSet {
 public:
  // Adds `entry` unless a word of the same surface is there already.
  void AddIfNew(WordEntry entry) { words_.try_emplace(entry.surface, std::move(entry)); }
  void Replace(WordEntry entry) { words_.insert_or_assign(entry.surface, std::move(entry)); }
  void Remove(const std::u32string& surface) { words_.erase(surface); }
  bool Contains(const std::u32string& surface) const { return words_.contains(surface); }
  // Empties the set.
  std::vector<WordEntry> Take() {
    std::vector<WordEntry> out;
    out.reserve(words_.size());
    for (auto& [surface, entry] : words_) out.push_back(std::move(entry));
    words_.clear();
    return out;
  }

 private:
  std::map<std::u32string, WordEntry> words_;
};

// Counted numerals replace the lexicon's words: it lists few, and some with a reading that is
// rare in prose (一度 ひとたび, 三本 as a name).
void AddCounters(const SourceData& data, const SjisTable& sjis, const KanjiReadings& readings,
                 WordSet& words, DropLog& drops) {
  for (const CounterWord& word : CounterWords(data.counters)) {
    DropReason reason = DropReason::kReadingMismatch;
    std::optional<WordEntry> entry = MakeEntry(word.surface, word.reading, sjis, readings, reason);
    if (!entry) {
      drops.Add(DropReason::kTableLineUnfit, word.surface);
      continue;
    }
    entry->rank = kCounterRank;
    words.Replace(std::move(*entry));
  }
}

void AddSingleKanji(const std::vector<KanjiEntry>& kanjidic, const SjisTable& sjis,
                    WordSet& words) {
  for (const KanjiEntry& kanji : kanjidic) {
    std::u32string surface = DecodeUtf8(kanji.kanji_utf8);
    std::u32string reading = PlainReading(kanji);
    if (reading.empty() || words.Contains(surface) || !sjis.EncodeWord(surface)) continue;
    if (!sjis.EncodeReading(reading)) continue;
    words.AddIfNew({surface, {reading}, kKanjidicRank});
  }
}

// Returns the overriding words, for ContextProtectingForms: those that begin with a context (の中)
// or hold kana before their closing kanji (読む時) get guards for the longer words after them.
std::vector<WordEntry> ApplyOverrides(const SourceData& data, const SjisTable& sjis,
                                      const KanjiReadings& readings, WordSet& words,
                                      DropLog& drops) {
  std::vector<WordEntry> context_words;
  for (const Override& line : data.overrides) {
    if (line.remove) {
      words.Remove(line.surface);
      continue;
    }
    DropReason reason = DropReason::kReadingMismatch;
    std::optional<WordEntry> entry =
        MakeEntryFromTargetReading(line.surface, line.reading, sjis, readings, reason);
    if (!entry) {  // whatever the cause, the fault is our table's
      drops.Add(DropReason::kTableLineUnfit, line.surface);
      continue;
    }
    if (!line.segments.empty()) {
      if (line.segments.size() != entry->segments.size()) {
        drops.Add(DropReason::kTableLineUnfit, line.surface);
        continue;
      }
      entry->segments = line.segments;
    }
    entry->rank = kOverrideRank;
    context_words.push_back(*entry);
    words.Replace(std::move(*entry));
  }
  return context_words;
}

// The tables' own words, which the analyser never changes.
std::vector<std::u32string> TableSurfaces(const SourceData& data) {
  std::vector<std::u32string> surfaces;
  for (const Override& line : data.overrides) surfaces.push_back(line.surface);
  for (const CounterWord& word : CounterWords(data.counters)) surfaces.push_back(word.surface);
  return surfaces;
}

std::string ContextSummary(const SourceData& data, const ContextEntryReport& context) {
  if (!data.analyser) {
    return common::FormatMessage(messages::kContextFallback, {data.no_analyser});
  }
  return common::FormatMessage(messages::kContextSummary,
                               {static_cast<std::int64_t>(context.forms_dropped),
                                static_cast<std::int64_t>(context.entries_written),
                                static_cast<std::int64_t>(context.bytes_added)});
}

std::string OverlapSummary(const KanaOverlapForms& overlaps) {
  std::string examples;
  for (const std::u32string& example : overlaps.examples_left) {
    if (!examples.empty()) examples += messages::kExampleSeparator;
    examples += EncodeUtf8(example);
  }
  return common::FormatMessage(messages::kKanaOverlapSummary,
                               {static_cast<std::int64_t>(overlaps.forms.size()),
                                static_cast<std::int64_t>(overlaps.overlaps_left), examples});
}

std::vector<WordEntry> ChooseWords(SourceData& data, const SjisTable& sjis, DropLog& drops,
                                   ContextEntryReport& context, std::string& overlap_summary) {
  KanjiReadings readings(data.kanjidic);
  std::vector<WordEntry> chosen = SelectReadings(data.lexicon, sjis, readings, drops);
  std::vector<WordEntry> sahen_forms = SahenCompoundForms(data.lexicon, chosen);
  // The lexicon's rows are the bulk of the memory, and the analyser maps hundreds of megabytes
  // of its own: the rows go before it runs.
  std::vector<LexiconRow>().swap(data.lexicon);
  WordSet words;
  for (WordEntry& entry : chosen) words.AddIfNew(std::move(entry));
  AddCounters(data, sjis, readings, words, drops);
  for (WordEntry& entry : sahen_forms) words.AddIfNew(std::move(entry));
  AddSingleKanji(data.kanjidic, sjis, words);
  std::vector<WordEntry> context_words = ApplyOverrides(data, sjis, readings, words, drops);
  auto has_ruby = [&sjis](char32_t c) { return IsRubyTarget(sjis, c); };
  std::vector<WordEntry> all = words.Take();
  std::vector<WordEntry> context_forms = ContextProtectingForms(context_words, all, has_ruby);
  KanaOverlapForms overlaps = FormsForKanaOverlaps(context_words, context_forms, all, has_ruby);
  overlap_summary = OverlapSummary(overlaps);
  for (WordEntry& entry : all) words.AddIfNew(std::move(entry));
  for (WordEntry& form : context_forms) {
    // These only guard longer words; one that would not fit a line is not worth a report.
    if (FitsSourceLine(form)) words.AddIfNew(std::move(form));
  }
  for (WordEntry& form : overlaps.forms) {
    if (FitsSourceLine(form)) words.AddIfNew(std::move(form));
  }
  // Before the redundant forms go: a particle key that the analyser removes (上が) leaves the
  // longer forms of its verb (上がっ, 上がる) to stand on their own.
  std::vector<WordEntry> chosen_words = words.Take();
  if (data.analyser) {
    DistilContext(*data.analyser, data.contexts, TableSurfaces(data), chosen_words, context);
  }
  return DropRedundantForms(std::move(chosen_words), has_ruby);
}

[[nodiscard]] bool WriteLines(const std::vector<SourceLine>& lines, std::string_view lexicon_name,
                              const std::filesystem::path& path) {
  common::TextWriter out;
  if (!out.Open(path)) return false;
  for (std::string_view head : kHeadLines) {
    out.Write(common::Utf8ToCp932Lossy(common::FormatMessage(head, {lexicon_name})));
    out.Put('\n');
  }
  for (const SourceLine& line : lines) {
    out.Write(line.text);
    out.Put('\n');
  }
  return out.CloseSynced();
}

[[nodiscard]] bool WriteInPlace(const std::vector<SourceLine>& lines, std::string_view lexicon_name,
                                const std::filesystem::path& pre_path,
                                common::Messenger& messenger) {
  std::filesystem::path temporary = common::TemporarySibling(pre_path);
  if (!WriteLines(lines, lexicon_name, temporary) || !common::MoveFile(temporary, pre_path)) {
    common::RemoveFile(temporary);  // a leftover is only clutter; the fault is told below
    messenger.Tell({std::string(messages::kTitleGenerator),
                    common::FormatMessage(messages::kCannotWriteSource, {pre_path.string()}),
                    common::Icon::kError});
    return false;
  }
  return true;
}

}  // namespace

std::optional<SourceData> ReadSourceData(const MainSourceInputs& inputs,
                                         common::Messenger& messenger) {
  SourceData data;
  std::optional<std::vector<Override>> overrides =
      ReadOverrides(inputs.data_dir / kOverrideTableName, messenger);
  if (!overrides) return std::nullopt;
  data.overrides = std::move(*overrides);
  std::optional<std::vector<CounterReadings>> counters =
      ReadCounterTable(inputs.data_dir / kCounterTableName, messenger);
  if (!counters) return std::nullopt;
  data.counters = std::move(*counters);
  std::optional<std::vector<KanjiEntry>> kanjidic = ReadKanjidic(inputs.kanjidic, messenger);
  if (!kanjidic) return std::nullopt;
  data.kanjidic = std::move(*kanjidic);
  // The context table serves the analyser only; a data folder without one gives no such keys.
  std::filesystem::path context_table = inputs.data_dir / kContextTableName;
  if (common::FileExists(context_table)) {
    std::optional<std::vector<ContextPhrases>> contexts =
        ReadContextTable(context_table, messenger);
    if (!contexts) return std::nullopt;
    data.contexts = std::move(*contexts);
  }
  if (!ReadLexicon(inputs, data, messenger)) return std::nullopt;
  // The analyser reads with UniDic: beside IPAdic's words its readings would not match.
  if (data.lexicon_name != kIpadicName) {
    data.analyser = OpenMecab(inputs.analyser_dic, data.no_analyser);
  } else {
    data.no_analyser = std::string(messages::kNoUnidicForAnalyser);
  }
  return data;
}

bool WriteMainSource(const MainSourceInputs& inputs, const std::filesystem::path& pre_path,
                     MainSourceReport& report, common::Messenger& messenger) {
  std::optional<SourceData> data = ReadSourceData(inputs, messenger);
  return data && WriteMainSource(*data, pre_path, report, messenger);
}

bool WriteMainSource(SourceData& data, const std::filesystem::path& pre_path,
                     MainSourceReport& report, common::Messenger& messenger) {
  SjisTable sjis;
  DropLog drops;
  ContextEntryReport context;
  std::vector<WordEntry> words = ChooseWords(data, sjis, drops, context, report.overlaps);
  std::vector<SourceLine> lines = FitFormatLimits(words, sjis, drops);
  if (!WriteInPlace(lines, data.lexicon_name, pre_path, messenger)) return false;
  report.words_written = lines.size();
  report.dropped = drops.Lines();
  report.context = ContextSummary(data, context);
  return true;
}

}  // namespace dicgen
