// Browser display settings, the alignment classes and the body tokens of the HTML ruby page.
#include "rubywindow/html_page_settings.h"

#include <cstdio>

#include "common/encoding/cp932.h"

namespace rubywindow {

const std::array<RubyAlignment, kAlignmentCount> kAlignments = {{
    {"自動的に割付ける<auto>", "<RUBY>", ""},
    {"親字の左端から詰める<left>", "<RUBY CLASS=\"left\">", "RUBY.left  {ruby-align:left;}"},
    {"親字の右端から詰める<right>", "<RUBY CLASS=\"right\">", "RUBY.right  {ruby-align:right;}"},
    {"親字の中央を基準に振る<center>", "<RUBY CLASS=\"center\">",
     "RUBY.center  {ruby-align:center;}"},
    {"均等割付①<distribute-letter>", "<RUBY CLASS=\"letter\">",
     "RUBY.letter  {ruby-align:distribute-letter;}"},
    {"均等割付②<distribute-space>", "<RUBY CLASS=\"space\">",
     "RUBY.space  {ruby-align:distribute-space;}"},
    {"テキストの端から振る<line-edge>", "<RUBY CLASS=\"edge\">",
     "RUBY.edge  {ruby-align:line-edge;}"},
}};

namespace {

constexpr int kInitialAlignment = 6;
constexpr int kColorMask = 0xFFFFFF;  // a colour has three bytes; anything above is no colour

constexpr std::string_view kPlainLineEnd = "<BR>\n";
constexpr std::string_view kBaseSpan = "<SPAN CLASS=\"P\">";
constexpr std::string_view kDetailedSeparator = "</SPAN><RT><SPAN CLASS=\"R\">";
constexpr std::string_view kDetailedClose = "</SPAN></RUBY>";
constexpr std::string_view kPlainOpen = "<RUBY>";
constexpr std::string_view kPlainSeparator = "<RT>";
constexpr std::string_view kPlainClose = "</RUBY>";

// Written into a Shift_JIS page, so converted once from these UTF-8 constants.
constexpr std::string_view kLineBreakMarkUtf8 = "<SPAN CLASS=\"C\"><B>↓</B></SPAN><BR>\n";
constexpr std::string_view kPageBreakMarkUtf8 = "<SPAN CLASS=\"L\"><B>[改頁]</B></SPAN>\n";

}  // namespace

HtmlPageSettings HtmlPageSettingsOf(const common::Settings& settings) {
  HtmlPageSettings page;
  page.alignment = settings.html_ruby_align;
  page.font_name = settings.html_font_name;
  page.font_size = settings.html_font_size;
  page.text_color = settings.html_text_color;
  page.line_height = settings.html_line_spacing;
  page.ruby_color = settings.html_ruby_color;
  page.base_color = settings.html_base_color;
  page.line_break_marks = settings.mark_line_breaks != 0;
  page.page_break_marks = settings.mark_page_breaks != 0;
  return page;
}

const RubyAlignment& AlignmentOf(int index) {
  if (index < 0 || index >= kAlignmentCount) index = kInitialAlignment;
  return kAlignments[static_cast<std::size_t>(index)];
}

std::string HtmlColor(int bbggrr) {
  unsigned value = static_cast<unsigned>(bbggrr) & kColorMask;
  char digits[8];
  std::snprintf(digits, sizeof digits, "%06X", value);
  // BBGGRR read back to front by pairs.
  return std::string{digits[4], digits[5], digits[2], digits[3], digits[0], digits[1]};
}

BodyTokens BodyTokensOf(const HtmlPageSettings& settings) {
  BodyTokens tokens;
  if (!settings.detailed) {
    tokens = {std::string(kPlainLineEnd), "", std::string(kPlainOpen), std::string(kPlainSeparator),
              std::string(kPlainClose)};
    return tokens;
  }
  tokens.line_end =
      settings.line_break_marks ? common::Sjis(kLineBreakMarkUtf8) : std::string(kPlainLineEnd);
  if (settings.page_break_marks) tokens.page_break = common::Sjis(kPageBreakMarkUtf8);
  tokens.group_open = std::string(AlignmentOf(settings.alignment).opening_tag);
  tokens.group_open += kBaseSpan;
  tokens.separator = kDetailedSeparator;
  tokens.group_close = kDetailedClose;
  return tokens;
}

}  // namespace rubywindow
