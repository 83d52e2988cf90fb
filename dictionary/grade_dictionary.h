// The grade-allocation dictionary HaitouNen.dic: for each education kanji (教育漢字) the school
// grade that teaches it and the readings taught with it. Its builder reads dic/教育漢字.txt.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"
#include "common/platform/program_dir.h"

namespace dictionary {

inline constexpr int kLowestGrade = 1, kHighestGrade = 6;
inline constexpr int kGradeCodeBase = 999, kGradeCodeStep = 2000;

// The code a school grade is stored and compared as: grade × 2000 + 999 (grade 3 → 6999), so
// that every code of grades 1–6 has four digits and fits its 16 bits.
constexpr int GradeCodeOf(int grade) { return grade * kGradeCodeStep + kGradeCodeBase; }

struct GradeEntry {
  std::uint16_t kanji = 0;
  std::uint16_t grade_code = 0;
  std::vector<std::string> readings;  // Shift_JIS hiragana
};

class GradeDictionary {
 public:
  // Reads `kanji_count` entries (the setting H_KANJISUU; the file does not store the count). A
  // count beyond the fixed layout is refused with a message naming the setting; a missing or
  // unreadable file, a file too short for the count, or records pointing outside the reading
  // area with the grade dictionary's message naming the file. Either way false, and the
  // dictionary is left empty.
  [[nodiscard]] bool Load(const std::filesystem::path& file, int kanji_count,
                          common::Messenger& messenger);
  // The same from the file's bytes held in memory; `file` only names it in messages.
  [[nodiscard]] bool LoadBytes(std::string_view bytes, const std::filesystem::path& file,
                               int kanji_count, common::Messenger& messenger);
  // The first entry of the kanji in file order; nullptr when absent.
  const GradeEntry* Find(std::uint16_t kanji) const;
  int KanjiCount() const { return static_cast<int>(entries_.size()); }

 private:
  std::vector<GradeEntry> entries_;
  // The first entry of each kanji code, looked up at every group of a text.
  static constexpr std::int16_t kAbsent = -1;
  std::vector<std::int16_t> first_of_;
};

enum class [[nodiscard]] GradeBuildStatus : int{
    kOk = 1,
    kSourceMissing = -1,
    kCannotCreate = -2,
    kNoKanjiField = -3,
    kNoGradeField = -4,  // also a grade outside 1–6, whose code the layout cannot hold
    kOverwriteDeclined = -7,
    kNoReading = -10,
    kOverLimit = -11,           // more kanji or reading bytes than the layout holds
    kSettingsUnwritable = -12,  // H_KANJISUU could not follow, so the old dictionary stays
    kUnencodable = -13,         // a UTF-8 list with a character Shift_JIS cannot hold
};

struct GradeBuildResult {
  GradeBuildStatus status = GradeBuildStatus::kOk;
  int kanji_count = 0;  // entries written; the caller keeps H_KANJISUU equal to it
};

// Builds dic/HaitouNen.dic from dic/教育漢字.txt of `program`. Every message is shown here. The
// dictionary is written to a temporary sibling and put in place only when complete; the old
// one is kept as HaitouNen.di$ (unless such a backup exists already).
GradeBuildResult BuildGradeDictionary(const common::ProgramDir& program,
                                      common::Messenger& messenger);

}  // namespace dictionary
