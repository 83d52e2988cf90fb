// The judgement replays the matching pass on the word alone: for each length from one below
// the word's own down to 1, windows of still uncovered characters are looked up left to right,
// and a found word covers its characters.
#include "dicgen/redundant_forms.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace dicgen {
namespace {

using SurfaceIndex = std::unordered_map<std::u32string_view, std::size_t>;

class Replay {
 public:
  Replay(const std::vector<WordEntry>& entries, const SurfaceIndex& index,
         const std::vector<bool>& kept)
      : entries_(entries), index_(index), kept_(kept) {}

  // The reading each character of `word` gets from the words of at most `longest` characters
  // that stay (nullptr for a character without).
  std::vector<const std::u32string*> ReadingsOf(std::u32string_view word,
                                                const std::vector<bool>& targets,
                                                std::size_t longest) {
    std::vector<const std::u32string*> readings(word.size(), nullptr);
    std::vector<bool> covered(word.size(), false);
    for (std::size_t length = std::min(longest, word.size()); length >= 1; --length) {
      for (std::size_t at = 0; at + length <= word.size();) {
        if (std::any_of(covered.begin() + at, covered.begin() + at + length,
                        [](bool c) { return c; })) {
          ++at;
          continue;
        }
        auto found = index_.find(word.substr(at, length));
        if (found == index_.end() || !kept_[found->second]) {
          ++at;
          continue;
        }
        Cover(entries_[found->second], at, targets, readings, covered);
        at += length;
      }
    }
    return readings;
  }

 private:
  void Cover(const WordEntry& match, std::size_t at, const std::vector<bool>& targets,
             std::vector<const std::u32string*>& readings, std::vector<bool>& covered) {
    std::size_t segment = 0;
    for (std::size_t i = 0; i < match.surface.size(); ++i) {
      covered[at + i] = true;
      if (targets[at + i] && segment < match.segments.size()) {
        readings[at + i] = &match.segments[segment++];
      }
    }
  }

  const std::vector<WordEntry>& entries_;
  const SurfaceIndex& index_;
  const std::vector<bool>& kept_;
};

// Whether `readings` (per character, from `from` on) give the ruby targets of `entry` from
// that character on the readings of `entry`.
bool ReadsTheSame(const WordEntry& entry, const std::vector<bool>& targets, std::size_t from,
                  std::size_t to, const std::vector<const std::u32string*>& readings) {
  std::size_t segment = std::count(targets.begin(), targets.begin() + from, true);
  for (std::size_t i = from; i < to; ++i) {
    if (!targets[i]) continue;
    const std::u32string* reading = readings[i - from];
    if (reading == nullptr || *reading != entry.segments[segment]) return false;
    ++segment;
  }
  return true;
}

// Whether `longer` (which begins at character `at` of `entry` and runs on past its end) reads
// the characters it shares with `entry` as `entry` does.
bool SharesReadings(const WordEntry& entry, const std::vector<bool>& targets, std::size_t at,
                    const WordEntry& longer) {
  std::vector<const std::u32string*> readings(entry.surface.size() - at, nullptr);
  std::size_t segment = 0;
  for (std::size_t i = at; i < entry.surface.size(); ++i) {
    if (targets[i] && segment < longer.segments.size()) {
      readings[i - at] = &longer.segments[segment++];
    }
  }
  return ReadsTheSame(entry, targets, at, entry.surface.size(), readings);
}

struct Redundancy {
  const std::vector<WordEntry>& entries;
  const SurfaceIndex& index;
  const std::vector<std::size_t>& by_surface;  // indexes of entries in surface order
  const std::vector<bool>& kept;

  bool IsRedundant(const WordEntry& entry, const std::function<bool(char32_t)>& is_target) const {
    std::u32string_view word = entry.surface;
    if (word.size() < 2) return false;
    std::vector<bool> targets(word.size());
    std::transform(word.begin(), word.end(), targets.begin(), is_target);
    Replay replay(entries, index, kept);
    if (!ReadsTheSame(entry, targets, 0, word.size(),
                      replay.ReadingsOf(word, targets, word.size() - 1))) {
      return false;
    }
    for (std::size_t at = 1; at < word.size(); ++at) {
      // A word that begins in the kana after the last ruby target takes no reading from it.
      if (std::find(targets.begin() + at, targets.end(), true) == targets.end()) break;
      if (!SurvivesLongerWordsAt(entry, targets, at, replay)) return false;
    }
    return true;
  }

  // Whether every word that begins at character `at` of `entry` and runs on past its end (but
  // is no longer than `entry`, which would be matched first) leaves the readings as they are:
  // it reads the shared characters alike, and the characters before it read alike alone.
  bool SurvivesLongerWordsAt(const WordEntry& entry, const std::vector<bool>& targets,
                             std::size_t at, Replay& replay) const {
    std::u32string_view rest = std::u32string_view(entry.surface).substr(at);
    auto first = std::lower_bound(by_surface.begin(), by_surface.end(), rest,
                                  [this](std::size_t i, std::u32string_view key) {
                                    return std::u32string_view(entries[i].surface) < key;
                                  });
    bool head_checked = false;
    for (auto it = first; it != by_surface.end(); ++it) {
      const WordEntry& longer = entries[*it];
      if (!std::u32string_view(longer.surface).starts_with(rest)) break;
      if (!kept[*it] || longer.surface.size() == rest.size()) continue;
      if (longer.surface.size() > entry.surface.size()) continue;
      if (!SharesReadings(entry, targets, at, longer)) return false;
      if (!head_checked) {
        std::u32string_view head = std::u32string_view(entry.surface).substr(0, at);
        std::vector<bool> head_targets(targets.begin(), targets.begin() + at);
        if (!ReadsTheSame(entry, targets, 0, at, replay.ReadingsOf(head, head_targets, at))) {
          return false;
        }
        head_checked = true;
      }
    }
    return true;
  }
};

}  // namespace

std::vector<WordEntry> DropRedundantForms(std::vector<WordEntry> entries,
                                          const std::function<bool(char32_t)>& is_target) {
  SurfaceIndex index;
  for (std::size_t i = 0; i < entries.size(); ++i) index.emplace(entries[i].surface, i);
  std::vector<std::size_t> order(entries.size());
  std::iota(order.begin(), order.end(), 0);
  std::vector<std::size_t> by_surface = order;
  std::sort(by_surface.begin(), by_surface.end(), [&entries](std::size_t a, std::size_t b) {
    return entries[a].surface < entries[b].surface;
  });
  std::stable_sort(order.begin(), order.end(), [&entries](std::size_t a, std::size_t b) {
    return entries[a].surface.size() < entries[b].surface.size();
  });
  std::vector<bool> kept(entries.size(), true);
  Redundancy judge{entries, index, by_surface, kept};
  for (std::size_t i : order) {
    if (judge.IsRedundant(entries[i], is_target)) kept[i] = false;
  }
  std::vector<WordEntry> out;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (kept[i]) out.push_back(std::move(entries[i]));
  }
  return out;
}

}  // namespace dicgen
