// The sizes follow the builder's layout exactly: a 512-byte header, then per length a bucket
// table, the keys, 3-byte addresses and the 0-terminated readings, each region aligned to 32.
#include "dicgen/format_limits.h"

#include <algorithm>
#include <array>

#include "dictionary/dictionary_compiler.h"
#include "dictionary/ruby_dictionary_format.h"
#include "dictionary/source_line.h"
#include "dictionary/source_validation.h"

namespace dicgen {
namespace {

struct Candidate {
  SourceLine line;
  std::u32string surface;
};

std::size_t Aligned(std::size_t offset) {
  return (offset + dictionary::kAlignment - 1) / dictionary::kAlignment * dictionary::kAlignment;
}

// The line for `entry`, or nullopt (with the reason) when it cannot be one.
std::optional<Candidate> LineOf(const WordEntry& entry, const SjisTable& sjis, DropReason& reason) {
  if (entry.surface.size() > static_cast<std::size_t>(dictionary::kMaxWordLength)) {
    reason = DropReason::kTooLong;
    return std::nullopt;
  }
  std::optional<EncodedWord> word = sjis.EncodeWord(entry.surface);
  if (!word) {
    reason = WhyNotEncoded(entry.surface);
    return std::nullopt;
  }
  std::string text = word->sjis + ',';
  for (std::size_t i = 0; i < entry.segments.size(); ++i) {
    std::optional<std::string> segment = sjis.EncodeReading(entry.segments[i]);
    if (!segment) {
      reason = DropReason::kNotShiftJis;
      return std::nullopt;
    }
    if (i > 0) text += dictionary::kSegmentSeparator;
    text += *segment;
  }
  dictionary::SourceLineCheck check = dictionary::CheckSourceLine(text);
  if (check.kind != dictionary::SourceLineKind::kAccepted) {
    reason = check.error == dictionary::SourceError::kMalformed ? DropReason::kEntryTooLong
                                                                : DropReason::kReadingMismatch;
    return std::nullopt;
  }
  return Candidate{{std::move(text), word->sjis.size(), entry.rank}, entry.surface};
}

// The bytes of one line's reading in the dictionary: the reading as the builder encodes it (a
// byte per kana and per separator), then its 0 byte.
std::size_t StoredReadingBytes(const SourceLine& line) {
  return dictionary::EncodeReading(std::string_view(line.text).substr(line.key_bytes + 1)).size() +
         1;
}

// The bytes the builder writes for one length section from an aligned offset to the next:
// the bucket table, the keys, 3-byte addresses and the readings.
std::size_t SectionBytes(std::size_t length, std::size_t words, std::size_t reading_bytes) {
  std::size_t bytes = Aligned(dictionary::kBucketCounts[length - 1] * 4);
  bytes += Aligned(words * length * 2);
  bytes += Aligned(words * 3);
  return Aligned(bytes + reading_bytes);
}

std::size_t SectionBytes(std::size_t length, const std::vector<Candidate>& lines) {
  std::size_t reading_bytes = 0;
  for (const Candidate& candidate : lines) reading_bytes += StoredReadingBytes(candidate.line);
  return SectionBytes(length, lines.size(), reading_bytes);
}

// Keeps the best-ranked lines of one length that fit its key bytes and its buckets.
std::vector<Candidate> FitLength(std::size_t length, std::vector<Candidate> lines, DropLog& drops) {
  std::stable_sort(lines.begin(), lines.end(), [](const Candidate& a, const Candidate& b) {
    return a.line.rank < b.line.rank;
  });
  std::vector<std::size_t> bucket_fill(dictionary::kBucketCounts[length - 1], 0);
  std::vector<Candidate> kept;
  std::size_t key_bytes = 0;
  for (Candidate& candidate : lines) {
    if (key_bytes + candidate.line.key_bytes > dictionary::kMaxKeyBytesPerLength) {
      drops.Add(DropReason::kLengthFull, candidate.surface);
      continue;
    }
    std::size_t& fill = bucket_fill[dictionary::BucketOf(candidate.line.text.substr(0, length * 2),
                                                         dictionary::kBucketCounts[length - 1])];
    if (fill == dictionary::kMaxBucketKeys) {
      drops.Add(DropReason::kBucketFull, candidate.surface);
      continue;
    }
    ++fill;
    key_bytes += candidate.line.key_bytes;
    kept.push_back(std::move(candidate));
  }
  return kept;
}

}  // namespace

std::size_t DictionaryBytes(const std::vector<SourceLine>& lines) {
  std::array<std::size_t, dictionary::kMaxWordLength> words{};
  std::array<std::size_t, dictionary::kMaxWordLength> reading_bytes{};
  for (const SourceLine& line : lines) {
    std::size_t length = line.key_bytes / 2;
    ++words[length - 1];
    reading_bytes[length - 1] += StoredReadingBytes(line);
  }
  std::size_t bytes = dictionary::kHeaderSize;
  for (std::size_t length = 1; length <= words.size(); ++length) {
    bytes += SectionBytes(length, words[length - 1], reading_bytes[length - 1]);
  }
  return bytes;
}

bool FitsSourceLine(const WordEntry& entry) {
  std::size_t bytes = entry.surface.size() * 2 + 1;
  for (const std::u32string& segment : entry.segments) bytes += segment.size() * 2;
  bytes += entry.segments.empty() ? 0 : entry.segments.size() - 1;
  return bytes < dictionary::kEntryLimit;
}

std::vector<SourceLine> FitFormatLimits(const std::vector<WordEntry>& entries,
                                        const SjisTable& sjis, DropLog& drops) {
  std::array<std::vector<Candidate>, dictionary::kMaxWordLength> by_length;
  for (const WordEntry& entry : entries) {
    DropReason reason = DropReason::kReadingMismatch;
    std::optional<Candidate> candidate = LineOf(entry, sjis, reason);
    if (!candidate) {
      drops.Add(reason, entry.surface);
      continue;
    }
    by_length[entry.surface.size() - 1].push_back(std::move(*candidate));
  }
  std::size_t file_bytes = dictionary::kHeaderSize;
  std::vector<SourceLine> out;
  for (std::size_t length = 1; length <= static_cast<std::size_t>(dictionary::kMaxWordLength);
       ++length) {
    std::vector<Candidate> kept = FitLength(length, std::move(by_length[length - 1]), drops);
    // Offsets are 24 bits: the longest words, the last sections, give way when the file is full.
    while (!kept.empty() && file_bytes + SectionBytes(length, kept) > dictionary::kMaxOffset) {
      drops.Add(DropReason::kFileFull, kept.back().surface);
      kept.pop_back();
    }
    file_bytes += SectionBytes(length, kept);
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) out.push_back(std::move(it->line));
  }
  return out;
}

}  // namespace dicgen
