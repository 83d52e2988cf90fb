// Unicode → Shift_JIS (CP932) for the words of a dictionary, a character at a time through the
// CP932 table, so that hundreds of thousands of words are encoded without a conversion call each.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dicgen {

// A word in the dictionary's terms: its Shift_JIS key and which characters get ruby.
struct EncodedWord {
  std::string sjis;
  std::vector<bool> targets;  // per character: a ruby-target character
  std::size_t target_count = 0;
};

// ASCII and half-width katakana: one byte in Shift_JIS.
constexpr bool IsSingleByteCharacter(char32_t c) {
  return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
}

class SjisTable {
 public:
  // The double-byte code of `c`, or nullopt when CP932 lacks it or writes it in one byte.
  std::optional<std::uint16_t> DoubleByteCode(char32_t c) const;
  // nullopt when a character is missing from CP932 or is a single-byte one, which would break
  // the word in the matching pass.
  std::optional<EncodedWord> EncodeWord(std::u32string_view word) const;
  // Hiragana and ー only (a reading); nullopt for anything else, such as ゔ.
  std::optional<std::string> EncodeReading(std::u32string_view reading) const;
};

}  // namespace dicgen
