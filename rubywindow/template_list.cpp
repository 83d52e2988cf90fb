// Template lists: the editor's text and the stored entries.
#include "rubywindow/template_list.h"

namespace rubywindow {

std::string ListEditorText(const TemplateList& list) {
  std::string text;
  for (const std::string& entry : list) {
    if (entry.empty()) break;
    if (!text.empty()) text += '\n';
    text += entry;
  }
  return text;
}

TemplateList ListFromEditorText(std::string_view text) {
  TemplateList list;
  std::size_t taken = 0;
  while (taken < list.size() && !text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) break;
    list[taken++] = line;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return list;
}

TemplateList StoredList(const TemplateList& items) {
  TemplateList list;
  for (std::size_t i = 0; i < items.size() && !items[i].empty(); ++i) list[i] = items[i];
  return list;
}

bool IsListLineTaken(int line) { return line >= 1 && line <= common::kTemplateSlots; }

std::string InitialTemplate(std::string_view current, const TemplateList& list) {
  return current.empty() ? list[0] : std::string(current);
}

}  // namespace rubywindow
