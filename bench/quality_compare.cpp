// Compares the readings of a ruby file with MeCab + UniDic's readings of the same text.
//
//   quality_compare RUBY_FILE_UTF8 MECAB_OUTPUT [--top N] [--dump FILE] [--contexts FILE]
//
// RUBY_FILE_UTF8 is our ruby file converted to UTF-8. MECAB_OUTPUT is MeCab's output for the
// same text without ruby, one token a line as SURFACE TAB KANA TAB ITYPE TAB FTYPE (UniDic's
// orthographic kana reading, field 20, empty for unknown words; fields 13 and 15, the sound
// changes the word's first and last kana undergo in compounds), with "EOS" lines between
// sentences:
//
//   mecab -d /var/lib/mecab/dic/unidic -O '' --node-format='%m\t%f[20]\t%f[13]\t%f[15]\n'
//         --unk-format='%m\t\n' --eos-format='EOS\n'
//
// Prints the coverage (share of kanji that carry a reading in the ruby file), the agreement
// per maximal kanji run (our groups joined against UniDic's tokens covering the run, with the
// kana of a token's surface aligned away from its reading) and the commonest disagreements.
// --dump writes every disagreement, commonest first, as RUN TAB OURS TAB UNIDIC TAB COUNT,
// with a fifth field "sound change" where ours is UniDic's reading with sound changes that
// UniDic marks on its tokens but does not apply inside the run (日曜 + 日 ひ → び,
// 一 いち + ヶ月 → いっ). --contexts writes every disagreeing run where it stands, as
// RUN TAB OURS TAB UNIDIC TAB TEXT, the text showing the run in brackets with a few characters
// either side: what decides a reading is mostly the kana around the run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "bench/quality_texts.h"
#include "dicgen/kana.h"

