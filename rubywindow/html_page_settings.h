// The browser display settings of the HTML ruby page: colours, font, alignment class and the
// line-break and page-break marks, and the tokens a page's body is written with.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/settings/settings.h"

namespace rubywindow {

inline constexpr int kWhite = 0xFFFFFF;

// Texts are Shift_JIS; colours are 0x00BBGGRR as the settings hold them.
struct HtmlPageSettings {
  bool detailed = true;  // off: a plain page in the browser's own style
  int alignment = 6;     // index into the alignment table
  std::string font_name;
  int font_size = 18;
  int text_color = 0;
  int line_height = 250;  // percent
  int ruby_color = 255;
  int base_color = 32768;
  int background_color = kWhite;
  bool line_break_marks = true;
  bool page_break_marks = true;
  // The encoding the page is declared in: the page is written in Shift_JIS, and a page that is
  // then converted for a UTF-8 text declares that instead.
  std::string_view charset = "Shift_JIS";
};

// The stored settings, with detailed display on and a white background as at every start.
HtmlPageSettings HtmlPageSettingsOf(const common::Settings& settings);

struct RubyAlignment {
  std::string_view label_utf8;  // for the settings dialog
  std::string_view opening_tag;
  std::string_view style_rule;  // empty for the browser's own alignment
};
inline constexpr int kAlignmentCount = 7;
extern const std::array<RubyAlignment, kAlignmentCount> kAlignments;

// The alignment of an index; one outside the table (a hand-edited settings file) is taken as
// the initial class.
const RubyAlignment& AlignmentOf(int index);

// A 0x00BBGGRR colour as the six upper-case digits RRGGBB of a page ("FF0000" for 255).
std::string HtmlColor(int bbggrr);

// The pieces a body is written with, chosen once per page.
struct BodyTokens {
  std::string line_end;    // ends with a line end of its own
  std::string page_break;  // empty, or ends with a line end of its own
  std::string group_open;
  std::string separator;
  std::string group_close;
};
BodyTokens BodyTokensOf(const HtmlPageSettings& settings);

}  // namespace rubywindow
