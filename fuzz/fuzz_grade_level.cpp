// Any bytes as the grade dictionary (with any kanji count) and as the level dictionary: each
// is refused or answers lookups from what it loaded.
#include <cstddef>
#include <cstdint>

#include "dictionary/grade_dictionary.h"
#include "dictionary/level_dictionary.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input input(data, size);
  fuzzing::QuietMessenger messenger;
  int kanji_count = input.Int16();
  std::uint16_t probes[4];
  for (std::uint16_t& probe : probes) probe = static_cast<std::uint16_t>(input.Int16());
  std::string_view bytes = input.Rest();
  const std::filesystem::path file = "dictionary.dic";

  // Loaded again for every input, as the program loads them again after a change; nothing of
  // one load may show through the next.
  static dictionary::GradeDictionary grades;
  if (grades.LoadBytes(bytes, file, kanji_count, messenger)) {
    fuzzing::Require(grades.KanjiCount() <= kanji_count, "no more grade entries than asked for");
    for (std::uint16_t probe : probes) {
      if (const dictionary::GradeEntry* entry = grades.Find(probe)) {
        fuzzing::Require(entry->kanji == probe, "a grade lookup finds its own kanji");
      }
    }
  } else {
    fuzzing::Require(grades.KanjiCount() == 0, "a refused grade dictionary is left empty");
  }

  static dictionary::LevelDictionary levels;
  if (levels.LoadBytes(bytes, file, messenger)) {
    for (std::uint16_t probe : probes) (void)levels.LevelIndexOf(probe);
  }
  return 0;
}
