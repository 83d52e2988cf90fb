// The choices of the grade, level and line-and-field dialogs as plain structs: read from the
// settings record, checked as the dialogs check them, and turned into the bounds the filters use.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/notation/field_entry.h"
#include "common/settings/settings.h"

namespace engine {

// Why a dialog stays open: its own title and text (UTF-8).
struct Refusal {
  std::string title;
  std::string text;
};

// Grade ruby (配当学年るび).
enum class GradeRangeKind : int {
  kSingle = 0,         // one grade
  kRange = 1,          // lower through upper grade
  kAndAbove = 2,       // the grade and above, and every kanji without a grade
  kAndBelow = 3,       // the grade and below
  kEducationOnly = 4,  // every education kanji
};

inline constexpr int kFirstGrade = 1;
inline constexpr int kLastGrade = 6;
inline constexpr int kBeyondLastGrade = 7;  // the high bound of "the grade and above"

struct GradeRubyOptions {
  int range_kind = 1;           // GradeRangeKind
  int lower_grade = 3;          // the left box, 1–6
  int upper_grade = 5;          // the right box, 1–6
  bool tag = false;             // @[教3年] before each kept group
  bool header = false;          // the range and a summary at the top of the result
  bool compound_check = false;  // one-character groups look in the 熟字訓 list first
};

struct GradeBounds {
  int low = 1;
  int high = 6;  // 7 for "the grade and above"
};

GradeRubyOptions GradeRubyOptionsOf(const common::Settings& settings);
void StoreGradeRubyOptions(const GradeRubyOptions& options, common::Settings& settings);
std::optional<Refusal> ValidateGradeRuby(const GradeRubyOptions& options);
// Only for options that passed validation.
GradeBounds GradeBoundsOf(const GradeRubyOptions& options);

// Kanji-test level ruby (漢検級るび). Level indexes: 0 １級, 1 準１級, 2 ２級, 3 準２級,
// 4–10 ３級–９級, 11 10級, and 12 for kanji in no level (級外).
enum class LevelRangeKind : int {
  kSingle = 0,       // the first box's level
  kRange = 1,        // the second box's level (harder) through the first box's (easier)
  kAndAbove = 2,     // the first box's level and every harder one, and 級外
  kAndBelow = 3,     // the first box's level and every easier one down to 10級
  kOutsideOnly = 4,  // 級外 only
};

inline constexpr int kLevelBoxItems = 12;  // １級 … １０級
inline constexpr int kOutsideLevels = 12;  // 級外
inline constexpr int kLevelIndexes = 13;

struct LevelRubyOptions {
  int range_kind = 1;  // LevelRangeKind
  int first_box = 8;   // the easier end of a range
  int second_box = 3;  // the harder end of a range
  bool tag = true;     // @[２級] before each kept group
  bool header = false;
};

using LevelSelection = std::array<bool, kLevelIndexes>;

LevelRubyOptions LevelRubyOptionsOf(const common::Settings& settings);
void StoreLevelRubyOptions(const LevelRubyOptions& options, common::Settings& settings);
std::optional<Refusal> ValidateLevelRuby(const LevelRubyOptions& options);
// Only for options that passed validation.
LevelSelection LevelSelectionOf(const LevelRubyOptions& options);
// The text of a level box item ("２級", "１０級") and the name written in a tag ("２級",
// "10級", "級外"), both Shift_JIS; empty for an index that stands for no level.
std::string LevelBoxText(int index);
std::string LevelTagName(int index);

// Line-and-field ruby (指定行＆フィールドるび).
enum class LineFieldMode : int { kLinesOnly = 0, kFieldsOnly = 1, kLinesAndFields = 2 };
enum class FieldKind : int { kSingle = 0, kRange = 1, kAndAfter = 2, kAndBefore = 3 };

inline constexpr int kFirstField = 1;
inline constexpr int kLastField = 64;

struct LineFieldOptions {
  int mode = 0;              // LineFieldMode
  std::string mark{};        // Shift_JIS: the chosen lines begin with it
  bool delete_mark = false;  // "削除する": the mark leaves the chosen lines
  std::string separator{};   // Shift_JIS as entered (see SeparatorEntry); its first byte counts
  int field_kind = 0;        // FieldKind
  int first_field = 1;
  int second_field = 3;
};

struct FieldBounds {
  int low = 1;
  int high = 1;
};

// Mark handling and separator are not kept in the settings; they come from the caller.
LineFieldOptions LineFieldOptionsOf(const common::Settings& settings, bool delete_mark,
                                    std::string_view separator);
void StoreLineFieldOptions(const LineFieldOptions& options, common::Settings& settings);
std::optional<Refusal> ValidateLineField(const LineFieldOptions& options);
// The refusal of a mark that "削除する" cannot handle; the dialog checks it on every change.
std::optional<Refusal> CheckMarkDeletion(std::string_view mark, bool delete_mark);
// Only for options that passed validation.
FieldBounds FieldBoundsOf(const LineFieldOptions& options);
// The separator as typed, read as every entry of it is.
using common::SeparatorEntry;
using common::SeparatorCode;

}  // namespace engine
