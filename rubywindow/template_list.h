// The rules of the template list editor shared by the YMI and NNN dialogs: twenty stored
// templates, edited as lines of one text, the list ending at its first empty entry.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/settings/settings.h"

namespace rubywindow {

using TemplateList = std::array<std::string, common::kTemplateSlots>;

inline constexpr std::size_t kListEditorMaxCharacters = 1400;

// The editor's text: the entries up to the first empty one, one a line.
std::string ListEditorText(const TemplateList& list);

// The list the edited text gives: its lines from the first, up to the first empty line and at
// most twenty; the entries after them are empty.
TemplateList ListFromEditorText(std::string_view text);

// The list as stored when a dialog closes: its items up to the first empty one.
TemplateList StoredList(const TemplateList& items);

// Lines beyond the twentieth are not taken; the editor marks them as such.
bool IsListLineTaken(int line);

// The template a dialog opens with: the current one, or the first stored one when it is empty.
std::string InitialTemplate(std::string_view current, const TemplateList& list);

}  // namespace rubywindow
