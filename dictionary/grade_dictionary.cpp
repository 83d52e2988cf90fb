// Loading HaitouNen.dic with the kanji count of the settings, checked against the file.
#include "dictionary/grade_dictionary.h"

#include <optional>
#include <string_view>

#include "common/message_format.h"
#include "common/encoding/text_file.h"
#include "dictionary/big_endian.h"
#include "dictionary/grade_dictionary_format.h"
#include "dictionary/messages.h"

namespace dictionary {
namespace {

// The readings of one record, or nullopt when they do not lie wholly inside the reading area.
std::optional<std::vector<std::string>> ReadingsAt(std::string_view area, std::size_t offset,
                                                   int count) {
  std::vector<std::string> readings;
  for (int r = 0; r < count; ++r) {
    std::size_t end = offset < area.size() ? area.find(kReadingEnd, offset) : std::string::npos;
    if (end == std::string_view::npos) return std::nullopt;
    std::string reading;
    for (std::size_t i = offset; i < end; ++i) {
      reading += static_cast<char>(kHiraganaLead);
      reading += area[i];
    }
    readings.push_back(std::move(reading));
    offset = end + 1;
  }
  return readings;
}

std::optional<GradeEntry> EntryAt(std::string_view bytes, std::string_view area, std::size_t i) {
  GradeEntry entry;
  entry.kanji = ReadBe16(bytes, kGradeKanjiTableOffset + 2 * i);
  std::size_t record = kGradeRecordTableOffset + kGradeRecordSize * i;
  entry.grade_code = ReadBe16(bytes, record + 3);
  auto readings =
      ReadingsAt(area, ReadBe16(bytes, record), static_cast<unsigned char>(bytes[record + 2]));
  if (!readings) return std::nullopt;
  entry.readings = std::move(*readings);
  return entry;
}

}  // namespace

bool GradeDictionary::Load(const std::filesystem::path& file, int kanji_count,
                           common::Messenger& messenger) {
  // An unreadable file is taken as one too short: the same message names it.
  common::FileBytes content = common::ReadBinaryFile(file);
  return LoadBytes(content.ok ? std::string_view(content.bytes) : std::string_view(), file,
                   kanji_count, messenger);
}

bool GradeDictionary::LoadBytes(std::string_view bytes, const std::filesystem::path& file,
                                int kanji_count, common::Messenger& messenger) {
  // Copied whole from a table made once: filling 65,536 places one by one costs more than a
  // small dictionary's reading.
  static const std::vector<std::int16_t> kNoKanji(std::size_t{1} << 16, kAbsent);
  entries_.clear();
  first_of_ = kNoKanji;
  if (kanji_count < 0 || kanji_count > kGradeMaxKanji) {
    // The setting is at fault, not the dictionary, which may well be intact.
    messenger.Tell({std::string(messages::kTitleImportantReport),
                    common::FormatMessage(messages::kGradeCountOutOfRange,
                                          {std::int64_t{kanji_count}, std::int64_t{kGradeMaxKanji}}),
                    common::Icon::kError});
    return false;
  }
  // Whatever the count says, nothing is read beyond the tables or the file.
  bool ok = bytes.size() >= kGradeReadingAreaOffset;
  if (ok) {
    std::string_view area = bytes.substr(kGradeReadingAreaOffset, kGradeReadingAreaSize);
    for (std::size_t i = 0; ok && i < static_cast<std::size_t>(kanji_count); ++i) {
      std::optional<GradeEntry> entry = EntryAt(bytes, area, i);
      ok = entry.has_value();
      if (ok) {
        std::int16_t& first = first_of_[entry->kanji];
        if (first == kAbsent) first = static_cast<std::int16_t>(entries_.size());
        entries_.push_back(std::move(*entry));
      }
    }
  }
  if (!ok) {
    entries_.clear();
    first_of_ = kNoKanji;
    messenger.Tell({std::string(messages::kTitleImportantReport),
                    common::FormatMessage(messages::kGradeDictionaryBroken, {file.string()}),
                    common::Icon::kError});
  }
  return ok;
}

const GradeEntry* GradeDictionary::Find(std::uint16_t kanji) const {
  if (first_of_.empty()) return nullptr;
  std::int16_t first = first_of_[kanji];
  return first == kAbsent ? nullptr : &entries_[static_cast<std::size_t>(first)];
}

}  // namespace dictionary
