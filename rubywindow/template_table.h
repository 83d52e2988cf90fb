// User templates of the YMI and NNN conversions: literal text with numbered markers, parsed
// once into slots that alternate literal, marker, literal, ...
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rubywindow {

inline constexpr int kLiteralSlot = 0;

struct TemplateSlot {
  int kind = kLiteralSlot;  // kLiteralSlot, or the marker's number
  std::string text;         // for a literal
};

// The marker syntax of one conversion: the prefix, the highest digit it takes and how many
// markers its table holds. Markers beyond that are literal text, so a long template never
// writes past the table.
struct MarkerSyntax {
  std::string_view prefix;
  int last_digit;
  int capacity;
};
inline constexpr MarkerSyntax kYmiMarkers{"@@@@", 2, 2};  // five slots
inline constexpr MarkerSyntax kNnnMarkers{"****", 8, 8};  // up to eighteen slots

struct TemplateTable {
  std::vector<TemplateSlot> parts;  // the slots; always starts and ends with a literal
  bool Has(int marker) const;
};

// Templates are Shift_JIS; a prefix is looked for on character boundaries only, since '@' and
// '*' can be trail bytes.
TemplateTable ParseTemplate(std::string_view text, const MarkerSyntax& syntax);

// 0 neither marker, 1 only `first`, 2 only `second`, 3 both.
int MarkerState(const TemplateTable& table, int first, int second);

}  // namespace rubywindow
