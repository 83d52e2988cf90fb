// Reading 教育漢字.txt and laying out HaitouNen.dic.
#include "dictionary/grade_source.h"

#include <algorithm>

#include "common/encoding/sjis.h"
#include "common/encoding/sjis_reader.h"
#include "dictionary/big_endian.h"
#include "dictionary/grade_dictionary_format.h"

namespace dictionary {
namespace {

constexpr char kFieldSeparator = '\t';
constexpr char kCommentMark = '#';
constexpr std::size_t kShortestReadingField = 2;

enum Field { kUnusedField = 0, kKanjiField = 1, kGradeField = 2, kFirstReadingField = 3 };

bool IsComment(std::string_view line) {
  return !line.empty() && (line.front() == kCommentMark || line.front() == kFieldSeparator);
}

// Empty fields do not count: a run of tabs is one separator.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (start <= line.size()) {
    std::size_t end = line.find(kFieldSeparator, start);
    if (end == std::string_view::npos) end = line.size();
    if (end > start) fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

// Only the leading decimal digits count, as with atoi; 0 when there are none.
int GradeOf(std::string_view field) {
  int grade = 0;
  for (char c : field) {
    if (c < '0' || c > '9' || grade > kHighestGrade) break;
    grade = grade * 10 + (c - '0');
  }
  return grade;
}

// The reading as the dictionary gives it back: each double-byte character becomes the implied
// hiragana lead byte and its own trail byte; single-byte characters are not stored at all.
std::string StoredReading(std::string_view field) {
  std::string reading;
  common::SjisReader reader(field);
  while (!reader.AtEnd()) {
    common::SjisChar c = reader.Next();
    if (!c.IsDoubleByte()) continue;
    reading += static_cast<char>(kHiraganaLead);
    reading += c.bytes[1];
  }
  return reading;
}

GradeBuildStatus ParseLine(std::string_view line, GradeEntry& entry) {
  std::vector<std::string_view> fields = SplitFields(line);
  if (fields.size() <= kKanjiField) return GradeBuildStatus::kNoKanjiField;
  std::string_view kanji = fields[kKanjiField];
  entry.kanji = common::CodeOf(static_cast<unsigned char>(kanji[0]),
                               kanji.size() > 1 ? static_cast<unsigned char>(kanji[1]) : 0);
  if (fields.size() <= kGradeField) return GradeBuildStatus::kNoGradeField;
  int grade = GradeOf(fields[kGradeField]);
  // A grade code must fit its 16 bits and mean a school grade to the filter.
  if (grade < kLowestGrade || grade > kHighestGrade) return GradeBuildStatus::kNoGradeField;
  entry.grade_code = static_cast<std::uint16_t>(GradeCodeOf(grade));
  for (std::size_t i = kFirstReadingField; i < fields.size(); ++i) {
    if (fields[i].size() < kShortestReadingField) continue;  // a stray space, say
    std::string reading = StoredReading(fields[i]);
    if (!reading.empty()) entry.readings.push_back(std::move(reading));
  }
  if (entry.readings.empty()) return GradeBuildStatus::kNoReading;
  if (entry.readings.size() > kGradeMaxReadingsPerKanji) return GradeBuildStatus::kOverLimit;
  return GradeBuildStatus::kOk;
}

int StoredBytes(const GradeEntry& entry) {
  int bytes = 0;
  for (const std::string& reading : entry.readings) {
    bytes += static_cast<int>(reading.size() / 2) + 1;
  }
  return bytes;
}

}  // namespace

GradeSource ParseGradeSource(std::string_view text) {
  GradeSource source;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++source.line_number;
    if (IsComment(line)) continue;
    GradeEntry entry;
    source.status = ParseLine(line, entry);
    if (source.status != GradeBuildStatus::kOk) return source;
    source.reading_bytes += StoredBytes(entry);
    source.entries.push_back(std::move(entry));
  }
  source.line_number = 0;
  return source;
}

std::string EncodeGradeDictionary(const std::vector<GradeEntry>& entries) {
  std::size_t size = kGradeReadingAreaOffset;
  for (const GradeEntry& entry : entries) size += static_cast<std::size_t>(StoredBytes(entry));
  std::string out(std::max(size, kGradeFileSize), '\0');
  std::size_t next_reading = 0;  // relative to the reading area
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const GradeEntry& entry = entries[i];
    PutBe16(out, kGradeKanjiTableOffset + 2 * i, entry.kanji);
    std::size_t record = kGradeRecordTableOffset + kGradeRecordSize * i;
    PutBe16(out, record, static_cast<std::uint16_t>(next_reading));
    out[record + 2] = static_cast<char>(entry.readings.size());
    PutBe16(out, record + 3, entry.grade_code);
    for (const std::string& reading : entry.readings) {
      for (std::size_t b = 1; b < reading.size(); b += 2) {
        out[kGradeReadingAreaOffset + next_reading++] = reading[b];
      }
      out[kGradeReadingAreaOffset + next_reading++] = kReadingEnd;
    }
  }
  return out;
}

}  // namespace dictionary
