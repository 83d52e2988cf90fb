// Finding the ends and parts of ruby groups in Shift_JIS text.
#include "common/ruby_group.h"

#include "common/sjis.h"

namespace common {

GroupParts SplitGroup(std::string_view group) {
  if (group.empty()) return {};
  GroupStop stop = FindGroupStop(group, 1, GroupLineRule::kSpansLines);
  return SplitGroupInside(group.substr(1, stop.at - 1), stop.closed);
}

GroupParts SplitGroupInside(std::string_view inside, bool closed) {
  GroupParts parts;
  parts.closed = closed;
  std::size_t separator = FindCharacterUnit(inside, kGroupSeparator, 0);
  if (separator == std::string_view::npos) {
    parts.base = inside;
    return parts;
  }
  parts.has_separator = true;
  parts.base = inside.substr(0, separator);
  parts.reading = inside.substr(separator + 1);
  return parts;
}

std::vector<std::string_view> AlternativesOf(std::string_view reading) {
  std::vector<std::string_view> readings;
  std::size_t from = 0;
  for (;;) {
    std::size_t bar = FindCharacterUnit(reading, kAlternative, from);
    if (bar == std::string_view::npos) break;
    readings.push_back(reading.substr(from, bar - from));
    from = bar + 1;
  }
  readings.push_back(reading.substr(from));
  return readings;
}

std::string_view FirstAlternativeOf(std::string_view reading) {
  for (std::string_view alternative : AlternativesOf(reading)) {
    if (!alternative.empty()) return alternative;
  }
  return reading;
}

}  // namespace common
