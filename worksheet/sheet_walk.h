// The one walk over a ruby text for the word-processor and web files: each line a paragraph,
// each group its base with its reading, everything else plain text, all handed on in UTF-8.
#pragma once

#include <string_view>

namespace worksheet {

// What a file format makes of the walk.
class SheetMarkup {
 public:
  virtual ~SheetMarkup() = default;
  virtual void StartParagraph() = 0;
  // Plain text of one line: never a line feed, but tabs and spaces as they stand.
  virtual void Text(std::string_view utf8) = 0;
  virtual void Ruby(std::string_view base_utf8, std::string_view reading_utf8) = 0;
  virtual void EndParagraph() = 0;
};

// Walks `sjis` (a ruby text in Shift_JIS, CR LF or LF line ends). A group ends at its line, as
// in every reading of a ruby file; a group of alternatives ({人/ひと|にん}) shows the first, and
// a group without a reading, or one its line leaves unclosed, is plain text as it stands.
// A final line feed ends the last paragraph rather than starting an empty one.
void WalkSheet(std::string_view sjis, SheetMarkup& markup);

}  // namespace worksheet
