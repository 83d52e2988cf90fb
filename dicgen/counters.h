// Numerals with counters (一本 いっぽん, 三人 さんにん, 二十三本, 一ヶ月) from the project's
// counter table, whose readings carry the sound changes that counting makes.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"

namespace dicgen {

inline constexpr std::size_t kCounterColumns = 11;  // 一 … 十, then 何

struct CounterReadings {
  std::u32string counter;
  // Per column, the reading of the word on its own (一人 ひとり) and inside a longer number
  // (十一人 じゅういちにん); empty where the table has "-".
  std::array<std::u32string, kCounterColumns> alone;
  std::array<std::u32string, kCounterColumns> inside;
};

struct CounterWord {
  std::u32string surface;
  std::u32string reading;
};

// One line of the table; nullopt for a line that is not a counter and its readings.
std::optional<CounterReadings> ParseCounterLine(std::u32string_view line);

// Reads the table (UTF-8, '#' comments); nullopt after a message naming a faulty line.
std::optional<std::vector<CounterReadings>> ReadCounterTable(const std::filesystem::path& path,
                                                             common::Messenger& messenger);

// Every word the table makes: 一 … 十 and 何 with each counter, and 十一 … 九十九 with the
// counters that have a reading for 十.
std::vector<CounterWord> CounterWords(const std::vector<CounterReadings>& table);

}  // namespace dicgen
