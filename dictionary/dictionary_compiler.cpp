// Header and length-section layout of the ruby dictionary.
#include "dictionary/dictionary_compiler.h"

#include "common/encoding/sjis.h"

namespace dictionary {
namespace {

void PadTo32(std::string& out) {
  out.append((kAlignment - out.size() % kAlignment) % kAlignment, '\0');
}

// The bucket table, four bytes a bucket (its first key and its key count), written in place
// as each bucket's first key is counted; `first` gets each bucket's first key. A plain pass
// over thousands of buckets however few the words, kept out of line so that the fuzz build can
// leave its steps untraced (fuzz/coverage_ignore.txt).
[[gnu::noinline]] void WriteBucketTable(const std::vector<std::uint32_t>& counts,
                                        std::vector<std::uint32_t>& first, char* table) {
  std::uint32_t key = 0;
  for (std::size_t b = 0; b < counts.size(); ++b, table += 4) {
    first[b] = key;
    table[0] = static_cast<char>(key & 0xFF);
    table[1] = static_cast<char>((key >> 8) & 0xFF);
    table[2] = static_cast<char>((key >> 16) & 0xFF);
    table[3] = static_cast<char>(counts[b]);
    key += counts[b];
  }
}

// Appends the four regions of one word length; false when a bucket or an offset overflows.
CompileError AppendSection(std::string& out, const std::vector<SourceEntry>& entries,
                           std::uint16_t bucket_count, LengthRecord& record) {
  std::vector<std::uint32_t> counts(bucket_count, 0);
  std::vector<std::uint32_t> buckets(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    buckets[i] = BucketOf(entries[i].key, bucket_count);
    if (++counts[buckets[i]] > kMaxBucketKeys) return CompileError::kBucketOverflow;
  }
  PadTo32(out);
  record.dicd_ofs = static_cast<std::uint32_t>(out.size());
  out.resize(out.size() + 4 * std::size_t{bucket_count});
  std::vector<std::uint32_t> next(bucket_count);
  WriteBucketTable(counts, next, out.data() + record.dicd_ofs);

  // Position of each entry in the key table: grouped by bucket, source order inside.
  std::vector<std::size_t> entry_at(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) entry_at[next[buckets[i]]++] = i;
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
    CompileError error = AppendSection(result.bytes, words, kBucketCounts[length - 1],
                                       result.records[length - 1]);
    if (error != CompileError::kNone) {
      result.error = error;
      result.failed_length = length;
      result.bytes.clear();
      return result;
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
  return result;
}

}  // namespace dictionary
