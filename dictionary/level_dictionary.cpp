// Loading kanken_Q.dic and finding a kanji's level.
#include "dictionary/level_dictionary.h"

#include <algorithm>
#include <string_view>

#include "common/message_format.h"
#include "common/encoding/text_file.h"
#include "dictionary/big_endian.h"
#include "dictionary/level_dictionary_format.h"
#include "dictionary/messages.h"

namespace dictionary {

bool LevelDictionary::Load(const std::filesystem::path& file, common::Messenger& messenger) {
  // An unreadable file is taken as one too short: the same message names it.
  common::FileBytes content = common::ReadBinaryFile(file);
  return LoadBytes(content.ok ? std::string_view(content.bytes) : std::string_view(), file,
                   messenger);
}

bool LevelDictionary::LoadBytes(std::string_view bytes, const std::filesystem::path& file,
                                common::Messenger& messenger) {
  buckets_.clear();
  entries_.clear();
  level_of_.clear();
  bool ok = bytes.size() >= kLevelEntryOffset;
  if (ok) {
    std::size_t available = std::min<std::size_t>(
        (bytes.size() - kLevelEntryOffset) / kLevelEntrySize, kLevelMaxEntries);
    for (std::size_t i = 0; i < available; ++i) {
      std::size_t at = kLevelEntryOffset + kLevelEntrySize * i;
      entries_.push_back({ReadBe16(bytes, at), static_cast<std::uint8_t>(bytes[at + 2])});
    }
    for (int b = 0; ok && b < kLevelBucketCount; ++b) {
      std::size_t at = kLevelBucketOffset + kLevelBucketSize * static_cast<std::size_t>(b);
      Bucket bucket{ReadBe16(bytes, at), static_cast<std::uint8_t>(bytes[at + 2])};
      // A bucket that reaches past the entries read would send a lookup beyond them.
      ok = bucket.count == 0 || bucket.first + std::size_t{bucket.count} <= available;
      buckets_.push_back(bucket);
    }
  }
  if (ok) {
    // A lookup reads only the kanji's own bucket, and takes its first entry there.
    // Copied whole from a table made once, rather than filled place by place.
    static const std::vector<std::int16_t> kNoLevels(std::size_t{1} << 16, kNoLevel);
    level_of_ = kNoLevels;
    for (int b = 0; b < kLevelBucketCount; ++b) {
      const Bucket& bucket = buckets_[static_cast<std::size_t>(b)];
      for (std::size_t i = bucket.first; i < std::size_t{bucket.first} + bucket.count; ++i) {
        const Entry& entry = entries_[i];
        if (LevelBucketOf(entry.kanji) != b || level_of_[entry.kanji] != kNoLevel) continue;
        level_of_[entry.kanji] = static_cast<std::int16_t>(LevelIndexOfCode(entry.level_code));
      }
    }
  }
  if (!ok) {
    buckets_.clear();
    entries_.clear();
    messenger.Tell({std::string(messages::kTitleVeryImportantReport),
                    common::FormatMessage(messages::kLevelDictionaryBroken, {file.string()}),
                    common::Icon::kError});
  }
  return ok;
}

std::optional<int> LevelDictionary::LevelIndexOf(std::uint16_t kanji) const {
  if (level_of_.empty() || level_of_[kanji] == kNoLevel) return std::nullopt;
  return level_of_[kanji];
}

}  // namespace dictionary
