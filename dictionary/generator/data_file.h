// Whole-file reading for the generator's inputs, which are read once and split into lines.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"

namespace dictionary::generator {

// The file's bytes, or nullopt when it cannot be opened or read to its end.
std::optional<std::string> ReadDataFile(const std::filesystem::path& path);

// Tells that an input file cannot be read.
void TellCannotRead(const std::filesystem::path& path, common::Messenger& messenger);

// Hands each line of one of the project's tables (UTF-8; blank lines and '#' comments skipped)
// to `take`, which returns false for a line it cannot read. false after a message when the file
// cannot be read or a line is faulty.
[[nodiscard]] bool ForEachTableLine(const std::filesystem::path& path, common::Messenger& messenger,
                                    const std::function<bool(std::u32string_view)>& take);

// The lines of `text` without their LF or CR LF; a final line without a line break counts.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace dictionary::generator
