// The codes come from the system's one CP932 table. A character is taken only where its code
// reads back as itself: that keeps iconv's own code of the NEC and IBM duplicates and leaves out
// the characters iconv maps one way only (〜 written as ～), whose word would read otherwise.
#include "dicgen/sjis_table.h"

#include "common/encoding/cp932_tables.h"
#include "common/encoding/sjis.h"

namespace dicgen {

std::optional<std::uint16_t> SjisTable::DoubleByteCode(char32_t c) const {
  std::optional<std::uint16_t> code = common::Cp932CodeOf(c);
  if (!code || *code <= 0xFF || common::UnicodeOfCp932(*code) != c) return std::nullopt;
  return code;
}

std::optional<EncodedWord> SjisTable::EncodeWord(std::u32string_view word) const {
  EncodedWord encoded;
  for (char32_t c : word) {
    std::optional<std::uint16_t> code = DoubleByteCode(c);
    if (!code) return std::nullopt;
    encoded.sjis += static_cast<char>(*code >> 8);
    encoded.sjis += static_cast<char>(*code & 0xFF);
    bool target = common::IsRubyTarget(*code);
    encoded.targets.push_back(target);
    if (target) ++encoded.target_count;
  }
  return encoded;
}

std::optional<std::string> SjisTable::EncodeReading(std::u32string_view reading) const {
  std::string out;
  for (char32_t c : reading) {
    std::optional<std::uint16_t> code = DoubleByteCode(c);
    if (!code || !(common::IsHiragana(*code) || *code == common::kLongVowel)) return std::nullopt;
    out += static_cast<char>(*code >> 8);
    out += static_cast<char>(*code & 0xFF);
  }
  return out;
}

}  // namespace dicgen
