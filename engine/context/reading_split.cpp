// A search for the fewest pieces that cover both the run and its reading: a piece is a word of
// the dictionary (two characters or more, read as the dictionary reads it) or one kanji with a
// reading it takes in the dictionary's words, each also with the sound changes of a compound.
#include "engine/context/reading_split.h"

#include <limits>

#include "common/encoding/sjis.h"

namespace engine::context {
namespace {

constexpr std::uint16_t kSmallTsu = 0x82C1;  // っ

std::string CharOf(std::uint16_t code) {
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// か…と rows: the voiced kana follows its plain one. は row: ば and ぱ follow.
void AddVoiced(std::uint16_t first, std::string_view rest, std::vector<std::string>& out) {
  auto add = [&](std::uint16_t code) { out.push_back(CharOf(code) + std::string(rest)); };
  static constexpr std::uint16_t kVoicable[] = {
      0x82A9, 0x82AB, 0x82AD, 0x82AF, 0x82B1,  // かきくけこ
      0x82B3, 0x82B5, 0x82B7, 0x82B9, 0x82BB,  // さしすせそ
      0x82BD, 0x82BF, 0x82C2, 0x82C4, 0x82C6,  // たちつてと
  };
  static constexpr std::uint16_t kHaRow[] = {0x82CD, 0x82D0, 0x82D3, 0x82D6, 0x82D9};
  for (std::uint16_t code : kVoicable) {
    if (first == code) add(code + 1);
  }
  for (std::uint16_t code : kHaRow) {
    if (first == code) {
      add(code + 1);
      add(code + 2);
    }
  }
}

bool EndsInDoublingKana(std::uint16_t last) {
  return last == 0x82C2 /*つ*/ || last == 0x82BF /*ち*/ || last == 0x82AD /*く*/ ||
         last == 0x82AB /*き*/;
}

struct Piece {
  std::size_t chars = 0;  // characters taken
  std::size_t bytes = 0;  // reading bytes taken
  Segments segments;      // of the characters taken
};

// The segments of a word whose joined reading took a sound-change form: the first and last
// segments change with it.
Segments ReformSegments(const Segments& segments, std::string_view form) {
  Segments out = segments;
  std::size_t first_size = out.front().size();
  out.front() = std::string(form.substr(0, first_size));
  if (out.size() > 1) {
    std::size_t last_start = form.size() - out.back().size();
    out.back() = std::string(form.substr(last_start));
  } else {
    out.front() = std::string(form);
  }
  return out;
}

// A piece that may start at one character, whatever part of the reading is left there: the
// dictionary's words that start at it, then the character's own readings.
struct Candidate {
  std::size_t chars = 0;
  std::string form;   // the reading it takes
  Segments segments;  // of a dictionary word, before the form reshapes them; empty for a kanji
};

// The candidates at character `i`, found once for every place in the reading they may take.
std::vector<Candidate> CandidatesAt(const Lexicon& lexicon,
                                    const std::vector<std::string_view>& chars, std::size_t i) {
  std::vector<Candidate> candidates;
  std::string word;
  for (std::size_t k = i; k < chars.size() && k - i < dictionary::kMaxWordLength; ++k) {
    word += chars[k];
    if (k == i) continue;
    Segments segments;
    if (!lexicon.Find(word, segments)) continue;
    std::string joined;
    for (const std::string& s : segments) joined += s;
    if (joined.empty() || segments.back().empty()) continue;
    for (std::string& form : SoundChangeForms(joined)) {
      candidates.push_back({k - i + 1, std::move(form), segments});
    }
  }
  return candidates;
}

void AddPiecesAt(const Lexicon& lexicon, const std::vector<Candidate>& candidates,
                 std::uint16_t code, std::string_view rest, const Segments& before,
                 std::vector<Piece>& pieces) {
  for (const Candidate& candidate : candidates) {
    if (rest.starts_with(candidate.form)) {
      pieces.push_back({candidate.chars, candidate.form.size(),
                        ReformSegments(candidate.segments, candidate.form)});
    }
  }
  if (code == common::kIterationMark && !before.empty() && !before.back().empty()) {
    for (const std::string& form : SoundChangeForms(before.back())) {
      if (rest.starts_with(form)) pieces.push_back({1, form.size(), {form}});
    }
  }
  for (const std::string& known : lexicon.ReadingsOf(code)) {
    for (const std::string& form : SoundChangeForms(known)) {
      if (rest.starts_with(form)) pieces.push_back({1, form.size(), {form}});
    }
  }
}

}  // namespace

std::uint16_t CodeAt(std::string_view sjis, std::size_t offset) {
  if (offset + 2 > sjis.size()) return 0;
  return common::CodeOf(static_cast<unsigned char>(sjis[offset]),
                        static_cast<unsigned char>(sjis[offset + 1]));
}

std::vector<std::string> SoundChangeForms(std::string_view reading) {
  std::vector<std::string> forms = {std::string(reading)};
  if (reading.size() < 2) return forms;
  AddVoiced(CodeAt(reading, 0), reading.substr(2), forms);
  if (reading.size() >= 4 && EndsInDoublingKana(CodeAt(reading, reading.size() - 2))) {
    std::size_t count = forms.size();
    for (std::size_t f = 0; f < count; ++f) {
      forms.push_back(forms[f].substr(0, forms[f].size() - 2) + CharOf(kSmallTsu));
    }
  }
  return forms;
}

Segments SplitReading(const Lexicon& lexicon, const std::vector<std::string_view>& chars,
                      std::string_view reading) {
  std::size_t n = chars.size();
  Segments whole(n);
  if (n == 0) return whole;
  whole.back() = std::string(reading);
  // One character takes the whole reading, whatever the dictionary holds for it.
  if (n == 1) return whole;
  Segments found;
  if (lexicon.Find(
          [&] {
            std::string word;
            for (std::string_view c : chars) word += c;
            return word;
          }(),
          found)) {
    std::string joined;
    for (const std::string& s : found) joined += s;
    if (joined == reading && !found.back().empty()) return found;
  }

  // best[i][j]: the fewest pieces that cover i characters and j bytes of the reading.
  std::size_t m = reading.size();
  constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
  std::vector<std::vector<std::size_t>> best(n + 1, std::vector<std::size_t>(m + 1, kNone));
  std::vector<std::vector<Segments>> way(n + 1, std::vector<Segments>(m + 1));
  best[0][0] = 0;
  for (std::size_t i = 0; i < n; ++i) {
    std::vector<Candidate> candidates;
    bool found_candidates = false;
    const std::uint16_t code = CodeAt(chars[i], 0);
    for (std::size_t j = 0; j <= m; j += 2) {
      if (best[i][j] == kNone) continue;
      if (!found_candidates) {
        candidates = CandidatesAt(lexicon, chars, i);
        found_candidates = true;
      }
      std::vector<Piece> pieces;
      AddPiecesAt(lexicon, candidates, code, reading.substr(j), way[i][j], pieces);
      for (Piece& piece : pieces) {
        std::size_t ni = i + piece.chars;
        std::size_t nj = j + piece.bytes;
        if (best[i][j] + 1 >= best[ni][nj]) continue;
        best[ni][nj] = best[i][j] + 1;
        Segments segments = way[i][j];
        segments.insert(segments.end(), piece.segments.begin(), piece.segments.end());
        way[ni][nj] = std::move(segments);
      }
    }
  }
  if (best[n][m] == kNone) return whole;
  return way[n][m];
}

}  // namespace engine::context
