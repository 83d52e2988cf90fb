// Header and length-section layout of the ruby dictionary.
#include "dictionary/dictionary_compiler.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "common/encoding/sjis.h"

namespace dictionary {
namespace {

void PadTo32(std::string& out) {
  out.append((kAlignment - out.size() % kAlignment) % kAlignment, '\0');
}

// Copies the four bytes of the entry at `table` over the `count` − 1 entries after it, in
// doubling blocks: a run of thousands of empty buckets is a few copies.
void RepeatEntry(char* table, std::size_t count) {
  for (std::size_t done = 1; done < count;) {
    std::size_t block = std::min(done, count - done);
    std::memcpy(table + 4 * done, table, 4 * block);
    done += block;
  }
}

void WriteEntry(char* entry, std::uint32_t first_key, std::uint32_t count) {
  entry[0] = static_cast<char>(first_key & 0xFF);
  entry[1] = static_cast<char>((first_key >> 8) & 0xFF);
  entry[2] = static_cast<char>((first_key >> 16) & 0xFF);
  entry[3] = static_cast<char>(count);
}

// The bucket table, four bytes a bucket (its first key and its key count), at `table`, which
// holds zeros. `entry_at` lists the entries grouped by bucket, `buckets` gives each entry's.
// An empty bucket repeats the first key of the next, so runs of them are copied.
void WriteBucketTable(const std::vector<std::size_t>& entry_at,
                      const std::vector<std::uint32_t>& buckets, std::uint32_t bucket_count,
                      char* table) {
  std::uint32_t key = 0;
  std::uint32_t bucket = 0;
  auto fill_empty_up_to = [&](std::uint32_t end) {
    if (key != 0 && bucket < end) {  // a first key of 0 is there already
      WriteEntry(table + 4 * std::size_t{bucket}, key, 0);
      RepeatEntry(table + 4 * std::size_t{bucket}, end - bucket);
    }
  };
  for (std::size_t p = 0; p < entry_at.size();) {
    const std::uint32_t b = buckets[entry_at[p]];
    std::uint32_t count = 0;
    for (; p < entry_at.size() && buckets[entry_at[p]] == b; ++p) ++count;
    fill_empty_up_to(b);
    WriteEntry(table + 4 * std::size_t{b}, key, count);
    key += count;
    bucket = b + 1;
  }
  fill_empty_up_to(bucket_count);
}

// Appends the four regions of one word length; false when a bucket or an offset overflows.
CompileError AppendSection(std::string& out, const std::vector<SourceEntry>& entries,
                           std::uint16_t bucket_count, LengthRecord& record) {
  // Position of each entry in the key table: grouped by bucket, source order inside.
  std::vector<std::uint32_t> buckets(entries.size());
  std::vector<std::size_t> entry_at(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    buckets[i] = BucketOf(entries[i].key, bucket_count);
    entry_at[i] = i;
  }
  std::stable_sort(entry_at.begin(), entry_at.end(),
                   [&](std::size_t a, std::size_t b) { return buckets[a] < buckets[b]; });
  for (std::size_t p = 0; p + kMaxBucketKeys < entry_at.size(); ++p) {
    if (buckets[entry_at[p]] == buckets[entry_at[p + kMaxBucketKeys]]) {
      return CompileError::kBucketOverflow;
    }
  }
  PadTo32(out);
  record.dicd_ofs = static_cast<std::uint32_t>(out.size());
  out.resize(out.size() + 4 * std::size_t{bucket_count});
  WriteBucketTable(entry_at, buckets, bucket_count, out.data() + record.dicd_ofs);
  PadTo32(out);
  record.jukud_ofs = static_cast<std::uint32_t>(out.size());
  for (std::size_t index : entry_at) out += entries[index].key;
  PadTo32(out);
  record.adrs_ofs = static_cast<std::uint32_t>(out.size());
  std::vector<std::string> encoded(entries.size());
  std::uint64_t reading_offset = 0;
  for (std::size_t p = 0; p < entry_at.size(); ++p) {
    encoded[p] = EncodeReading(entries[entry_at[p]].reading);
    if (reading_offset > kMaxOffset) return CompileError::kTooLarge;
    WriteLe24(out, static_cast<std::uint32_t>(reading_offset));
    reading_offset += encoded[p].size() + 1;
  }
  PadTo32(out);
  record.yomid_ofs = static_cast<std::uint32_t>(out.size());
  for (const std::string& reading : encoded) {
    out += reading;
    out += '\0';
  }
  if (out.size() > kMaxOffset) return CompileError::kTooLarge;
  record.hushv = bucket_count;
  record.gosuu = static_cast<std::uint16_t>(entries.size() & 0xFFFF);
  return CompileError::kNone;
}

}  // namespace

std::string EncodeReading(std::string_view reading) {
  std::string encoded;
  encoded.reserve(reading.size() / 2 + 1);
  for (std::size_t i = 0; i < reading.size();) {
    unsigned char byte = static_cast<unsigned char>(reading[i]);
    if (common::IsLeadByte(byte) && i + 1 < reading.size()) {
      std::uint16_t code = common::CodeOf(byte, static_cast<unsigned char>(reading[i + 1]));
      if (code == common::kLongVowel) {
        encoded += static_cast<char>(kEncodedLongVowel);
      } else if (common::IsHiragana(code)) {
        encoded += reading[i + 1];
      }
      i += 2;
      continue;
    }
    if (byte == kSegmentSeparator || byte == kAlternativeSeparator) encoded += reading[i];
    ++i;
  }
  return encoded;
}

CompiledDictionary CompileDictionary(const EntriesByLength& entries) {
  CompiledDictionary result;
  CompileDictionary(entries, result);
  return result;
}

void CompileDictionary(const EntriesByLength& entries, CompiledDictionary& result) {
  std::string bytes = std::move(result.bytes);
  bytes.clear();
  result = CompiledDictionary{};
  result.bytes = std::move(bytes);
  // Room for the whole file at once: the tables, up to 31 bytes of padding before each of a
  // section's four regions, and the words.
  std::size_t room = kHeaderSize;
  for (int length = 1; length <= kMaxWordLength; ++length) {
    room += 4 * std::size_t{kBucketCounts[length - 1]} + 4 * kAlignment;
    for (const SourceEntry& entry : entries[length - 1]) {
      room += entry.key.size() + 3 + entry.reading.size() + 1;
    }
  }
  result.bytes.reserve(room);
  result.bytes.assign(kHeaderSize, '\0');
  int highest = 0;
  for (int length = 1; length <= kMaxWordLength; ++length) {
    const std::vector<SourceEntry>& words = entries[length - 1];
    CompileError error =
        AppendSection(result.bytes, words, kBucketCounts[length - 1], result.records[length - 1]);
    if (error != CompileError::kNone) {
      result.error = error;
      result.failed_length = length;
      result.bytes.clear();
      return;
    }
    result.word_counts[length - 1] = words.size();
    if (!words.empty()) highest = length;
  }

  std::string header;
  header.append(kMakerText);
  header.append(kVersionOffset - header.size(), '\0');
  header.append(kVersionText);
  header.append(kHighestLengthOffset - header.size(), '\0');
  header += static_cast<char>(highest);
  header.append(kRecordsOffset - header.size(), '\0');
  for (const LengthRecord& record : result.records) AppendLengthRecord(header, record);
  result.bytes.replace(0, kHeaderSize, header);
}

}  // namespace dictionary
