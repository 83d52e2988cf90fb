// UTF-8 decoding without a library: the generator's inputs are plain BMP text.
#include "dicgen/kana.h"

namespace dicgen {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The number of continuation bytes after `lead`, or -1 for a byte that cannot start a character.
int ContinuationCount(unsigned char lead) {
  if (lead < 0x80) return 0;
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return -1;
}

}  // namespace

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    auto lead = static_cast<unsigned char>(utf8[i]);
    int more = ContinuationCount(lead);
    if (more < 0 || i + more >= utf8.size()) {  // a cut-off sequence at the end
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    char32_t c = more == 0 ? lead : lead & (0x3F >> more);
    bool ok = true;
    for (int k = 1; k <= more; ++k) {
      auto byte = static_cast<unsigned char>(utf8[i + k]);
      if ((byte & 0xC0) != 0x80) ok = false;
      c = (c << 6) | (byte & 0x3F);
    }
    out.push_back(ok ? c : kReplacement);
    i += ok ? more + 1 : 1;
  }
  return out;
}

std::u32string ToHiragana(std::u32string_view text) {
  std::u32string out(text);
  for (char32_t& c : out) c = ToHiragana(c);
  return out;
}

std::string KatakanaToHiragana(std::string_view utf8) {
  return EncodeUtf8(ToHiragana(DecodeUtf8(utf8)));
}

std::u32string VoicedForms(char32_t kana) {
  // In the hiragana table each voiced kana follows its plain one, and ぱ follows ば.
  static constexpr std::u32string_view kVoicing = U"かきくけこさしすせそたちつてと";
  static constexpr std::u32string_view kHRow = U"はひふへほ";
  if (kVoicing.find(kana) != std::u32string_view::npos) return {kana + 1};
  if (kHRow.find(kana) != std::u32string_view::npos) return {kana + 1, kana + 2};
  return {};
}

char32_t Unvoiced(char32_t kana) {
  static constexpr std::u32string_view kVoiced = U"がぎぐげござじずぜぞだぢづでど";
  static constexpr std::u32string_view kHRowChanged = U"ばぱびぴぶぷべぺぼぽ";
  if (kVoiced.find(kana) != std::u32string_view::npos) return kana - 1;
  std::size_t at = kHRowChanged.find(kana);
  if (at != std::u32string_view::npos) return kana - (at % 2 + 1);
  return kana;
}

}  // namespace dicgen
