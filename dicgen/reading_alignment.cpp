// A small search: the surface is cut into runs of ruby targets and single other characters;
// each run takes some stretch of the reading, and within a run a dynamic programme picks the
// per-kanji split with the best KANJIDIC evidence. A group inside a run is trusted only where
// no other split scores as well: 八百屋 やおや reads や + 百屋 おや as well as 八百 やお + や,
// so nobody can tell where the kanji's readings part, and the whole run takes the group.
#include "dicgen/reading_alignment.h"

#include <algorithm>
#include <map>
#include <utility>

#include "dicgen/kana.h"

namespace dicgen {
namespace {

constexpr int kGroupScore = -5;     // group ruby: better than nothing, worse than any split
constexpr int kUnknownScore = -40;  // a lone kanji whose reading KANJIDIC does not know
constexpr int kNoScore = -1000000;

// Kana that never start the reading of a character: ゃ ゅ ょ っ ぁ…, ん and ー.
bool CanStartSegment(char32_t c) {
  static constexpr std::u32string_view kNeverFirst = U"ぁぃぅぇぉっゃゅょゎんー";
  return kNeverFirst.find(c) == std::u32string_view::npos;
}

struct Piece {
  std::size_t begin = 0;  // in the surface
  std::size_t end = 0;
  bool run = false;  // a run of ruby targets, else one other character
};

struct Step {
  int score = kNoScore;
  std::size_t from_char = 0;
  std::size_t from_pos = 0;
  bool tied = false;  // another split of these characters over these kana scores as well
};
using StepTable = std::vector<std::vector<Step>>;

// Records that the first i characters can take the first j kana with `score`, reached from
// (from_i, from_j). An equal score by another way marks the split as tied.
void Offer(StepTable& best, std::size_t i, std::size_t j, std::size_t from_i, std::size_t from_j,
           int score) {
  Step& step = best[i][j];
  if (score > step.score) {
    step = {score, from_i, from_j, best[from_i][from_j].tied};
  } else if (score == step.score && (from_i != step.from_char || from_j != step.from_pos)) {
    step.tied = true;
  }
}

// The segments of the best split that `best` found, from its last step back. A group gives its
// whole reading to its last character; the others stay empty.
Alignment TraceBack(const StepTable& best, std::u32string_view text) {
  std::size_t chars = best.size() - 1;
  Alignment alignment;
  alignment.score = best[chars][text.size()].score;
  alignment.segments.resize(chars);
  for (std::size_t i = chars, j = text.size(); i > 0;) {
    const Step& step = best[i][j];
    alignment.segments[i - 1] = std::u32string(text.substr(step.from_pos, j - step.from_pos));
    i = step.from_char;
    j = step.from_pos;
  }
  return alignment;
}

// Whether a group covers some of the run's characters while others take readings of their own:
// 八百屋 やおや as や + 百屋 おや.
bool HasPartialGroup(const Alignment& alignment) {
  const std::vector<std::u32string>& segments = alignment.segments;
  bool group = std::any_of(segments.begin(), segments.end() - 1,
                           [](const std::u32string& segment) { return segment.empty(); });
  bool grouped_all = std::all_of(segments.begin(), segments.end() - 1,
                                 [](const std::u32string& segment) { return segment.empty(); });
  return group && !grouped_all;
}

// The whole run under one group: its reading on the last character.
Alignment WholeGroup(std::size_t chars, std::u32string_view text) {
  Alignment alignment;
  alignment.score = kGroupScore;
  alignment.segments.resize(chars);
  alignment.segments.back() = std::u32string(text);
  return alignment;
}

class Aligner {
 public:
  Aligner(std::u32string_view surface, const std::vector<bool>& targets,
          std::u32string_view reading, const KanjiReadings& readings)
      : surface_(surface), reading_(reading), readings_(readings) {
    for (std::size_t i = 0; i < surface.size();) {
      std::size_t end = i + 1;
      if (targets[i]) {
        while (end < surface.size() && targets[end]) ++end;
      }
      pieces_.push_back({i, end, targets[i]});
      i = end;
    }
  }

  std::optional<Alignment> Solve(std::size_t piece, std::size_t pos) {
    if (piece == pieces_.size()) {
      if (pos != reading_.size()) return std::nullopt;
      return Alignment{};
    }
    auto key = std::make_pair(piece, pos);
    if (auto known = memo_.find(key); known != memo_.end()) return known->second;
    std::optional<Alignment> best =
        pieces_[piece].run ? SolveRun(piece, pos) : SolveLiteral(piece, pos);
    memo_[key] = best;
    return best;
  }

