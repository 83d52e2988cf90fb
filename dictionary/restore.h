// Turning a ruby dictionary back into a source file beside it, so that a dictionary whose
// source is lost can be edited and built again.
#pragma once

#include <filesystem>
#include <string>

#include "common/messenger.h"
#include "dictionary/ruby_dictionary.h"

namespace dictionary {

enum class [[nodiscard]] RestoreStatus : int {
  kOk = 1,
  kOverwriteDeclined = -8,
  kCannotCreate = -13,  // the source could not be written or put in place
  kReadOnlyKept = -21,
  kIntoDictionary = -22,  // the source would be the dictionary (a link); nothing was written
  kCannotOpen = -110,  // not readable, not a ruby dictionary, or damaged
};

// The dictionary's path with the extension ".pre".
std::filesystem::path RestoredSourcePath(const std::filesystem::path& dictionary);

// The source lines of the loaded length ("漢字,かん*じ\n" …): buckets in ascending order, the
// words of a bucket in their stored order, which is that of the lines they were built from.
std::string RestoredLines(const RubyDictionary& loaded);

// Writes the source of every word length. An existing source needs the user's OK and then
// becomes the ".~pre" backup (replacing an older one), but only once the new source is
// complete: until then a failure leaves the old source and its backup as they were. Failures
// have shown their message when this returns.
RestoreStatus RestoreSource(const std::filesystem::path& dictionary, common::Messenger& messenger);

// RestoreSource, then the message that tells the user how it went; none when the user kept the
// existing source.
RestoreStatus RunRestoreCommand(const std::filesystem::path& dictionary,
                                common::Messenger& messenger);

}  // namespace dictionary
