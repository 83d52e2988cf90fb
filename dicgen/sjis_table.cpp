// Every double-byte CP932 code is decoded once; the characters found are encoded back in one
// call, which picks iconv's own code where CP932 has two (the NEC and IBM duplicates).
#include "dicgen/sjis_table.h"

#include "common/cp932.h"
#include "common/sjis.h"
#include "dicgen/kana.h"

namespace dicgen {
namespace {

constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kLastTrail = 0xFC;
constexpr unsigned kDeleteByte = 0x7F;  // never a trail byte

// Every character that some double-byte code of CP932 decodes to.
std::u32string DoubleByteCharacters() {
  std::u32string found;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!common::IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
      if (trail == kDeleteByte) continue;
      std::string code = {static_cast<char>(lead), static_cast<char>(trail)};
      std::optional<std::string> utf8 = common::Cp932ToUtf8(code);
      if (!utf8) continue;
      std::u32string chars = DecodeUtf8(*utf8);
      if (chars.size() == 1) found.push_back(chars[0]);
    }
  }
  return found;
}

}  // namespace

SjisTable::SjisTable() {
  std::u32string chars = DoubleByteCharacters();
  for (char32_t c : chars) {
    std::optional<std::string> code = common::Utf8ToCp932(EncodeUtf8(std::u32string(1, c)));
    if (!code || code->size() != 2) continue;
    codes_.emplace(c, common::CodeOf(static_cast<unsigned char>((*code)[0]),
                                     static_cast<unsigned char>((*code)[1])));
  }
}

std::optional<std::uint16_t> SjisTable::DoubleByteCode(char32_t c) const {
  auto found = codes_.find(c);
  if (found == codes_.end()) return std::nullopt;
  return found->second;
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
