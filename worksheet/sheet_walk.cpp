// Walking a ruby text line by line and group by group.
#include "worksheet/sheet_walk.h"

#include <optional>
#include <string>

#include "common/encoding/cp932.h"
#include "common/notation/ruby_group.h"

namespace worksheet {
namespace {

constexpr char kAlternatives = '|';

void PlainText(std::string_view sjis, SheetMarkup& markup) {
  if (!sjis.empty()) markup.Text(common::Cp932ToUtf8Lossy(sjis));
}

void WalkLine(std::string_view line, SheetMarkup& markup) {
  markup.StartParagraph();
  std::size_t from = 0;
  while (std::optional<common::GroupSpan> group =
             common::FindGroup(line, from, common::GroupLineRule::kEndsAtLine)) {
    PlainText(line.substr(from, group->open - from), markup);
    std::string_view whole = line.substr(group->open, group->end - group->open);
    common::GroupParts parts = common::SplitGroup(whole);
    if (!parts.closed || !parts.has_separator || parts.reading.empty()) {
      PlainText(whole, markup);
    } else {
      std::string_view reading = parts.reading;
      std::size_t bar = common::FindCharacterUnit(reading, kAlternatives, 0);
      if (bar != std::string_view::npos) reading = reading.substr(0, bar);
      markup.Ruby(common::Cp932ToUtf8Lossy(parts.base), common::Cp932ToUtf8Lossy(reading));
    }
    from = group->end;
  }
  PlainText(line.substr(from), markup);
  markup.EndParagraph();
}

}  // namespace

void WalkSheet(std::string_view sjis, SheetMarkup& markup) {
  std::size_t start = 0;
  while (start < sjis.size()) {
    std::size_t end = sjis.find('\n', start);  // a line feed is never a trail byte
    std::size_t next = end == std::string_view::npos ? sjis.size() : end + 1;
    if (end == std::string_view::npos) end = sjis.size();
    std::string_view line = sjis.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    WalkLine(line, markup);
    start = next;
  }
}

}  // namespace worksheet
