// The two sides that bench/quality_compare sets against each other: our ruby file read back into
// its text and groups, and MeCab's tokens placed on the same text.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quality {

constexpr int kNone = -1;

constexpr char32_t kIterationMark = U'\u3005';  // 々
constexpr char32_t kKatakanaKe = U'\u30B1';     // ケ
constexpr char32_t kSmallKe = U'\u30F6';        // ヶ
constexpr char32_t kIdeographicSpace = U'\u3000';

struct Group {
  std::size_t start = 0;  // in the text without ruby
  std::size_t end = 0;
  std::u32string reading;  // the first alternative, in hiragana
};

struct RubyText {
  std::u32string text;  // the text with every group replaced by its base
  std::vector<Group> groups;
  std::vector<int> group_at;  // per character of text: its group, or kNone
};

struct Token {
  std::size_t start = 0;
  std::size_t end = 0;
  std::u32string reading;       // hiragana; empty when UniDic has none
  bool initial_change = false;  // its first kana may be voiced in a compound (iType)
  bool final_change = false;    // its last kana may become っ in a compound (fType)
};

struct TokenizedText {
  std::vector<Token> tokens;
  std::vector<int> token_at;  // per character of the text: its token, or kNone
};

bool ReadWhole(const char* path, std::string& bytes);

// Kanji for counting and for runs: ideographs, 々, and ヶ/ケ standing between two of them.
std::vector<bool> KanjiFlags(const std::u32string& text);

bool IsSpace(char32_t c);

// Reads {base/reading} groups; a brace that opens no well-formed group is text.
RubyText ParseRubyFile(const std::u32string& ruby);

// MeCab's output placed on `text`, token by token.
TokenizedText PlaceTokens(const std::u32string& text, std::istream& mecab_output);

// A kana of the surface that the reading must contain as it is. ヶ outside a kanji run is
// read か, が, け or こ.
bool KanaMatches(char32_t surface_kana, char32_t reading_char);

// Splits a token's reading over its surface: every kanji segment takes at least one reading
// character, every other character must appear in the reading as it is. Shorter kanji
// readings are tried first. `split` receives (offset in the surface, reading) for each kanji
// segment.
bool Align(const std::u32string& surface, const std::vector<bool>& kanji, std::size_t s,
           const std::u32string& reading, std::size_t r,
           std::vector<std::pair<std::size_t, std::u32string>>& split);

}  // namespace quality
