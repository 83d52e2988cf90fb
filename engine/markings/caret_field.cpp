// Counting fields up to the caret.
#include "engine/markings/caret_field.h"

#include "common/encoding/sjis_reader.h"

namespace engine {

namespace {

constexpr char kDefaultSeparator = ',';  // the line-and-field separator until one is chosen

}  // namespace

int CaretField(std::string_view line_head, std::string_view separator) {
  const char counted = separator.empty() ? kDefaultSeparator : separator[0];
  int field = 1;
  for (common::SjisReader reader(line_head); !reader.AtEnd();) {
    if (reader.AtByte(counted)) ++field;
    reader.Next();
  }
  return field;
}

}  // namespace engine
