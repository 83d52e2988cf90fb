// YMI options: field ranges, separator, template tabs and the checks of the run button.
#include "rubywindow/ymi_options.h"

#include "common/encoding/cp932.h"
#include "common/notation/field_entry.h"
#include "common/encoding/sjis.h"
#include "rubywindow/messages.h"

namespace rubywindow {

namespace {

constexpr char kTab = '\t';
constexpr std::string_view kTabMark = "^^t";

common::Message MessageOf(std::string_view title, std::string_view text) {
  return {std::string(title), std::string(text)};
}

}  // namespace

FieldRange FieldRangeOf(const YmiOptions& options) {
  int f = options.first_field;
  switch (static_cast<RangeMode>(options.range_mode)) {
    case RangeMode::kSingle:
      return {f, f};
    case RangeMode::kRange:
      return {f, options.last_field};
    case RangeMode::kFromField:
      return {f, kLastFieldOfOpenRange};
    case RangeMode::kUpToField:
      return {1, f};
    case RangeMode::kLineAndField:
      return {options.line_field_first, options.line_field_last};
  }
  return {};
}

std::string ExpandTabMarks(std::string_view text) {
  std::string out;
  std::size_t rest = 0;
  for (std::size_t hit = common::FindAligned(text, kTabMark); hit != std::string_view::npos;
       hit = common::FindAligned(text, kTabMark, rest)) {
    out += text.substr(rest, hit - rest);
    out += kTab;
    rest = hit + kTabMark.size();
  }
  out += text.substr(rest);
  return out;
}

bool MarkCannotBeRemoved(const YmiOptions& options) {
  return options.mark_handling == 1 && options.part_mode == 1 &&
         common::MarkCannotBeCut(options.line_head_mark);
}

std::optional<common::Message> RefusalOf(const YmiOptions& options) {
  if (options.range_mode == static_cast<int>(RangeMode::kRange) &&
      options.last_field < options.first_field) {
    return MessageOf(messages::kTitleConfirm, messages::kFieldsOutOfOrder);
  }
  if (options.part_mode == 1 && options.line_head_mark.empty()) {
    return MessageOf(messages::kTitleCautionFullWidth, messages::kNoLineHeadMark);
  }
  switch (common::SeparatorFaultOf(common::SeparatorEntry(options.separator_edit))) {
    case common::SeparatorFault::kEmpty:
      return MessageOf(messages::kTitleCautionFullWidth, messages::kNoSeparator);
    case common::SeparatorFault::kDoubleByte:
      return MessageOf(messages::kTitleCautionPlain, messages::kSeparatorNotSingleByte);
    case common::SeparatorFault::kNone:
      break;
  }
  if (MarkCannotBeRemoved(options)) {
    return MessageOf(messages::kTitleConfirmTwice, messages::kMarkCannotBeRemoved);
  }
  return std::nullopt;
}

std::optional<common::Message> YmiMarkerWarning(const TemplateTable& table) {
  switch (MarkerState(table, 1, 2)) {
    case 0:
      return MessageOf(messages::kTitleYmiMarkers, messages::kYmiNoMarkers);
    case 1:
      return MessageOf(messages::kTitleYmiMarkers, messages::kYmiNoReadingMarker);
    case 2:
      return MessageOf(messages::kTitleYmiMarkers, messages::kYmiNoTextMarker);
    default:
      return std::nullopt;
  }
}

std::string YmiPreview(std::string_view template_text) {
  static const std::string kSampleText = common::Sjis("平和");
  static const std::string kSampleReading = common::Sjis("へいわ");
  std::string preview;
  for (const TemplateSlot& slot : ParseTemplate(ExpandTabMarks(template_text), kYmiMarkers).parts) {
    if (slot.kind == kLiteralSlot) {
      preview += slot.text;
    } else {
      preview += slot.kind == 1 ? kSampleText : kSampleReading;
    }
  }
  return preview;
}

YmiOptions YmiOptionsOf(const common::Settings& settings) {
  YmiOptions options;
  options.template_text = settings.ymi_template;
  options.line_head_mark = settings.line_head_mark;
  options.line_field_first = settings.field_min;
  options.line_field_last = settings.field_max;
  return options;
}

}  // namespace rubywindow