namespace {

using namespace quality;

// The generator's own UTF-8 and kana helpers, so that both sides convert alike.
using dicgen::ToHiragana;
std::u32string Decode(std::string_view bytes) { return dicgen::DecodeUtf8(bytes); }
std::string Encode(std::u32string_view text) { return dicgen::EncodeUtf8(text); }

constexpr int kDefaultTop = 30;


// ---- Comparing --------------------------------------------------------------------------

struct Disagreement {
  long long count = 0;
  bool sound_change_fits = false;  // ours is UniDic's reading with a sound change it marks
};

struct Tally {
  long long kanji = 0;
  long long kanji_with_reading = 0;
  long long runs = 0;
  long long agreed = 0;
  long long disagreed = 0;
  long long not_fully_covered = 0;  // disagreements in which we left a kanji bare
  long long sound_change_fits = 0;  // disagreements that a marked sound change explains
  long long unclear = 0;            // UniDic gave no clean reading
  std::unordered_map<std::string, Disagreement> disagreements;  // RUN TAB OURS TAB UNIDIC
  std::ostream* contexts = nullptr;  // every disagreement where it stands, when asked for
};

constexpr std::size_t kContextWidth = 8;

// The run [start, end) in brackets, with up to kContextWidth characters of its line either side.
std::u32string RunInContext(const std::u32string& text, std::size_t start, std::size_t end) {
  std::size_t from = start;
  while (from > 0 && start - from < kContextWidth && text[from - 1] != U'\n') --from;
  std::size_t to = end;
  while (to < text.size() && to - end < kContextWidth && text[to] != U'\n') ++to;
  std::u32string shown = text.substr(from, start - from);
  shown += U'[';
  shown.append(text, start, end - start);
  shown += U']';
  shown.append(text, end, to - end);
  std::replace(shown.begin(), shown.end(), U'\t', U' ');
  return shown;
}

// Our reading of the run [start, end): the groups on it joined; a kanji without a group
// stands for itself.
std::u32string OurReading(const RubyText& ruby, std::size_t start, std::size_t end,
                          bool& fully_covered) {
  std::u32string reading;
  fully_covered = true;
  for (std::size_t p = start; p < end;) {
    int g = ruby.group_at[p];
    if (g == kNone || ruby.groups[g].reading.empty()) {
      reading.push_back(ruby.text[p]);
      fully_covered = false;
      ++p;
    } else {
      reading += ruby.groups[g].reading;
      p = std::max(p + 1, ruby.groups[g].end);
    }
  }
  return reading;
}

struct UnidicRun {
  std::u32string reading;
  // Offsets in `reading` of kana that UniDic marks for a sound change it leaves out inside
  // the run: the first kana of a token that starts inside it (日曜 + 日: UniDic reads 日 ひ,
  // the compound says び) and the last kana of a token that ends inside it (一 いち + ヶ月).
  std::vector<std::size_t> voicing_points;
  std::vector<std::size_t> gemination_points;
};

// UniDic's reading of the run [start, end), or false when a token on it has no reading or
// its reading cannot be split over its surface.
bool UnidicReading(const std::u32string& text, const std::vector<bool>& kanji,
                   const TokenizedText& tokenized, std::size_t start, std::size_t end,
                   UnidicRun& run) {
  run = UnidicRun{};
  for (std::size_t p = start; p < end;) {
    int t = tokenized.token_at[p];
    if (t == kNone) return false;
    const Token& token = tokenized.tokens[t];
    if (token.reading.empty()) return false;
    std::u32string surface = text.substr(token.start, token.end - token.start);
    std::vector<bool> flags(kanji.begin() + token.start, kanji.begin() + token.end);
    std::vector<std::pair<std::size_t, std::u32string>> split;
    if (!Align(surface, flags, 0, token.reading, 0, split)) return false;
    if (token.initial_change && token.start > start) {
      run.voicing_points.push_back(run.reading.size());
    }
    for (const auto& [offset, part] : split) {
      std::size_t at = token.start + offset;
      if (at >= start && at < end) run.reading += part;
    }
    if (token.final_change && token.end < end && !run.reading.empty()) {
      run.gemination_points.push_back(run.reading.size() - 1);
    }
    p = token.end;
  }
  return true;
}

// か → が, は → ば or ぱ: the voiced and half-voiced kana follow the plain one in Unicode.
bool IsSoundChangeOf(char32_t changed, char32_t plain) {
  bool ka_to_do = (plain >= U'か' && plain <= U'ぢ' && (plain - U'か') % 2 == 0) ||
                  (plain >= U'つ' && plain <= U'ど' && (plain - U'つ') % 2 == 0);
  bool ha_to_ho = plain >= U'は' && plain <= U'ぽ' && (plain - U'は') % 3 == 0;
  return (ka_to_do && changed == plain + 1) ||
         (ha_to_ho && (changed == plain + 1 || changed == plain + 2));
}

bool Contains(const std::vector<std::size_t>& points, std::size_t i) {
  return std::find(points.begin(), points.end(), i) != points.end();
}

bool SoundChangeFits(const std::u32string& ours, const UnidicRun& theirs) {
  if (ours.size() != theirs.reading.size()) return false;
  for (std::size_t i = 0; i < ours.size(); ++i) {
    if (ours[i] == theirs.reading[i]) continue;
    bool voiced = Contains(theirs.voicing_points, i) && IsSoundChangeOf(ours[i], theirs.reading[i]);
    bool geminated = Contains(theirs.gemination_points, i) && ours[i] == U'っ';
    if (!voiced && !geminated) return false;
  }
  return true;
}

void CompareRun(const RubyText& ruby, const std::vector<bool>& kanji,
                const TokenizedText& tokenized, std::size_t start, std::size_t end, Tally& tally) {
  ++tally.runs;
  tally.kanji += static_cast<long long>(end - start);
  for (std::size_t p = start; p < end; ++p) {
    int g = ruby.group_at[p];
    if (g != kNone && !ruby.groups[g].reading.empty()) ++tally.kanji_with_reading;
  }
  UnidicRun theirs;
  if (!UnidicReading(ruby.text, kanji, tokenized, start, end, theirs)) {
    ++tally.unclear;
    return;
  }
  bool fully_covered = true;
  std::u32string ours = OurReading(ruby, start, end, fully_covered);
  if (ours == theirs.reading) {
    ++tally.agreed;
    return;
  }
  ++tally.disagreed;
  if (!fully_covered) ++tally.not_fully_covered;
  bool fits = SoundChangeFits(ours, theirs);
  if (fits) ++tally.sound_change_fits;
  std::string key = Encode(std::u32string_view(ruby.text).substr(start, end - start)) + "\t" +
                    Encode(ours) + "\t" + Encode(theirs.reading);
  Disagreement& entry = tally.disagreements[key];
  ++entry.count;
  entry.sound_change_fits = fits;
  if (tally.contexts != nullptr) {
    *tally.contexts << key << '\t' << Encode(RunInContext(ruby.text, start, end)) << '\n';
  }
}

Tally Compare(const RubyText& ruby, const TokenizedText& tokenized, std::ostream* contexts) {
  std::vector<bool> kanji = KanjiFlags(ruby.text);
  Tally tally;
  tally.contexts = contexts;
  for (std::size_t p = 0; p < ruby.text.size();) {
    if (!kanji[p]) {
      ++p;
      continue;
    }
    std::size_t end = p;
    while (end < ruby.text.size() && kanji[end]) ++end;
    CompareRun(ruby, kanji, tokenized, p, end, tally);
    p = end;
  }
  return tally;
}

// ---- Report -----------------------------------------------------------------------------

double Percent(long long part, long long whole) {
  return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

std::vector<std::pair<std::string, Disagreement>> Commonest(const Tally& tally) {
  std::vector<std::pair<std::string, Disagreement>> sorted(tally.disagreements.begin(),
                                                           tally.disagreements.end());
  std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
    return a.second.count != b.second.count ? a.second.count > b.second.count : a.first < b.first;
  });
  return sorted;
}

