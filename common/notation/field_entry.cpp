// Separator and mark entries.
#include "common/notation/field_entry.h"

#include <cstdio>

#include "common/encoding/sjis.h"
#include "common/encoding/sjis_reader.h"

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

SeparatorFault SeparatorFaultOf(std::string_view separator) {
  if (separator.empty()) return SeparatorFault::kEmpty;
  if (IsLeadByte(separator[0])) return SeparatorFault::kDoubleByte;
  return SeparatorFault::kNone;
}

std::optional<char> SeparatorByteOf(std::string_view typed) {
  std::string separator = SeparatorEntry(typed);
  if (SeparatorFaultOf(separator) != SeparatorFault::kNone) return std::nullopt;
  return separator[0];
}

std::string_view KeptSeparatorEdit(std::string_view typed) {
  if (typed.size() > 1 && typed[0] == kBackslash && typed[1] != kTabLetter) {
    return typed.substr(0, 1);
  }
  return typed;
}

std::string SeparatorCode(char separator) {
  char code[8];
  std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(separator));
  return code;
}

bool MarkCannotBeCut(std::string_view mark) {
  for (SjisReader reader(mark); !reader.AtEnd(); reader.Next()) {
    if (reader.AtByte(kFieldComma) || reader.AtByte(kGroupOpen)) return true;
  }
  return false;
}

}  // namespace common
