// Reading one ruby group of a text being converted, after its '{'.
#pragma once

#include <string>

#include "rubywindow/output_sink.h"

namespace rubywindow {

// Appends the base (up to '/') to `base` and the reading (up to '}') to `reading`, '|' included;
// the braces and '/' are taken but not kept, CR is dropped. The group is read as
// common::GroupLineRule::kEndsAtLine says: it never runs past its line, a line feed (left
// unread) or the end of the text ends it, and so does a '}' before any '/'.
void ReadGroup(ByteInput& in, std::string& base, std::string& reading);

}  // namespace rubywindow
