// Anything after the reading (a space, then a comment) is ignored, as in a dictionary source.
#include "dicgen/overrides.h"

#include "dicgen/data_file.h"
#include "dicgen/kana.h"

namespace dicgen {
namespace {

constexpr char32_t kFieldSeparator = U',';
constexpr char32_t kSegmentMark = U'*';
constexpr std::u32string_view kRemoveMark = U"-";

}  // namespace

std::optional<Override> ParseOverrideLine(std::u32string_view line) {
  std::size_t comma = line.find(kFieldSeparator);
  if (comma == 0 || comma == std::u32string_view::npos) return std::nullopt;
  Override entry;
  entry.surface = line.substr(0, comma);
  std::u32string_view reading = line.substr(comma + 1);
  reading = reading.substr(0, reading.find_first_of(U" \t#"));
  if (reading == kRemoveMark) {
    entry.remove = true;
    return entry;
  }
  std::u32string segment;
  bool split = false;
  for (char32_t c : reading) {
    if (c == kSegmentMark) {
      entry.segments.push_back(std::move(segment));
      segment.clear();
      split = true;
    } else if (IsReadingKana(c)) {
      segment.push_back(c);
      entry.reading.push_back(c);
    } else {
      return std::nullopt;
    }
  }
  if (entry.reading.empty()) return std::nullopt;
  if (split) {
    entry.segments.push_back(std::move(segment));
  }
  return entry;
}

std::optional<std::vector<Override>> ReadOverrides(const std::filesystem::path& path,
                                                   common::Messenger& messenger) {
  std::vector<Override> table;
  bool read = ForEachTableLine(path, messenger, [&table](std::u32string_view line) {
    std::optional<Override> row = ParseOverrideLine(line);
    if (row) table.push_back(std::move(*row));
    return row.has_value();
  });
  if (!read) return std::nullopt;
  return table;
}

}  // namespace dicgen
