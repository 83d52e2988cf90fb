// Counting fields up to the caret.
#include "engine/caret_field.h"

#include "common/sjis_reader.h"

namespace engine {

int CaretField(std::string_view line_head, std::string_view separator) {
  if (separator.empty()) return 1;
  int field = 1;
  for (common::SjisReader reader(line_head); !reader.AtEnd();) {
    if (reader.AtByte(separator[0])) ++field;
    reader.Next();
  }
  return field;
}

}  // namespace engine
