// Finding the ruby groups of a line, by the walk the conversions of a ruby file use.
#include "rubywindow/group_spans.h"

#include "common/notation/ruby_group.h"

namespace rubywindow {

std::vector<GroupSpan> GroupSpansOf(std::u16string_view line) {
  std::vector<GroupSpan> spans;
  std::size_t at = 0;
  while (auto group = common::FindGroup(line, at, common::GroupLineRule::kEndsAtLine)) {
    if (!group->closed) break;
    std::size_t slash = common::SeparatorOf(line, *group);
    if (slash != std::u16string_view::npos) spans.push_back({group->open, slash, group->end - 1});
    at = group->end;
  }
  return spans;
}

}  // namespace rubywindow
