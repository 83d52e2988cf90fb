// The user's own copies of a user dictionary that the program folder only links to: an
// installed program gives each user a dic/ folder whose names link to the system's
// dictionaries, which no user may write.
#pragma once

#include <filesystem>

#include "common/messenger.h"

namespace jobs {

enum class OwnCopyStatus {
  kNotNeeded,  // the dictionary and its source are the user's to write, or missing
  kMade,       // told once
  kFailed,     // message shown; a link not yet replaced is as it was
};

// When `dictionary` or its source (the name with ".pre") stands in its folder as a link to a
// file this process may not replace, each such link gives way to a file of the user's own with
// the same bytes, by one rename in that folder: the source loses no entry, and the registry,
// which names the file in that folder, uses the copy from then on.
OwnCopyStatus MakeOwnCopies(const std::filesystem::path& dictionary, common::Messenger& messenger);

}  // namespace jobs
