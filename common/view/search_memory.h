// What every editing window remembers of searches and line jumps: one per application, shared
// by all of them, never saved.
#pragma once

#include <QString>

namespace common::view {

struct SearchMemory {
  QString search;       // the remembered search string
  QString replacement;  // the remembered replacement string
  bool down = true;     // the find dialog's last direction
  int last_line = 0;    // the last line number jumped to
  int line_kind = 0;    // 0 logical lines (line feeds), 1 display lines (as wrapped)
};

}  // namespace common::view