constexpr const char* kSoundChangeNote = "sound change";

void PrintReport(const Tally& tally, int top) {
  long long compared = tally.agreed + tally.disagreed;
  std::printf("kanji: %lld, with a reading: %lld (coverage %.2f%%)\n", tally.kanji,
              tally.kanji_with_reading, Percent(tally.kanji_with_reading, tally.kanji));
  std::printf("kanji runs: %lld; compared: %lld; UniDic gave no clean reading: %lld\n", tally.runs,
              compared, tally.unclear);
  std::printf(
      "agreement per kanji run: %.2f%% (%lld agree, %lld disagree, %lld of them with "
      "a kanji left bare)\n",
      Percent(tally.agreed, compared), tally.agreed, tally.disagreed, tally.not_fully_covered);
  std::printf(
      "  counting as agreed the %lld runs where ours is UniDic's reading with the sound "
      "changes UniDic marks but leaves out (日曜+日 ひ → び, 一+ヶ月 いち → いっ): %.2f%%\n",
      tally.sound_change_fits, Percent(tally.agreed + tally.sound_change_fits, compared));
  auto sorted = Commonest(tally);
  std::printf("the %d commonest disagreements (run  ours  unidic  count):\n", top);
  for (std::size_t i = 0; i < sorted.size() && i < static_cast<std::size_t>(top); ++i) {
    std::string line = sorted[i].first;
    std::replace(line.begin(), line.end(), '\t', ' ');
    std::printf("  %s  %lld%s\n", line.c_str(), sorted[i].second.count,
                sorted[i].second.sound_change_fits ? "  (sound change)" : "");
  }
}

// RUN TAB OURS TAB UNIDIC TAB COUNT, and TAB "sound change" where that explains it.
bool Dump(const Tally& tally, const char* path) {
  std::ofstream out(path, std::ios::binary);
  for (const auto& [key, entry] : Commonest(tally)) {
    out << key << '\t' << entry.count;
    if (entry.sound_change_fits) out << '\t' << kSoundChangeNote;
    out << '\n';
  }
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: quality_compare RUBY_FILE_UTF8 MECAB_OUTPUT [--top N] [--dump FILE]"
                 " [--contexts FILE]\n";
    return 2;
  }
  int top = kDefaultTop;
  const char* dump_path = nullptr;
  const char* contexts_path = nullptr;
  for (int i = 3; i + 1 < argc; i += 2) {
    std::string_view option = argv[i];
    if (option == "--top") top = std::atoi(argv[i + 1]);
    if (option == "--dump") dump_path = argv[i + 1];
    if (option == "--contexts") contexts_path = argv[i + 1];
  }
  std::string ruby_bytes;
  std::ifstream mecab_output(argv[2], std::ios::binary);
  if (!ReadWhole(argv[1], ruby_bytes) || !mecab_output) {
    std::cerr << "quality_compare: cannot read " << argv[1] << " or " << argv[2] << "\n";
    return 1;
  }
  RubyText ruby = ParseRubyFile(Decode(ruby_bytes));
  ruby_bytes = std::string();  // the decoded text is all that is needed from here on
  TokenizedText tokenized = PlaceTokens(ruby.text, mecab_output);
  std::ofstream contexts;
  if (contexts_path != nullptr) contexts.open(contexts_path, std::ios::binary);
  Tally tally = Compare(ruby, tokenized, contexts_path != nullptr ? &contexts : nullptr);
  if (contexts_path != nullptr && !contexts) {
    std::cerr << "quality_compare: cannot write " << contexts_path << "\n";
    return 1;
  }
  PrintReport(tally, top);
  if (dump_path != nullptr && !Dump(tally, dump_path)) {
    std::cerr << "quality_compare: cannot write " << dump_path << "\n";
    return 1;
  }
  return 0;
}
