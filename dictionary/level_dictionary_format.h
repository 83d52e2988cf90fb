// The fixed layout of kanken_Q.dic (big-endian fields):
//
//   0     0x02, 0x39 (the low byte of the bucket count), 0, 0, "by Mokutaro", 0
//   16    569 buckets of 3 bytes: index of the bucket's first entry (BE16), entry count
//   1723  zeros up to 1824
//   1824  entries of 3 bytes: the kanji (lead byte, trail byte) and its level code, grouped by
//         bucket; inside a bucket in list order (1級 first) and line order
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace dictionary {

inline constexpr int kLevelBucketCount = 569;  // fixed; readers never take it from the file
inline constexpr std::size_t kLevelBucketOffset = 16;
inline constexpr std::size_t kLevelBucketSize = 3;
inline constexpr std::size_t kLevelEntryOffset = 1824;
inline constexpr std::size_t kLevelEntrySize = 3;
inline constexpr int kLevelMaxEntries = 7000;       // what the level filter reads
inline constexpr int kLevelMaxBucketEntries = 255;  // one byte holds a bucket's count
inline constexpr unsigned char kLevelFileMark = 0x02;
inline constexpr std::string_view kLevelMakerText = "by Mokutaro";
inline constexpr std::size_t kLevelMakerOffset = 4;

// Level codes "0"–"9", "A", "B" for level index 0–11 (1級 … 10級).
inline constexpr std::string_view kLevelCodes = "0123456789AB";

constexpr int LevelBucketOf(std::uint16_t kanji) { return kanji % kLevelBucketCount; }

// A reader's way back from a level code to the level index: mask, then close the gap between
// '9' and 'A'. Codes outside "0"–"9", "A", "B" give indexes outside 0–11.
constexpr int LevelIndexOfCode(unsigned char code) {
  int value = code & 0xCF;
  return value > 64 ? value - 55 : value;
}

}  // namespace dictionary
