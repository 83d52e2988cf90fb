// What the program last wrote to each ruby file, kept in a folder of the home: a ruby file that
// still holds exactly that has not been touched by anyone since, so a new run may replace it
// without turning it into the backup, where it would push out a copy the user corrected.
#pragma once

#include <filesystem>

namespace jobs {

class WrittenRecord {
 public:
  // Without a folder nothing is remembered and every file counts as possibly edited.
  explicit WrittenRecord(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // Whether `file` holds exactly what Remember(file) last saw there.
  bool IsUntouched(const std::filesystem::path& file) const;

  // Notes what `file` holds now as the program's own. A record that cannot be written is left
  // out: the file then counts as possibly edited, which costs a backup and loses nothing.
  void Remember(const std::filesystem::path& file) const;

 private:
  std::filesystem::path EntryOf(const std::filesystem::path& file) const;

  std::filesystem::path folder_;
};

}  // namespace jobs
