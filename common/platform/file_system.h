// The few file-system operations the steps need, reporting failure by their result.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace common {

bool FileExists(const std::filesystem::path& path);  // a regular file (or a link to one)

// Opens an existing file for reading, refusing whatever is not a regular file (a pipe, a device,
// a folder) without waiting on it: a pipe with no writer would hold a plain open for ever and a
// device such as /dev/zero never ends. Every reader of a named file opens it here; standard
// input is read as a stream elsewhere. -1 (or nullptr) when refused or not opened.
int OpenRegularFile(const std::filesystem::path& path);
std::FILE* OpenRegularFileStream(const std::filesystem::path& path);  // "rb"
// Whether `path` exists but is something other than a regular file (links followed): the
// reason a reader refused it.
bool IsSpecialFile(const std::filesystem::path& path);
bool IsReadOnly(const std::filesystem::path& path);  // no write permission for its owner
// Whether this process may give the file (links followed) new content the way ReplaceFile does:
// it is not read-only, and the process may write it and add a file to its folder.
bool MayReplace(const std::filesystem::path& path);

// Why `target` could not be written, as one Japanese sentence for a message: its name too long,
// its folder missing, read-only (the file, its folder or the file system), the disk full, the
// file-size limit reached, or else what `error` (the errno of the failing call) says. The file
// system is asked first, as an errno may have been overwritten on the way out of a failure.
std::string WriteFailureCause(const std::filesystem::path& target, int error);
// Creates `path` as a new file to write ("wb"), never through whatever stands there: a link or
// a file of that name is removed first (what a link points to is left alone), then the file is
// made exclusively, links not followed. For reports and working files, which nobody edits.
// nullptr when it cannot be made (a folder or a device stands there, the folder is read-only).
std::FILE* CreateFreshFile(const std::filesystem::path& path);
[[nodiscard]] bool ClearReadOnly(const std::filesystem::path& path);
[[nodiscard]] bool RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Moves a file to `to` as a FileReplacement puts a file in place (common/platform/file_replace.h): in one
// step, also across file systems, links followed, permissions kept, a read-only `to` refused. On
// failure `to` keeps its previous content and `from` stays. A free `to` is taken by one rename
// (MoveToFreeName).
[[nodiscard]] bool MoveFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Whether two files hold the same bytes; false too when either cannot be read.
bool SameBytes(const std::filesystem::path& a, const std::filesystem::path& b);
// Deletes a file if it exists; true when no file of that name is left.
bool RemoveFile(const std::filesystem::path& path);

// A new empty file with a short unique name in the folder of `target`, for writing a file that
// is renamed over `target` only once it is complete, so that a failed write never replaces a
// good file; an empty path when the folder takes no new file.
std::filesystem::path TemporarySibling(const std::filesystem::path& target);

// Flushes `file`, waits until its content is on the disk and closes it (in every case); false
// when any of these failed. A file renamed over a good one must have passed here first, or a
// crash right after the rename could leave an empty file in its place.
[[nodiscard]] bool SyncAndClose(std::FILE* file);

enum class WriteOutcome { kWritten, kCannotCreate, kWriteFailed };

// Creates (or truncates) `path` and writes `bytes` to it through SyncAndClose.
[[nodiscard]] WriteOutcome WriteFileSynced(const std::filesystem::path& path,
                                           std::string_view bytes);

// Gives `target` the content `bytes` through ReplaceFile (common/platform/file_replace.h). On false (the
// target is read-only, the folder cannot be written, the disk is full) `target` is as it was and
// no temporary file is left.
[[nodiscard]] bool ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes);

// Whether the file system holding `folder` has (next to) no room left: the likely cause when a
// write there has failed. A folder whose space cannot be learnt counts as not full.
bool FolderIsFull(const std::filesystem::path& folder);

// `path` with everything from the last '.' of its file name cut off (the directory part is
// never cut): /texts/story.txt gives /texts/story, /a.b/story gives /a.b/story.
std::filesystem::path WithoutExtension(const std::filesystem::path& path);

}  // namespace common
