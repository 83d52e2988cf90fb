// Finding the group at a position in its line, and choosing among its readings.
#include "rubywindow/alternatives.h"

#include "common/ruby_group.h"
#include "common/sjis.h"
#include "rubywindow/ruby_repair.h"

namespace rubywindow {

namespace {

std::string GroupOf(std::string_view base, std::string_view reading) {
  std::string group;
  group += common::kGroupOpen;
  group += base;
  group += common::kGroupSeparator;
  group += reading;
  group += common::kGroupClose;
  return group;
}

void AppendFirstReading(std::string& out, std::string_view base, std::string_view reading) {
  out += GroupOf(base, common::FirstAlternativeOf(reading));
}

}  // namespace

std::optional<GroupAlternatives> AlternativesAt(std::string_view text, std::size_t at) {
  if (at > text.size()) return std::nullopt;
  // A line feed is never a trail byte: the line starts after the last one before `at`.
  std::size_t line_feed = text.substr(0, at).rfind('\n');
  std::size_t from = line_feed == std::string_view::npos ? 0 : line_feed + 1;
  std::optional<common::GroupSpan> chosen;
  while (auto group = common::FindGroup(text, from, common::GroupLineRule::kEndsAtLine)) {
    if (group->open > at) break;
    if (at < group->end) {
      chosen = group;
      break;
    }
    if (group->end == at) chosen = group;
    from = group->end;
  }
  if (!chosen || !chosen->closed) return std::nullopt;
  std::string_view group = text.substr(chosen->open, chosen->end - chosen->open);
  common::GroupParts parts = common::SplitGroup(group);
  if (!parts.has_separator) return std::nullopt;
  GroupAlternatives found;
  found.open = chosen->open;
  found.end = chosen->end;
  for (std::string_view reading : common::AlternativesOf(parts.reading)) {
    if (reading.empty()) continue;
    found.readings.emplace_back(reading);
    found.groups.push_back(GroupOf(parts.base, reading));
  }
  if (found.readings.size() < 2) return std::nullopt;
  return found;
}

std::string KeepFirstReadings(std::string_view text) {
  return RewriteGroups(text, AppendFirstReading);
}

common::PieceStep KeepFirstReadingsStep() { return RewriteGroupsStep(AppendFirstReading); }

}  // namespace rubywindow
