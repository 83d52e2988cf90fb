// The school lists of HOME/dic, made from KANJIDIC: the grade list 教育漢字.txt (each education
// kanji with its grade and the readings pupils meet) and the twelve kanji-test lists of q_file/.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "dicgen/grade_readings.h"
#include "dicgen/kanjidic.h"
#include "dictionary/level_dictionary.h"

namespace dicgen {

struct GradeList {
  std::string bytes;                // 教育漢字.txt: Shift_JIS, CR LF
  int kanji_count = 0;              // the lines that are not comments
  std::vector<std::string> report;  // UTF-8 lines: what was left out and why
};

// The grade list: each education kanji with its grade and the readings ChooseGradeReadings
// gives it, numbered in grade order.
GradeList MakeGradeList(const std::vector<KanjiEntry>& kanjidic, const ReadingUsage& usage);

struct LevelLists {
  std::array<std::string, dictionary::kLevelCount> bytes;  // in level-index order: q1.txt … q10.txt
  int kanji_count = 0;
  std::vector<std::string> report;
};

// Levels 10級 to 5級 are school grades 1 to 6. No installed list tells the higher levels apart,
// so each group KANJIDIC knows is kept whole at the level that examines all of it: the other
// jouyou kanji at 2級, the kanji for names at 1級. The lists of 4級, 3級, 準2級 and 準1級 hold
// only a comment that says where their kanji are.
LevelLists MakeLevelLists(const std::vector<KanjiEntry>& kanjidic);

// Writes 教育漢字.txt and q_file/*.txt into the dic/ folder of `program`, each file replaced
// in one step. False after a message when a file cannot be written.
[[nodiscard]] bool WriteSchoolLists(const common::ProgramDir& program, const GradeList& grades,
                                    const LevelLists& levels, common::Messenger& messenger);

}  // namespace dicgen
