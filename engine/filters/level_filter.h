// The level filter of kanji-test level ruby: a one-character group keeps its reading when the
// kanji's 漢検 level is selected and is reduced to the bare kanji otherwise; groups with a base
// of several characters (熟字訓) always keep theirs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "common/platform/working_files.h"
#include "engine/byte_stream.h"
#include "engine/filters/filter_options.h"

namespace engine {

enum class [[nodiscard]] LevelFilterStatus : int{
    kOk = 1,
    kDictionaryNotLoaded = -30,  // after the dictionary's own message
    kInputFailed = -27,          // "shori_.$rb" could not be opened or read
    kOutputFailed = -28,         // "kanQ_.$rb" could not be opened or written
};

// The level index of a kanji (0 １級 … 11 10級); nullopt for a kanji in no level.
using LevelLookup = std::function<std::optional<int>(std::uint16_t kanji)>;

// Streams `in` to `out` and returns the number of groups that kept their reading. Writes no
// header; see LevelHeader.
int FilterLevels(ByteSource& in, ByteSink& out, const LevelRubyOptions& options,
                 const LevelLookup& level_of);

// The header line of the range kind and the summary with `kept` groups (Shift_JIS).
std::string LevelHeader(const LevelRubyOptions& options, int kept);

// The whole filter on text held in memory, header included when the options ask for it.
std::string FilterLevelsOfText(std::string_view text, const LevelRubyOptions& options,
                               const LevelLookup& level_of);

// Reads "shori_.$rb" and writes "kanQ_.$rb" in `work`, with the level dictionary `dictionary`.
LevelFilterStatus RunLevelFilter(const common::WorkDir& work,
                                 const std::filesystem::path& dictionary,
                                 const LevelRubyOptions& options, common::Messenger& messenger);

}  // namespace engine
