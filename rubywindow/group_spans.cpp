// Finding the ruby groups of a line.
#include "rubywindow/group_spans.h"

namespace rubywindow {

std::vector<GroupSpan> GroupSpansOf(std::u16string_view line) {
  std::vector<GroupSpan> spans;
  std::size_t at = 0;
  while ((at = line.find(u'{', at)) != std::u16string_view::npos) {
    std::size_t close = line.find(u'}', at + 1);
    if (close == std::u16string_view::npos) break;
    std::size_t slash = line.find(u'/', at + 1);
    if (slash < close) spans.push_back({at, slash, close});
    at = close + 1;
  }
  return spans;
}

}  // namespace rubywindow
