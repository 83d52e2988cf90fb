// Loading kanken_Q.dic and finding a kanji's level.
#include "dictionary/level_dictionary.h"

#include <algorithm>
#include <string_view>

#include "common/message_format.h"
#include "common/text_file.h"
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
  if (buckets_.empty()) return std::nullopt;
  const Bucket& bucket = buckets_[static_cast<std::size_t>(LevelBucketOf(kanji))];
  for (std::size_t i = bucket.first; i < std::size_t{bucket.first} + bucket.count; ++i) {
    if (entries_[i].kanji == kanji) return LevelIndexOfCode(entries_[i].level_code);
  }
  return std::nullopt;
}

}  // namespace dictionary
