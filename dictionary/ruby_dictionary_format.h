// The binary ruby dictionary: a 512-byte header, then one hash section per word length 1–10.
// All integers are little-endian; every region starts at a multiple of 32.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/encoding/sjis.h"

namespace dictionary {

inline constexpr int kMaxWordLength = 10;
inline constexpr std::size_t kHeaderSize = 512;
inline constexpr std::size_t kAlignment = 32;

// The signature: "霧島ぺんぎん堂" in Shift_JIS at offset 0, "user_.dic 02" at offset 16.
inline constexpr std::string_view kMakerText =
    "\x96\xB6\x93\x87\x82\xD8\x82\xF1\x82\xAC\x82\xF1\x93\xB0";
inline constexpr std::size_t kMakerOffset = 0;
inline constexpr std::string_view kVersionText = "user_.dic 02";
inline constexpr std::size_t kVersionOffset = 16;
inline constexpr std::size_t kHighestLengthOffset = 32;
inline constexpr std::size_t kRecordsOffset = 192;
inline constexpr std::size_t kRecordSize = 32;

// Bucket counts the builder writes, per word length 1–10 (primes; readers use the header).
inline constexpr std::array<std::uint16_t, kMaxWordLength> kBucketCounts = {
    997, 12227, 6551, 1999, 997, 997, 997, 499, 499, 499};

// Encoded readings: one byte per hiragana (its trail byte after 0x82), 0xF2 for ー.
inline constexpr unsigned char kEncodedLongVowel = 0xF2;
using common::kHiraganaLead;
inline constexpr char kSegmentSeparator = '*';
inline constexpr char kAlternativeSeparator = '|';

// Limits of the file layout, per word length.
inline constexpr std::size_t kMaxBucketKeys = 255;  // one-byte count per bucket
inline constexpr std::uint32_t kMaxOffset = (1u << 24) - 1;

struct LengthRecord {
  std::uint16_t hushv = 0;  // buckets
  std::uint16_t gosuu = 0;  // words, low 16 bits
  std::uint32_t dicd_ofs = 0;   // bucket table
  std::uint32_t jukud_ofs = 0;  // key table
  std::uint32_t adrs_ofs = 0;   // address table
  std::uint32_t yomid_ofs = 0;  // reading area
};

inline std::uint32_t ReadLe16(const char* p) {
  return static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[1]) << 8;
}
inline std::uint32_t ReadLe24(const char* p) {
  return ReadLe16(p) | static_cast<std::uint32_t>(static_cast<unsigned char>(p[2])) << 16;
}
inline void WriteLe16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}
inline void WriteLe24(std::string& out, std::uint32_t value) {
  WriteLe16(out, value);
  out += static_cast<char>((value >> 16) & 0xFF);
}
inline void WriteLe32(std::string& out, std::uint32_t value) {
  WriteLe24(out, value);
  out += static_cast<char>((value >> 24) & 0xFF);
}

// Bucket of a key of 2 × L bytes: each character as a 16-bit word with the trail byte high,
// summed with 16-bit wrap-around, modulo the bucket count. 漢 lands in bucket 181 of 997.
inline std::uint32_t BucketOf(std::string_view key, std::uint32_t bucket_count) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i + 1 < key.size(); i += 2) {
    sum += static_cast<unsigned char>(key[i]) | static_cast<unsigned char>(key[i + 1]) << 8;
  }
  return (sum & 0xFFFF) % bucket_count;
}

// The same bucket, for lookups: the 16-bit sum reduced without a division (a multiply by a
// precomputed reciprocal is exact for 16-bit sums and bucket counts).
class BucketModulus {
 public:
  BucketModulus() = default;
  explicit BucketModulus(std::uint32_t bucket_count)
      : count_(bucket_count), magic_(bucket_count ? 0xFFFFFFFFu / bucket_count + 1 : 0) {}
  std::uint32_t Of(std::string_view key) const {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < key.size(); i += 2) {
      sum += static_cast<unsigned char>(key[i]) | static_cast<unsigned char>(key[i + 1]) << 8;
    }
    std::uint32_t low = magic_ * (sum & 0xFFFF);
    return static_cast<std::uint32_t>((std::uint64_t{low} * count_) >> 32);
  }

 private:
  std::uint32_t count_ = 0;
  std::uint32_t magic_ = 0;
};

// Length record fields as stored; offsets keep their low three bytes only.
LengthRecord ParseLengthRecord(const char* record);
void AppendLengthRecord(std::string& out, const LengthRecord& record);

// Decodes an encoded reading into Shift_JIS: byte b gives 0x82 b, 0xF2 gives ー, '*' and '|'
// stay as they are.
std::string DecodeReading(std::string_view encoded);

}  // namespace dictionary