 private:
  std::optional<Alignment> SolveLiteral(std::size_t piece, std::size_t pos) {
    char32_t c = ToHiragana(surface_[pieces_[piece].begin]);
    if (IsReadingKana(c)) {
      if (pos >= reading_.size() || reading_[pos] != c) return std::nullopt;
      return Solve(piece + 1, pos + 1);
    }
    // A letter or symbol (Ｘ線, 〇) stands for whatever stretch of the reading it takes.
    std::optional<Alignment> best;
    for (std::size_t end = pos; end <= reading_.size(); ++end) {
      std::optional<Alignment> rest = Solve(piece + 1, end);
      if (rest && (!best || rest->score > best->score)) best = rest;
    }
    return best;
  }

  std::optional<Alignment> SolveRun(std::size_t piece, std::size_t pos) {
    std::optional<Alignment> best;
    for (std::size_t end = pos + 1; end <= reading_.size(); ++end) {
      std::optional<Alignment> run = SplitRun(pieces_[piece], reading_.substr(pos, end - pos));
      if (!run) continue;
      std::optional<Alignment> rest = Solve(piece + 1, end);
      if (!rest) continue;
      int score = run->score + rest->score;
      if (best && score <= best->score) continue;
      run->segments.insert(run->segments.end(), rest->segments.begin(), rest->segments.end());
      run->score = score;
      best = std::move(run);
    }
    return best;
  }

  // The candidate readings of surface_[at], 々 taking those of the character before it.
  const std::vector<KanjiReading>* CandidatesAt(const Piece& run, std::size_t at) const {
    if (surface_[at] == U'々' && at > run.begin) return readings_.Find(surface_[at - 1]);
    return readings_.Find(surface_[at]);
  }

  std::optional<Alignment> SplitRun(const Piece& run, std::u32string_view text);
  void OfferKnownReadings(const Piece& run, std::size_t i, std::size_t j, std::u32string_view text,
                          StepTable& best) const;
  static void OfferFreeReadings(std::size_t chars, std::size_t i, std::size_t j,
                                std::u32string_view text, StepTable& best);

  std::u32string_view surface_;
  std::u32string_view reading_;
  const KanjiReadings& readings_;
  std::vector<Piece> pieces_;
  std::map<std::pair<std::size_t, std::size_t>, std::optional<Alignment>> memo_;
};

std::optional<Alignment> Aligner::SplitRun(const Piece& run, std::u32string_view text) {
  std::size_t chars = run.end - run.begin;
  // best[i][j]: the best score for the run's first i characters over text's first j kana.
  StepTable best(chars + 1, std::vector<Step>(text.size() + 1));
  best[0][0].score = 0;
  for (std::size_t i = 0; i < chars; ++i) {
    for (std::size_t j = 0; j < text.size(); ++j) {
      if (best[i][j].score == kNoScore) continue;
      OfferKnownReadings(run, i, j, text, best);
      OfferFreeReadings(chars, i, j, text, best);
    }
  }
  const Step& last = best[chars][text.size()];
  if (last.score == kNoScore) return std::nullopt;
  Alignment alignment = TraceBack(best, text);
  if (last.tied && HasPartialGroup(alignment)) return WholeGroup(chars, text);
  return alignment;
}

// Character i of the run takes one of its KANJIDIC readings from kana j on.
void Aligner::OfferKnownReadings(const Piece& run, std::size_t i, std::size_t j,
                                 std::u32string_view text, StepTable& best) const {
  std::size_t at = run.begin + i;
  const std::vector<KanjiReading>* candidates = CandidatesAt(run, at);
  if (candidates == nullptr) return;
  std::size_t chars = run.end - run.begin;
  std::u32string_view rest = text.substr(j);
  for (const KanjiReading& candidate : *candidates) {
    if (candidate.voiced && at == 0) continue;
    if (candidate.geminated && i + 1 == chars) continue;
    if (!rest.starts_with(candidate.kana)) continue;
    Offer(best, i + 1, j + candidate.kana.size(), i, j, best[i][j].score + candidate.score);
  }
}

// Any stretch of kana from j on, as the reading of a lone unknown kanji or of a group of two or
// more characters starting at character i.
void Aligner::OfferFreeReadings(std::size_t chars, std::size_t i, std::size_t j,
                                std::u32string_view text, StepTable& best) {
  std::u32string_view rest = text.substr(j);
  if (!CanStartSegment(rest.front())) return;
  int here = best[i][j].score;
  for (std::size_t length = 1; length <= rest.size(); ++length) {
    if (chars == 1) Offer(best, 1, j + length, 0, j, here + kUnknownScore);
    for (std::size_t end = i + 2; end <= chars; ++end) {
      Offer(best, end, j + length, i, j, here + kGroupScore);
    }
  }
}

}  // namespace

std::optional<Alignment> AlignReading(std::u32string_view surface, const std::vector<bool>& targets,
                                      std::u32string_view reading, const KanjiReadings& readings) {
  if (surface.empty() || targets.size() != surface.size()) return std::nullopt;
  return Aligner(surface, targets, reading, readings).Solve(0, 0);
}

}  // namespace dicgen
