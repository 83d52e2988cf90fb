// The fixed layout of HaitouNen.dic. The kanji count is not stored: readers take it from the
// setting H_KANJISUU, which the builder's caller keeps equal to what was written.
//
//   0     kanji table, 2 bytes per kanji (lead byte, trail byte), in source order
//   2176  record table, 5 bytes per kanji: first reading's offset in the reading area (BE16),
//         reading count, grade code (BE16)
//   7424  reading area: each reading as the trail bytes of its hiragana (ぁ–ん are 0x82 xx),
//         then a 0 byte
#pragma once

#include <cstddef>

#include "common/encoding/sjis.h"

namespace dictionary {

inline constexpr std::size_t kGradeKanjiTableOffset = 0;
inline constexpr std::size_t kGradeRecordTableOffset = 2176;
inline constexpr std::size_t kGradeRecordSize = 5;
inline constexpr std::size_t kGradeReadingAreaOffset = 7424;
inline constexpr std::size_t kGradeReadingAreaSize = 7200;  // what the grade filter reads
inline constexpr std::size_t kGradeFileSize = 16000;        // the builder zero-fills this much
// The record table must end by the reading area: (7424 − 2176) / 5.
inline constexpr int kGradeMaxKanji = 1049;
inline constexpr int kGradeMaxReadingsPerKanji = 255;  // one byte holds the count
using common::kHiraganaLead;  // implied before every stored byte
inline constexpr char kReadingEnd = 0;

}  // namespace dictionary
