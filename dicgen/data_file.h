// File reading for the generator's inputs: small ones whole, the lexicon a block at a time.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"

namespace dicgen {

// The file's bytes, or nullopt when it cannot be opened or read to its end.
std::optional<std::string> ReadDataFile(const std::filesystem::path& path);

// Hands each line of the file (without its LF or CR LF) to `take`, reading a block at a time,
// so that a lexicon of hundreds of megabytes never sits in memory whole. false when the file
// cannot be opened or read to its end.
[[nodiscard]] bool ForEachFileLine(const std::filesystem::path& path,
                                   const std::function<void(std::string_view)>& take);

// Tells that an input file cannot be read.
void TellCannotRead(const std::filesystem::path& path, common::Messenger& messenger);

// Hands each line of one of the project's tables (UTF-8; blank lines and '#' comments skipped)
// to `take`, which returns false for a line it cannot read. false after a message when the file
// cannot be read or a line is faulty.
[[nodiscard]] bool ForEachTableLine(const std::filesystem::path& path, common::Messenger& messenger,
                                    const std::function<bool(std::u32string_view)>& take);

// The lines of `text` without their LF or CR LF; a final line without a line break counts.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace dicgen
