// Separator and mark entries.
#include "common/field_entry.h"

#include "common/sjis.h"
#include "common/sjis_reader.h"

namespace common {
namespace {

constexpr char kBackslash = '\\';
constexpr char kTabLetter = 't';
constexpr char kTab = '\t';
constexpr char kFieldComma = ',';

}  // namespace

std::string SeparatorEntry(std::string_view typed) {
  if (typed.empty()) return {};
  if (typed[0] == kBackslash) {
    return typed.size() > 1 && typed[1] == kTabLetter ? std::string(1, kTab)
                                                      : std::string(1, kBackslash);
  }
  return std::string(SjisReader(typed).Peek().bytes);
}

bool MarkCannotBeCut(std::string_view mark) {
  for (SjisReader reader(mark); !reader.AtEnd(); reader.Next()) {
    if (reader.AtByte(kFieldComma) || reader.AtByte(kGroupOpen)) return true;
  }
  return false;
}

}  // namespace common
