// The few file-system operations the steps need, reporting failure by their result.
#pragma once

#include <filesystem>

namespace common {

bool FileExists(const std::filesystem::path& path);  // a regular file (or a link to one)
bool IsReadOnly(const std::filesystem::path& path);  // no write permission for its owner
[[nodiscard]] bool ClearReadOnly(const std::filesystem::path& path);
[[nodiscard]] bool RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Moves a file to `to`, replacing a file there in one step, also across file systems (copied to
// a temporary sibling of `to` first). On failure `to` keeps its previous content.
[[nodiscard]] bool MoveFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Deletes a file if it exists; true when no file of that name is left.
bool RemoveFile(const std::filesystem::path& path);

// A fresh name in the folder of `target` for writing a file that is renamed over `target` only
// once it is complete, so that a failed write never replaces a good file.
std::filesystem::path TemporarySibling(const std::filesystem::path& target);

// `path` with everything from the last '.' of its file name cut off (the directory part is
// never cut): /texts/story.txt gives /texts/story, /a.b/story gives /a.b/story.
std::filesystem::path WithoutExtension(const std::filesystem::path& path);

}  // namespace common
