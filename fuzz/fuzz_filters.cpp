// Any ruby text through the grade allocation and grade filter, the level filter and the
// line-and-field marking, with options and lookups taken from the input. Each keeps no more
// groups than the text has, and the marking wraps areas without losing a byte of the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "dictionary/grade_dictionary.h"
#include "engine/filters/filter_options.h"
#include "engine/filters/grade_allocation.h"
#include "engine/filters/grade_filter.h"
#include "engine/filters/jukujikun_list.h"
#include "engine/filters/level_filter.h"
#include "engine/markings/line_field_marking.h"
#include "engine/memory_stream.h"
#include "fuzz/fuzz_support.h"

namespace {

std::size_t CountOf(std::string_view text, char wanted) {
  std::size_t count = 0;
  for (char byte : text) count += byte == wanted;
  return count;
}

// The text without the area markers the line-and-field marking adds.
std::string WithoutMarkers(std::string_view text) {
  std::string out;
  for (char byte : text) {
    if (byte != '\x11' && byte != '\x12') out += byte;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input input(data, size);
  engine::GradeRubyOptions grade;
  grade.range_kind = static_cast<int>(input.Byte() % 6);
  grade.lower_grade = static_cast<int>(input.Byte() % 8);
  grade.upper_grade = static_cast<int>(input.Byte() % 8);
  grade.tag = input.Bool();
  grade.header = input.Bool();
  grade.compound_check = input.Bool();
  engine::LevelRubyOptions level;
  level.range_kind = static_cast<int>(input.Byte() % 6);
  level.first_box = static_cast<int>(input.Byte() % 14);
  level.second_box = static_cast<int>(input.Byte() % 14);
  level.tag = input.Bool();
  level.header = input.Bool();
  engine::LineFieldOptions fields;
  fields.mode = static_cast<int>(input.Byte() % 3);
  fields.delete_mark = input.Bool();
  fields.field_kind = static_cast<int>(input.Byte() % 4);
  fields.first_field = static_cast<int>(input.Byte() % 70);
  fields.second_field = static_cast<int>(input.Byte() % 70);
  fields.mark = std::string(input.Field());
  fields.separator = std::string(input.Field());
  unsigned lookup_seed = input.Byte();
  engine::JukujikunList jukujikun;
  jukujikun.SetText(input.Field());
  std::string_view text = input.Rest();
  std::size_t braces = CountOf(text, '{');

  // Every other kanji code is an education kanji of a grade and reading picked by the seed.
  dictionary::GradeEntry entry;
  engine::GradeLookup find = [&](std::uint16_t kanji) -> const dictionary::GradeEntry* {
    if ((kanji ^ lookup_seed) & 1) return nullptr;
    entry.kanji = kanji;
    // Now and then a code of no grade, as a hand-made dictionary may hold.
    entry.grade_code = static_cast<std::uint16_t>(
        lookup_seed & 0x80 ? kanji : dictionary::GradeCodeOf(1 + (kanji + lookup_seed) % 6));
    entry.readings = {std::string(text.substr(0, std::min<std::size_t>(4, text.size())))};
    return &entry;
  };
  if (!engine::ValidateGradeRuby(grade)) {
    std::string allocated =
        engine::AllocateGradesOfText(text, {find, jukujikun, grade.compound_check});
    (void)engine::FilterGradesOfText(allocated, grade);
  }

  engine::LevelLookup level_of = [&](std::uint16_t kanji) -> std::optional<int> {
    int index = (kanji + lookup_seed) % 14;
    if (index == 13) return std::nullopt;
    return index;
  };
  if (!engine::ValidateLevelRuby(level)) {
    std::string filtered = engine::FilterLevelsOfText(text, level, level_of);
    (void)filtered;
    engine::StringSource in(text);
    engine::StringSink out;
    int kept = engine::FilterLevels(in, out, level, level_of);
    fuzzing::Require(kept >= 0 && static_cast<std::size_t>(kept) <= braces,
                     "the level filter keeps no more groups than the text has");
  }

  if (!engine::ValidateLineField(fields) &&
      !engine::CheckMarkDeletion(fields.mark, fields.delete_mark)) {
    std::string marked = engine::MarkLinesAndFields(text, fields);
    if (!fields.delete_mark) {
      fuzzing::Require(WithoutMarkers(marked) == WithoutMarkers(text),
                       "the marking only adds area markers");
    }
  }
  return 0;
}
