// The per-kanji readings of KANJIDIC (the legacy EUC-JP text file of Debian's kanjidic package).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"

namespace dicgen {

struct KanjiEntry {
  std::string kanji_utf8;
  int grade = 0;      // G field: 1-6 school grades, 8 other jouyou, 9/10 jinmeiyou, 0 none
  int frequency = 0;  // F field, 0 when absent
  std::vector<std::string> on_hiragana;  // on'yomi converted to hiragana, affix marks kept
  std::vector<std::string> kun;     // as in the file: hiragana, '.' before okurigana, '-' affixes
  std::vector<std::string> nanori;  // readings after T1 (and T2)
};

// One line of the file (UTF-8); nullopt for comment lines and lines without a kanji.
std::optional<KanjiEntry> ParseKanjidicLine(std::string_view line_utf8);

// Reads the legacy KANJIDIC file; nullopt after a message when it cannot be read.
std::optional<std::vector<KanjiEntry>> ReadKanjidic(const std::filesystem::path& path,
                                                    common::Messenger& messenger);

}  // namespace dicgen
