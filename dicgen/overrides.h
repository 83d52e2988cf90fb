// The project's override table: words whose reading the lexicon gets wrong for ordinary prose
// (名 な, 方 かた, 一人 ひとり …), words it lacks, and words to leave out.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"

namespace dicgen {

// A line "word,reading" as in a dictionary source, but UTF-8: the reading may be split per
// ruby-target character with '*' ("漢字,かん*じ"), or left whole for the generator to split.
// "word,-" removes the word.
struct Override {
  std::u32string surface;
  std::u32string reading;                // without '*'
  std::vector<std::u32string> segments;  // as given, when the line splits the reading
  bool remove = false;
};

std::optional<Override> ParseOverrideLine(std::u32string_view line);

// Reads the table ('#' comments, blank lines); nullopt after a message naming a faulty line.
std::optional<std::vector<Override>> ReadOverrides(const std::filesystem::path& path,
                                                   common::Messenger& messenger);

}  // namespace dicgen
