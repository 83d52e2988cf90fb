#include "bench/quality_texts.h"

#include <fstream>
#include <sstream>
#include <utility>

#include "dicgen/kana.h"

namespace quality {

using dicgen::ToHiragana;
std::u32string Decode(std::string_view bytes) { return dicgen::DecodeUtf8(bytes); }

// ---- Files ------------------------------------------------------------------------------

bool ReadWhole(const char* path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  bytes = std::move(buffer).str();
  return true;
}

// ---- Characters -------------------------------------------------------------------------

bool IsIdeograph(char32_t c) {
  return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF) || c == kIterationMark;
}

bool IsSpace(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == kIdeographicSpace;
}

// Kanji for counting and for runs: ideographs, 々, and ヶ/ケ standing between two of them.
std::vector<bool> KanjiFlags(const std::u32string& text) {
  std::vector<bool> flags(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) flags[i] = IsIdeograph(text[i]);
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    if ((text[i] == kSmallKe || text[i] == kKatakanaKe) && flags[i - 1] && flags[i + 1]) {
      flags[i] = true;
    }
  }
  return flags;
}

// ---- Our ruby file ----------------------------------------------------------------------



// Reads {base/reading} groups; a brace that opens no well-formed group is text.
RubyText ParseRubyFile(const std::u32string& ruby) {
  RubyText out;
  out.text.reserve(ruby.size());
  for (std::size_t i = 0; i < ruby.size(); ++i) {
    if (ruby[i] == U'\r') continue;
    std::size_t slash = ruby[i] == U'{' ? ruby.find_first_of(U"/}\n", i + 1) : ruby.npos;
    std::size_t close = slash != ruby.npos && ruby[slash] == U'/'
                            ? ruby.find_first_of(U"}\n", slash + 1)
                            : ruby.npos;
    if (close == ruby.npos || ruby[close] != U'}' || slash == i + 1) {
      out.text.push_back(ruby[i]);
      continue;
    }
    Group group;
    group.start = out.text.size();
    out.text.append(ruby, i + 1, slash - i - 1);
    group.end = out.text.size();
    std::u32string_view readings(ruby.data() + slash + 1, close - slash - 1);
    group.reading = ToHiragana(readings.substr(0, readings.find(U'|')));
    out.groups.push_back(std::move(group));
    i = close;
  }
  out.group_at.assign(out.text.size(), kNone);
  for (std::size_t g = 0; g < out.groups.size(); ++g) {
    for (std::size_t p = out.groups[g].start; p < out.groups[g].end; ++p) {
      out.group_at[p] = static_cast<int>(g);
    }
  }
  return out;
}

// ---- MeCab's tokens ---------------------------------------------------------------------



constexpr std::size_t kResyncWindow = 64;

// The first place at or shortly after `pos` where `surface` stands in the text, or npos.
std::size_t FindNear(const std::u32string& text, const std::u32string& surface, std::size_t pos) {
  for (std::size_t at = pos; at <= pos + kResyncWindow && at < text.size(); ++at) {
    if (text.compare(at, surface.size(), surface) == 0) return at;
  }
  return text.npos;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == line.npos) return fields;
    start = tab + 1;
  }
}

bool IsSet(std::string_view field) { return !field.empty() && field != "*"; }

// ク促, チ促, ツ促: the last kana becomes っ (一 いち → いっ); 十促 changes two kana and is
// left out.
bool IsGeminated(std::string_view field) {
  return field == "ク促" || field == "チ促" || field == "ツ促";
}

// Places each token on the text. MeCab leaves white space out; anything else that does not
// line up (which should not happen) leaves its characters without a token.
TokenizedText PlaceTokens(const std::u32string& text, std::istream& mecab_output) {
  TokenizedText out;
  out.token_at.assign(text.size(), kNone);
  std::size_t pos = 0;
  std::string line;
  while (std::getline(mecab_output, line)) {
    std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;  // EOS
    std::u32string surface = Decode(std::string_view(line).substr(0, tab));
    if (surface.empty()) continue;
    while (pos < text.size() && IsSpace(text[pos]) &&
           text.compare(pos, surface.size(), surface) != 0) {
      ++pos;
    }
    std::size_t found = FindNear(text, surface, pos);
    if (found == text.npos) continue;
    std::vector<std::string_view> fields = SplitTabs(line);
    Token token{found, found + surface.size(), ToHiragana(Decode(fields[1])),
                fields.size() > 2 && IsSet(fields[2]), fields.size() > 3 && IsGeminated(fields[3])};
    for (std::size_t p = token.start; p < token.end; ++p) {
      out.token_at[p] = static_cast<int>(out.tokens.size());
    }
    out.tokens.push_back(std::move(token));
    pos = found + surface.size();
  }
  return out;
}

// A kana of the surface that the reading must contain as it is. ヶ outside a kanji run is
// read か, が, け or こ.
bool KanaMatches(char32_t surface_kana, char32_t reading_char) {
  if (surface_kana == kSmallKe || surface_kana == kKatakanaKe) {
    return reading_char == U'か' || reading_char == U'が' || reading_char == U'け' ||
           reading_char == U'こ';
  }
  return ToHiragana(surface_kana) == reading_char;
}

// Splits a token's reading over its surface: every kanji segment takes at least one reading
// character, every other character must appear in the reading as it is. Shorter kanji
// readings are tried first. `split` receives (offset in the surface, reading) for each kanji
// segment.
bool Align(const std::u32string& surface, const std::vector<bool>& kanji, std::size_t s,
           const std::u32string& reading, std::size_t r,
           std::vector<std::pair<std::size_t, std::u32string>>& split) {
  if (s == surface.size()) return r == reading.size();
  if (!kanji[s]) {
    return r < reading.size() && KanaMatches(surface[s], reading[r]) &&
           Align(surface, kanji, s + 1, reading, r + 1, split);
  }
  std::size_t segment_end = s;
  while (segment_end < surface.size() && kanji[segment_end]) ++segment_end;
  std::size_t first = segment_end == surface.size() ? reading.size() - r : 1;
  if (first == 0) return false;  // no reading left for the last kanji
  for (std::size_t length = first; r + length <= reading.size(); ++length) {
    split.emplace_back(s, reading.substr(r, length));
    if (Align(surface, kanji, segment_end, reading, r + length, split)) return true;
    split.pop_back();
    if (segment_end == surface.size()) break;
  }
  return false;
}

}  // namespace quality
