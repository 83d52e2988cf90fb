// Reading, checking and bounding the choices of the three filter dialogs.
#include "engine/filters/filter_options.h"

#include <cstdint>

#include "common/encoding/cp932.h"
#include "common/notation/field_entry.h"
#include "common/message_format.h"
#include "common/encoding/sjis.h"
#include "common/encoding/sjis_reader.h"
#include "engine/messages.h"

namespace engine {
namespace {

Refusal RefusalOf(std::string_view title, std::string_view text) {
  return {std::string(title), std::string(text)};
}

std::optional<Refusal> OutOfRange(std::string_view key, int value, int low, int high) {
  if (value >= low && value <= high) return std::nullopt;
  return Refusal{std::string(messages::kTitleCautionBang),
                 common::FormatMessage(messages::kSettingOutOfRange, {key, std::int64_t{value}})};
}

bool IsLevelBoxIndex(int index) { return index >= 0 && index < kLevelBoxItems; }

}  // namespace

GradeRubyOptions GradeRubyOptionsOf(const common::Settings& settings) {
  return {.range_kind = settings.grade_range_type,
          .lower_grade = settings.grade_low,
          .upper_grade = settings.grade_high,
          .tag = settings.grade_add_flag != 0,
          .header = settings.grade_ruby_out_flag != 0,
          .compound_check = settings.compound_check != 0};
}

void StoreGradeRubyOptions(const GradeRubyOptions& options, common::Settings& settings) {
  settings.grade_range_type = options.range_kind;
  settings.grade_low = options.lower_grade;
  settings.grade_high = options.upper_grade;
  settings.grade_add_flag = options.tag ? 1 : 0;
  settings.grade_ruby_out_flag = options.header ? 1 : 0;
  settings.compound_check = options.compound_check ? 1 : 0;
}

std::optional<Refusal> ValidateGradeRuby(const GradeRubyOptions& options) {
  if (auto refusal = OutOfRange("NENSETTYPE", options.range_kind, 0, 4)) return refusal;
  if (auto refusal = OutOfRange("NENSITA", options.lower_grade, kFirstGrade, kLastGrade)) {
    return refusal;
  }
  if (options.range_kind == static_cast<int>(GradeRangeKind::kRange)) {
    if (auto refusal = OutOfRange("NENUE", options.upper_grade, kFirstGrade, kLastGrade)) {
      return refusal;
    }
    if (options.upper_grade < options.lower_grade) {
      return RefusalOf(messages::kTitleConfirm, messages::kGradeRangeReversed);
    }
  }
  return std::nullopt;
}

GradeBounds GradeBoundsOf(const GradeRubyOptions& options) {
  switch (static_cast<GradeRangeKind>(options.range_kind)) {
    case GradeRangeKind::kSingle:
      return {options.lower_grade, options.lower_grade};
    case GradeRangeKind::kRange:
      return {options.lower_grade, options.upper_grade};
    case GradeRangeKind::kAndAbove:
      return {options.lower_grade, kBeyondLastGrade};
    case GradeRangeKind::kAndBelow:
      return {kFirstGrade, options.lower_grade};
    case GradeRangeKind::kEducationOnly:
      break;
  }
  return {kFirstGrade, kLastGrade};
}

LevelRubyOptions LevelRubyOptionsOf(const common::Settings& settings) {
  return {.range_kind = settings.level_range_type,
          .first_box = settings.level_high,  // KANQSETMAXV
          .second_box = settings.level_low,  // KANQSETMINV
          .tag = settings.level_check_box != 0,
          .header = settings.level_tag_flag != 0};  // KANQJOUTFLAG
}

void StoreLevelRubyOptions(const LevelRubyOptions& options, common::Settings& settings) {
  settings.level_range_type = options.range_kind;
  settings.level_high = options.first_box;
  settings.level_low = options.second_box;
  settings.level_check_box = options.tag ? 1 : 0;
  settings.level_tag_flag = options.header ? 1 : 0;
}

std::optional<Refusal> ValidateLevelRuby(const LevelRubyOptions& options) {
  if (auto refusal = OutOfRange("KANQSETTYPE", options.range_kind, 0, 4)) return refusal;
  if (options.range_kind == static_cast<int>(LevelRangeKind::kRange) &&
      options.second_box >= options.first_box) {
    return RefusalOf(messages::kTitleCautionDouble, messages::kLevelRangeReversed);
  }
  if (!IsLevelBoxIndex(options.first_box) || !IsLevelBoxIndex(options.second_box)) {
    return RefusalOf(messages::kTitleCautionDouble, messages::kLevelNotChosen);
  }
  return std::nullopt;
}

LevelSelection LevelSelectionOf(const LevelRubyOptions& options) {
  LevelSelection selected{};
  auto select = [&selected](int from, int through) {
    for (int index = from; index <= through; ++index)
      selected[static_cast<std::size_t>(index)] = true;
  };
  switch (static_cast<LevelRangeKind>(options.range_kind)) {
    case LevelRangeKind::kSingle:
      select(options.first_box, options.first_box);
      break;
    case LevelRangeKind::kRange:
      select(options.second_box, options.first_box);
      break;
    case LevelRangeKind::kAndAbove:
      select(0, options.first_box);
      select(kOutsideLevels, kOutsideLevels);
      break;
    case LevelRangeKind::kAndBelow:
      select(options.first_box, kLevelBoxItems - 1);
      break;
    case LevelRangeKind::kOutsideOnly:
      select(kOutsideLevels, kOutsideLevels);
      break;
  }
  return selected;
}

std::string LevelBoxText(int index) {
  static constexpr std::array<std::string_view, kLevelBoxItems> kItems = {
      "１級", "準１級", "２級", "準２級", "３級", "４級",
      "５級", "６級",   "７級", "８級",   "９級", "１０級"};
  if (!IsLevelBoxIndex(index)) return {};
  return common::Sjis(kItems[static_cast<std::size_t>(index)]);
}

std::string LevelTagName(int index) {
  static constexpr std::array<std::string_view, kLevelIndexes> kNames = {
      "１級", "準１級", "２級", "準２級", "３級", "４級", "５級",
      "６級", "７級",   "８級", "９級",   "10級", "級外"};
  // Converted once: the level filter asks for a name at every kept group.
  static const std::array<std::string, kLevelIndexes> kConverted = [] {
    std::array<std::string, kLevelIndexes> converted;
    for (std::size_t i = 0; i < converted.size(); ++i) converted[i] = common::Sjis(kNames[i]);
    return converted;
  }();
  if (index < 0 || index >= kLevelIndexes) return {};
  return kConverted[static_cast<std::size_t>(index)];
}

LineFieldOptions LineFieldOptionsOf(const common::Settings& settings, bool delete_mark,
                                    std::string_view separator) {
  return {.mode = settings.line_field_mode,
          .mark = settings.line_head_mark,
          .delete_mark = delete_mark,
          .separator = common::SeparatorEntry(separator),
          .field_kind = settings.field_range_type,
          .first_field = settings.field_min,
          .second_field = settings.field_max};
}

void StoreLineFieldOptions(const LineFieldOptions& options, common::Settings& settings) {
  settings.line_field_mode = options.mode;
  settings.line_head_mark = options.mark;
  settings.field_range_type = options.field_kind;
  settings.field_min = options.first_field;
  settings.field_max = options.second_field;
}

std::optional<Refusal> ValidateLineField(const LineFieldOptions& options) {
  if (auto refusal = OutOfRange("L_F_MODE", options.mode, 0, 2)) return refusal;
  bool uses_fields = options.mode != static_cast<int>(LineFieldMode::kLinesOnly);
  if (options.mode != static_cast<int>(LineFieldMode::kFieldsOnly) && options.mark.empty()) {
    return RefusalOf(messages::kTitleCautionBang, messages::kMarkMissing);
  }
  if (uses_fields) {
    switch (common::SeparatorFaultOf(options.separator)) {
      case common::SeparatorFault::kEmpty:
        return RefusalOf(messages::kTitleCautionBang, messages::kSeparatorMissing);
      case common::SeparatorFault::kDoubleByte:
        return RefusalOf(messages::kTitleCautionPlain, messages::kSeparatorNotSingleByte);
      case common::SeparatorFault::kNone:
        break;
    }
    if (auto refusal = OutOfRange("FLDTYPE", options.field_kind, 0, 3)) return refusal;
    if (auto refusal = OutOfRange("FLDMIN", options.first_field, kFirstField, kLastField)) {
      return refusal;
    }
    if (options.field_kind == static_cast<int>(FieldKind::kRange)) {
      if (auto refusal = OutOfRange("FLDMAX", options.second_field, kFirstField, kLastField)) {
        return refusal;
      }
      if (options.first_field > options.second_field) {
        return RefusalOf(messages::kTitleCautionBang, messages::kFieldRangeReversed);
      }
    }
  }
  return CheckMarkDeletion(options.mark, options.delete_mark);
}

std::optional<Refusal> CheckMarkDeletion(std::string_view mark, bool delete_mark) {
  if (!delete_mark || !common::MarkCannotBeCut(mark)) return std::nullopt;
  return RefusalOf(messages::kTitleCaution, messages::kMarkCannotBeDeleted);
}

FieldBounds FieldBoundsOf(const LineFieldOptions& options) {
  switch (static_cast<FieldKind>(options.field_kind)) {
    case FieldKind::kSingle:
      break;
    case FieldKind::kRange:
      return {options.first_field, options.second_field};
    case FieldKind::kAndAfter:
      return {options.first_field, kLastField};
    case FieldKind::kAndBefore:
      return {kFirstField, options.first_field};
  }
  return {options.first_field, options.first_field};
}

}  // namespace engine
