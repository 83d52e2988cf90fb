// Reading the kanji-test lists and laying out kanken_Q.dic.
#include "dictionary/level_source.h"

#include <algorithm>

#include "common/encoding/sjis.h"
#include "dictionary/big_endian.h"
#include "dictionary/level_dictionary_format.h"

namespace dictionary {
namespace {

constexpr char kCommentMark = '#';
constexpr char kCommentSpace = ' ';
constexpr std::size_t kKanjiBytes = 2;

// An empty line holds no kanji; storing its line break as one would only waste a slot.
bool HoldsKanji(std::string_view line) {
  return line.size() >= kKanjiBytes && line.front() != kCommentMark &&
         line.front() != kCommentSpace;
}

std::array<int, kLevelBucketCount> BucketCounts(const std::vector<LevelEntry>& entries) {
  std::array<int, kLevelBucketCount> counts{};
  for (const LevelEntry& entry : entries) ++counts[LevelBucketOf(entry.kanji)];
  return counts;
}

std::string Header() {
  std::string header(kLevelBucketOffset, '\0');
  header[0] = static_cast<char>(kLevelFileMark);
  header[1] = static_cast<char>(kLevelBucketCount & 0xFF);
  header.replace(kLevelMakerOffset, kLevelMakerText.size(), kLevelMakerText);
  return header;
}

}  // namespace

std::vector<LevelEntry> CollectLevelEntries(const std::array<std::string, kLevelCount>& texts) {
  std::vector<LevelEntry> entries;
  for (int level = 0; level < kLevelCount; ++level) {
    std::string_view text = texts[static_cast<std::size_t>(level)];
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = std::min(text.find('\n', start), text.size());
      std::string_view line = text.substr(start, end - start);
      start = end + 1;
      if (!HoldsKanji(line)) continue;
      entries.push_back(
          {common::CodeOf(static_cast<unsigned char>(line[0]), static_cast<unsigned char>(line[1])),
           level});
    }
  }
  return entries;
}

LevelLimits CheckLevelLimits(const std::vector<LevelEntry>& entries) {
  LevelLimits limits;
  std::array<int, kLevelBucketCount> counts = BucketCounts(entries);
  auto fullest = std::max_element(counts.begin(), counts.end());
  limits.fullest_bucket = static_cast<int>(fullest - counts.begin());
  limits.bucket_entries = *fullest;
  limits.fit =
      static_cast<int>(entries.size()) <= kLevelMaxEntries && *fullest <= kLevelMaxBucketEntries;
  return limits;
}

std::string EncodeLevelDictionary(const std::vector<LevelEntry>& entries) {
  std::string out = Header();
  out.resize(kLevelEntryOffset + kLevelEntrySize * entries.size(), '\0');
  std::array<int, kLevelBucketCount> counts = BucketCounts(entries);
  std::array<int, kLevelBucketCount> next{};  // where the bucket's next entry goes
  int first = 0;
  for (int b = 0; b < kLevelBucketCount; ++b) {
    std::size_t at = kLevelBucketOffset + kLevelBucketSize * static_cast<std::size_t>(b);
    PutBe16(out, at, static_cast<std::uint16_t>(first));
    out[at + 2] = static_cast<char>(counts[static_cast<std::size_t>(b)]);
    next[static_cast<std::size_t>(b)] = first;
    first += counts[static_cast<std::size_t>(b)];
  }
  for (const LevelEntry& entry : entries) {
    int& position = next[static_cast<std::size_t>(LevelBucketOf(entry.kanji))];
    std::size_t at = kLevelEntryOffset + kLevelEntrySize * static_cast<std::size_t>(position++);
    PutBe16(out, at, entry.kanji);
    out[at + 2] = kLevelCodes[static_cast<std::size_t>(entry.level_index)];
  }
  return out;
}

}  // namespace dictionary
