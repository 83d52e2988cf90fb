// The ruby notation check: finds the first malformed ruby group of a text and decides whether
// the text is in HTML mode.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "common/notation/non_ruby_areas.h"
#include "common/encoding/text_source.h"

namespace common {

enum class CheckCode : int {
  kReadingTooLong = 0,    // more than 20 reading characters
  kBaseTooLong = 1,       // more than 10 base characters
  kUnbalancedBraces = 2,  // a line with unequal numbers of '{' and '}'
  kNoBaseAfterBrace = 3,  // '{' not followed by a double-byte character
  kBaseNotEnded = 4,      // the base is not ended by '/'
  kReadingNotKana = 6,
  kNoReading = 7,
  kKanjiInReading = 8,
  kSeparatorFound = 9,  // '|' when separators are to be reported
};

struct NotationCheck {
  bool ok() const { return !faulty; }
  bool faulty = false;
  int groups = 0;                               // groups started in the scanned ranges
  int lines = 0;                                // line feeds passed in the scanned ranges
  CheckCode code = CheckCode::kReadingTooLong;  // valid when faulty
  // Valid when faulty. The fault shows at fault_offset - 1, where an editor puts its caret:
  // the offending character inside a group, or the last byte of a line whose braces do not
  // balance (fault_offset is then the offset of that line's LF).
  std::size_t fault_offset = 0;
  bool html_mode = false;
  // The text could not be read whole. The scan ended where reading failed, so the counts, and
  // a fault found at that point, cover only what was read: the text is not known to be sound.
  bool read_failed = false;
};

// Scans `text` from `start` (or from its body in HTML mode), skipping the user's non-ruby
// areas when they are enabled; stops at the first fault. The text is read piece by piece, so a
// file of any size is checked in bounded memory; its end ends every scan.
NotationCheck CheckNotation(const TextSource& text, std::size_t start, bool report_separators,
                            const NonRubyAreas& areas);

// Shows the fault's message, titled "警告", with a 1-based line number.
void ReportFault(CheckCode code, int line, Messenger& messenger);

// 1-based logical line of a fault: line feeds before fault_offset - 1, plus one.
int LogicalLineOfFault(const TextSource& text, std::size_t fault_offset);

// The no-fault report of the explicit check command and its title "ご苦労様!!".
std::string CheckPassedText(std::string_view document_path_utf8, int start_line, int start_column,
                            int line_count, int group_count);
extern const std::string_view kCheckPassedTitle;

}  // namespace common
