// The main dictionary's source (Qv_Body.pre) made from a MeCab lexicon, KANJIDIC and the
// project's own tables under data/default/.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/messenger.h"
#include "dicgen/context_analyser.h"
#include "dicgen/context_entries.h"
#include "dicgen/counters.h"
#include "dicgen/kanjidic.h"
#include "dicgen/lexicon_reader.h"
#include "dicgen/overrides.h"

namespace dicgen {

struct MainSourceInputs {
  std::filesystem::path kanjidic;      // /usr/share/edict/kanjidic
  std::filesystem::path ipadic_dir;    // /usr/share/mecab/dic/ipadic (empty: not used)
  std::filesystem::path unidic_lex;    // /usr/share/mecab/dic/unidic/lex_3_1.csv (empty: not used)
  std::filesystem::path data_dir;      // the project's data/default/ (override table etc.)
  std::filesystem::path analyser_dic;  // /var/lib/mecab/dic/unidic for MeCab (empty: not used)
};

struct MainSourceReport {
  std::size_t words_written = 0;
  std::vector<std::string> dropped;  // one UTF-8 line per reason with its count and examples
  std::string context;               // what the analyser added, or why it was not used
  std::string overlaps;  // the words joined where a word and a context word share kana
};

// The project's tables under MainSourceInputs::data_dir.
inline constexpr std::string_view kOverrideTableName = "overrides.txt";
inline constexpr std::string_view kCounterTableName = "counters.txt";
inline constexpr std::string_view kContextTableName = "contexts.txt";

// Everything the generator reads, read once: the main source and the grade list both draw on
// the lexicon and KANJIDIC, and the lexicon alone takes a few seconds and most of the memory.
struct SourceData {
  std::vector<Override> overrides;
  std::vector<CounterReadings> counters;
  std::vector<ContextPhrases> contexts;
  std::unique_ptr<ContextAnalyser> analyser;  // nullptr: the lexicon's readings alone
  std::string no_analyser;                    // why there is none
  std::vector<KanjiEntry> kanjidic;
  std::vector<LexiconRow> lexicon;
  std::string_view lexicon_name;  // for the source's head
};

// Reads the project's tables first (so that a fault in them costs no time), then KANJIDIC and
// the lexicon: UniDic when its file is given and present, else IPAdic. nullopt after a message.
std::optional<SourceData> ReadSourceData(const MainSourceInputs& inputs,
                                         common::Messenger& messenger);

// Writes the main dictionary source (Shift_JIS, CR LF, the source format) to `pre_path` via a
// temporary file renamed into place; false after a message on failure (nothing left
// half-written). The first form reads its inputs itself; the second empties `data.lexicon` once
// its words are chosen (whatever else needs the rows must use them first).
[[nodiscard]] bool WriteMainSource(const MainSourceInputs& inputs,
                                   const std::filesystem::path& pre_path, MainSourceReport& report,
                                   common::Messenger& messenger);
[[nodiscard]] bool WriteMainSource(SourceData& data, const std::filesystem::path& pre_path,
                                   MainSourceReport& report, common::Messenger& messenger);

}  // namespace dicgen
