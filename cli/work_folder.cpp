// Working folders: a private one made with mkdtemp and removed afterwards, in a given folder
// held with a lock file, or under the temporary folder.
#include "cli/work_folder.h"

#include <stdlib.h>

#include <cstdlib>
#include <string>
#include <system_error>

#include "cli/interrupt_cleanup.h"

namespace cli {

namespace fs = std::filesystem;

namespace {

// In a given folder: held by the run that uses it, left behind (empty) when it ends.
constexpr std::string_view kGivenFolderLock = ".mirukaze-workdir.lock";

}  // namespace

WorkFolder::~WorkFolder() {
  if (path_.empty()) return;
  RemoveOnInterrupt({});
  std::error_code error;
  // A failed run may leave working files behind; the folder goes with them.
  fs::remove_all(path_, error);
}

WorkFolder::Given WorkFolder::UseGiven(const fs::path& dir) {
  std::error_code error;
  fs::create_directories(dir, error);
  if (!fs::is_directory(dir, error)) return Given::kCannotCreate;
  if (!given_lock_.TakeIfFree(dir / kGivenFolderLock)) {
    return fs::exists(fs::symlink_status(dir / kGivenFolderLock, error)) ? Given::kInUse
                                                                         : Given::kCannotCreate;
  }
  return MakePrivateIn(dir) ? Given::kReady : Given::kCannotCreate;
}

bool WorkFolder::MakePrivate() { return MakePrivateIn(PrivateParent()); }

bool WorkFolder::MakePrivateIn(const fs::path& parent) {
  std::string pattern = (parent / "mirukaze-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return false;
  path_ = pattern;
  RemoveOnInterrupt(path_);
  return true;
}

fs::path WorkFolder::PrivateParent() {
  const char* tmpdir = std::getenv("TMPDIR");
  return tmpdir && *tmpdir ? fs::path(tmpdir) : fs::path("/tmp");
}

}  // namespace cli
