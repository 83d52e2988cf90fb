// A two-digit number reads as its tens and then the unit's reading inside a number:
// 二十三本 = に・じゅう + さんぼん; a round ten reads as its multiplier and the 十 column:
// 三十本 = さん + じゅっぽん.
#include "dicgen/counters.h"

#include <algorithm>

#include "dicgen/data_file.h"
#include "dicgen/kana.h"

namespace dicgen {
namespace {

constexpr std::u32string_view kNumerals = U"一二三四五六七八九十何";
constexpr std::size_t kTenColumn = 9;
constexpr std::array<std::u32string_view, 10> kMultipliers = {
    U"", U"", U"に", U"さん", U"よん", U"ご", U"ろく", U"なな", U"はち", U"きゅう"};
constexpr std::u32string_view kTen = U"じゅう";
constexpr char32_t kNoReading = U'-';
constexpr char32_t kInsideMark = U'/';

std::vector<std::u32string> SplitSpaces(std::u32string_view line) {
  std::vector<std::u32string> fields;
  std::u32string field;
  for (char32_t c : line) {
    if (c == U' ' || c == U'\t' || c == U'　') {
      if (!field.empty()) fields.push_back(std::move(field));
      field.clear();
    } else {
      field.push_back(c);
    }
  }
  if (!field.empty()) fields.push_back(std::move(field));
  return fields;
}

bool IsReading(std::u32string_view text) {
  return std::all_of(text.begin(), text.end(), IsReadingKana);
}

void AddNumbersFrom11To99(const CounterReadings& row, std::vector<CounterWord>& words) {
  for (std::size_t tens = 1; tens <= 9; ++tens) {
    std::u32string prefix = tens > 1 ? std::u32string(1, kNumerals[tens - 1]) : U"";
    prefix += kNumerals[kTenColumn];
    for (std::size_t unit = 0; unit <= 9; ++unit) {
      if (tens == 1 && unit == 0) continue;  // 十 alone is a column of its own
      std::u32string reading(kMultipliers[tens]);
      std::u32string surface = prefix;
      if (unit == 0) {
        reading += row.inside[kTenColumn];
      } else {
        if (row.inside[unit - 1].empty()) continue;
        surface += kNumerals[unit - 1];
        reading += kTen;
        reading += row.inside[unit - 1];
      }
      words.push_back({surface + row.counter, reading});
    }
  }
}

}  // namespace

std::optional<CounterReadings> ParseCounterLine(std::u32string_view line) {
  std::vector<std::u32string> fields = SplitSpaces(line);
  if (fields.size() != kCounterColumns + 1) return std::nullopt;
  CounterReadings row;
  row.counter = fields[0];
  for (std::size_t i = 0; i < kCounterColumns; ++i) {
    const std::u32string& field = fields[i + 1];
    if (field == std::u32string(1, kNoReading)) continue;
    std::size_t mark = field.find(kInsideMark);
    row.alone[i] = field.substr(0, mark);
    row.inside[i] = mark == std::u32string::npos ? field : field.substr(mark + 1);
    if (row.alone[i].empty() || row.inside[i].empty() || !IsReading(row.alone[i]) ||
        !IsReading(row.inside[i])) {
      return std::nullopt;
    }
  }
  return row;
}

std::optional<std::vector<CounterReadings>> ReadCounterTable(const std::filesystem::path& path,
                                                             common::Messenger& messenger) {
  std::vector<CounterReadings> table;
  bool read = ForEachTableLine(path, messenger, [&table](std::u32string_view line) {
    std::optional<CounterReadings> row = ParseCounterLine(line);
    if (row) table.push_back(std::move(*row));
    return row.has_value();
  });
  if (!read) return std::nullopt;
  return table;
}

std::vector<CounterWord> CounterWords(const std::vector<CounterReadings>& table) {
  std::vector<CounterWord> words;
  for (const CounterReadings& row : table) {
    for (std::size_t i = 0; i < kCounterColumns; ++i) {
      if (row.alone[i].empty()) continue;
      words.push_back({kNumerals[i] + row.counter, row.alone[i]});
    }
    if (!row.inside[kTenColumn].empty()) AddNumbersFrom11To99(row, words);
  }
  return words;
}

}  // namespace dicgen
