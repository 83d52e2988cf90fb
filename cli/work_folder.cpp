// Working folders: a given one, or a private one made with mkdtemp and removed afterwards.
#include "cli/work_folder.h"

#include <stdlib.h>

#include <cstdlib>
#include <string>
#include <system_error>

namespace cli {

namespace fs = std::filesystem;

WorkFolder::~WorkFolder() {
  if (!remove_) return;
  std::error_code error;
  // A failed run may leave working files behind; the folder goes with them.
  fs::remove_all(path_, error);
}

bool WorkFolder::UseGiven(const fs::path& dir) {
  std::error_code error;
  fs::create_directories(dir, error);
  path_ = dir;
  remove_ = false;
  return fs::is_directory(dir, error);
}

bool WorkFolder::MakePrivate() {
  std::string pattern = (PrivateParent() / "mirukaze-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return false;
  path_ = pattern;
  remove_ = true;
  return true;
}

fs::path WorkFolder::PrivateParent() {
  const char* tmpdir = std::getenv("TMPDIR");
  return tmpdir && *tmpdir ? fs::path(tmpdir) : fs::path("/tmp");
}

}  // namespace cli
