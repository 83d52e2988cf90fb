// The choices of the YMI settings dialog, the checks its run button makes, and what they mean
// for the output: the field range, the separator and the template.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "common/settings/settings.h"
#include "rubywindow/template_table.h"

namespace rubywindow {

inline constexpr int kLastFieldOfOpenRange = 64;
inline constexpr std::string_view kDefaultYmiTemplate = "@@@@1,@@@@2";

enum class RangeMode : int {
  kSingle = 0,       // F..F
  kRange = 1,        // F..G
  kFromField = 2,    // F..64
  kUpToField = 3,    // 1..F
  kLineAndField = 4  // the fields of line-and-field ruby
};

// Texts are Shift_JIS.
struct YmiOptions {
  int first_field = 1;
  int last_field = 1;
  int range_mode = 0;
  int line_field_first = 1;  // the line-and-field ruby range, for range mode 4
  int line_field_last = 3;
  std::string template_text = std::string(kDefaultYmiTemplate);
  bool warn_markers = false;
  bool to_hiragana = false;
  std::string line_head_mark;
  int part_mode = 0;                 // 0 every line, 1 only lines that begin with the mark
  int mark_handling = 0;             // 0 the mark stays, 1 it is removed
  std::string separator_edit = ",";  // as typed; "\t" (backslash, t) is the tab
};

struct FieldRange {
  int low = 1;
  int high = 0;  // empty when below low
  bool Holds(int field) const { return field >= low && field <= high; }
};
// A range mode outside 0–4 selects no field.
FieldRange FieldRangeOf(const YmiOptions& options);

// Every "^^t" of a template as a tab, which the one-line template box cannot take.
std::string ExpandTabMarks(std::string_view text);

// The refusal of the run button, or nullopt when the options can be run. Checks the template
// after ExpandTabMarks, in the dialog's order.
std::optional<common::Message> RefusalOf(const YmiOptions& options);

// Whether removing the mark is refused: a mark holding ',' or '{' cannot be cut from a line.
bool MarkCannotBeRemoved(const YmiOptions& options);

// The warning for a template without "@@@@1" or "@@@@2"; nullopt when both are there.
std::optional<common::Message> YmiMarkerWarning(const TemplateTable& table);

// The dialog's preview: the template with "@@@@1" as 平和, "@@@@2" as へいわ and "^^t" as a tab.
std::string YmiPreview(std::string_view template_text);

// The options as the stored settings leave them: the current template, the line-head mark and
// the line-and-field range.
YmiOptions YmiOptionsOf(const common::Settings& settings);

}  // namespace rubywindow
