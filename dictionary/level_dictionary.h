// The kanji-test level dictionary kanken_Q.dic: for each kanji the level of the kanji
// proficiency test (漢検) that examines it. Its builder reads the twelve lists in dic/q_file/.
#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"
#include "common/platform/program_dir.h"

namespace dictionary {

inline constexpr int kLevelCount = 12;  // level index 0 = 1級 … 11 = 10級

class LevelDictionary {
 public:
  // Refuses a missing, unreadable or damaged file (buckets pointing past the entries) with the
  // level dictionary's message.
  [[nodiscard]] bool Load(const std::filesystem::path& file, common::Messenger& messenger);
  // The same from the file's bytes held in memory; `file` only names it in messages.
  [[nodiscard]] bool LoadBytes(std::string_view bytes, const std::filesystem::path& file,
                               common::Messenger& messenger);
  // The level index of the kanji's first entry; nullopt: in no level (級外). An entry whose
  // level code is not one of "0"–"9", "A", "B" gives an index outside 0–11.
  std::optional<int> LevelIndexOf(std::uint16_t kanji) const;

 private:
  struct Bucket {
    std::uint16_t first = 0;
    std::uint8_t count = 0;
  };
  struct Entry {
    std::uint16_t kanji = 0;
    std::uint8_t level_code = 0;
  };
  std::vector<Bucket> buckets_;
  std::vector<Entry> entries_;
  // Every kanji's level index as the buckets give it, made once the file is read, so that a
  // lookup is one read; kNoLevel where there is none.
  static constexpr std::int16_t kNoLevel = INT16_MIN;
  std::vector<std::int16_t> level_of_;
};

enum class [[nodiscard]] LevelBuildStatus : int{
    kOk = 1,
    kFailed = -1,  // a source list missing, or the dictionary cannot be written
    kOverwriteDeclined = -8,
    kReadOnlyKept = -21,
    kOverLimit = -11,  // more kanji in all, or in one bucket, than the readers take
};

// Builds dic/kanken_Q.dic from the lists in dic/q_file/ of `program`. Every message is shown
// here. The dictionary is written to a temporary sibling and put in place only when complete;
// the old one is kept as kanken_Q.~dic (unless such a backup exists already).
LevelBuildStatus BuildLevelDictionary(const common::ProgramDir& program,
                                      common::Messenger& messenger);

}  // namespace dictionary
