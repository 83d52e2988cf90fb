// The main dictionary's source (Qv_Body.pre) made from a MeCab lexicon, KANJIDIC and the
// project's own tables under data/default/.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "common/messenger.h"

namespace dictionary::generator {

struct MainSourceInputs {
  std::filesystem::path kanjidic;    // /usr/share/edict/kanjidic
  std::filesystem::path ipadic_dir;  // /usr/share/mecab/dic/ipadic (empty: not used)
  std::filesystem::path unidic_lex;  // /usr/share/mecab/dic/unidic/lex_3_1.csv (empty: not used)
  std::filesystem::path data_dir;    // the project's data/default/ (override table etc.)
};

struct MainSourceReport {
  std::size_t words_written = 0;
  std::vector<std::string> dropped;  // one UTF-8 line per reason with its count and examples
};

// The project's tables under MainSourceInputs::data_dir.
inline constexpr std::string_view kOverrideTableName = "overrides.txt";
inline constexpr std::string_view kCounterTableName = "counters.txt";

// Writes the main dictionary source (Shift_JIS, CR LF, the source format) to `pre_path` via a
// temporary file renamed into place; false after a message on failure (nothing left
// half-written). UniDic is the lexicon when its file is given and present, else IPAdic.
[[nodiscard]] bool WriteMainSource(const MainSourceInputs& inputs,
                                   const std::filesystem::path& pre_path, MainSourceReport& report,
                                   common::Messenger& messenger);

}  // namespace dictionary::generator
