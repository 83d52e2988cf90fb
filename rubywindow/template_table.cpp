// Parsing a template into its literal and marker slots.
#include "rubywindow/template_table.h"

#include "common/encoding/sjis.h"

namespace rubywindow {

bool TemplateTable::Has(int marker) const {
  for (const TemplateSlot& slot : parts) {
    if (slot.kind == marker) return true;
  }
  return false;
}

TemplateTable ParseTemplate(std::string_view text, const MarkerSyntax& syntax) {
  TemplateTable table;
  table.parts.emplace_back();
  int markers = 0;
  std::size_t rest = 0;
  while (true) {
    std::size_t hit = common::FindAligned(text, syntax.prefix, rest);
    if (hit == std::string_view::npos) {
      table.parts.back().text += text.substr(rest);
      return table;
    }
    table.parts.back().text += text.substr(rest, hit - rest);
    std::size_t after = hit + syntax.prefix.size();
    int digit = after < text.size() ? text[after] - '0' : -1;
    if (digit >= 1 && digit <= syntax.last_digit && markers < syntax.capacity) {
      table.parts.push_back({digit, {}});
      table.parts.emplace_back();
      ++markers;
      rest = after + 1;
    } else {
      table.parts.back().text += syntax.prefix;
      rest = after;
    }
  }
}

int MarkerState(const TemplateTable& table, int first, int second) {
  return (table.Has(first) ? 1 : 0) + (table.Has(second) ? 2 : 0);
}

}  // namespace rubywindow
