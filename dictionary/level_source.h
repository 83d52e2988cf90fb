// The twelve kanji-test lists read into level entries, and those entries laid out as
// kanken_Q.dic. Pure functions: the file work is the builder's.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/level_dictionary.h"

namespace dictionary {

// The lists in dic/q_file/, in level-index order: "q1.txt" (1級) … "q10.txt" (10級).
inline constexpr std::array<std::string_view, kLevelCount> kLevelSourceNames = {
    "q1.txt", "qj1.txt", "q2.txt", "qj2.txt", "q3.txt", "q4.txt",
    "q5.txt", "q6.txt",  "q7.txt", "q8.txt",  "q9.txt", "q10.txt"};

struct LevelEntry {
  std::uint16_t kanji = 0;
  int level_index = 0;
};

// `texts[i]` is the list of level index i with LF line ends. A line that begins with "#" or a
// space is a comment, and so is an empty one; of every other line the first two bytes are the
// kanji. Entries come in list order, then line order.
std::vector<LevelEntry> CollectLevelEntries(const std::array<std::string, kLevelCount>& texts);

struct LevelLimits {
  bool fit = true;
  int fullest_bucket = 0;  // when a bucket is over full
  int bucket_entries = 0;
};

// Whether the readers can take every entry: at most kLevelMaxEntries in all, at most
// kLevelMaxBucketEntries in one bucket.
LevelLimits CheckLevelLimits(const std::vector<LevelEntry>& entries);

// The whole file. The caller has checked the entries with CheckLevelLimits.
std::string EncodeLevelDictionary(const std::vector<LevelEntry>& entries);

}  // namespace dictionary
