// The search steps of the editing windows over the editor's text. Matches are exact and
// case-sensitive, always whole characters; steps are counted in Shift_JIS bytes.
#pragma once

#include <QString>

namespace common::view {

inline constexpr int kNotFound = -1;

// 2 when `search` begins with a double-byte character, else 1.
int SearchStepOf(const QString& search);

// The first match at or after `start` advanced by `step` bytes (an advance that would end inside
// a character stops before it), or kNotFound. Step 0 searches from `start` itself.
int FindForward(const QString& text, const QString& search, int start, int step);

// The last match that ends at or before `caret`, or kNotFound.
int FindBackward(const QString& text, const QString& search, int caret);

// Replace-all from `start`: each match after the previous replacement is replaced, and the next
// search starts where the inserted text ends, so a replacement is never searched again.
struct ReplaceAllResult {
  int count = 0;
  int first = kNotFound;  // where the first match started
  int end = 0;            // end, in `text`, of the last match
  QString replaced;       // what stands in text[first, end) after the replacements
};
ReplaceAllResult ReplaceAllFrom(const QString& text, const QString& search,
                                const QString& replacement, int start);

// The replace dialog's escapes: "^^t" is a tab in both strings; in the replacement "^^n" is a
// line feed and "^^f" a form feed.
QString ExpandSearchEscapes(const QString& search);
QString ExpandReplacementEscapes(const QString& replacement);

}  // namespace common::view
