// Text put into XML and HTML: the characters that would be read as mark-up become references.
#pragma once

#include <string>
#include <string_view>

namespace worksheet {

// Appends `utf8` as character data or an attribute value (quoted with either quote): & < > " '
// become references, and the control characters that XML 1.0 cannot hold at all (every one
// below U+0020 but tab, line feed and carriage return) are left out.
void AppendEscaped(std::string& out, std::string_view utf8);
std::string Escaped(std::string_view utf8);

}  // namespace worksheet
