// Building a ruby dictionary from a source file: validation, the user's go-ahead, compilation
// of the working files and the dictionary put in place with one backup generation.
#pragma once

#include <filesystem>

#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "common/platform/working_files.h"

namespace dictionary {

enum class [[nodiscard]] BuildStatus : int {
  kOk = 1,
  kValidationFailed = -1,  // also when the user cancels after rejected entries, and when the
                           // entries do not fit the dictionary format
  kNoMemory = -2,
  kCannotCreate = -3,  // the dictionary could not be written or put in place
  kWorkFileMissing = -4,
  kOverwriteDeclined = -8,
  kReadOnlyKept = -21,
  kSourceIsOutput = -22,  // the source is a file the build would write; nothing was written
};

// Where the dictionary of a source goes: a base name whose file name holds "QV_BODY" (in any
// case) builds the main dictionary, one whose file name holds "QV_USERS" the standard user
// dictionary, both in the program's dic/ folder; any other gives the base name + ".dic". The
// folders on the way to the source play no part.
std::filesystem::path DictionaryOutputPath(const std::filesystem::path& base_name,
                                           const common::ProgramDir& program);

// The folder that receives the build report and the header dump: that of the base name.
std::filesystem::path ReportDirOf(const std::filesystem::path& base_name);

struct BuildRequest {
  std::filesystem::path source;
  std::filesystem::path base_name;  // the source's path without its extension
  common::ProgramDir program;
  common::WorkDir work;
};

// The status line names each step as it starts (checking the source, compiling, writing).
// A failure has shown its own message where it has one; the caller adds the build's failure
// message. Until the new dictionary is complete on disk the old one stays in place; it then
// becomes the ".~dic" backup unless one exists already. The working files are deleted after a
// successful build only.
BuildStatus BuildDictionary(const BuildRequest& request, common::Messenger& messenger);

}  // namespace dictionary
