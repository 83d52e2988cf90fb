// Naming of the ruby file: the finished working file takes the document's name with the
// command's extension (".srb", ".hrb", ".lrb", ".krb").
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

#include "common/messenger.h"
#include "common/platform/working_files.h"

namespace engine {

// The document path with the extension of its file name replaced: /texts/story.txt with
// ".srb" gives /texts/story.srb; a dot in a folder name is not an extension.
std::filesystem::path RubyFileName(const std::filesystem::path& document,
                                   std::string_view extension);

// Where a replaced ruby file is kept: story.srb becomes story.~srb, as the dictionaries keep
// kanken_Q.dic as kanken_Q.~dic.
std::filesystem::path RubyFileBackupName(const std::filesystem::path& ruby_file);

struct RubyFileNaming {
  bool ok = false;
  std::filesystem::path ruby_file;  // the computed name, also after a failure
  std::filesystem::path backup;     // where the replaced ruby file went; empty when it was not
};

// Moves `working_file` of `work` over the ruby file in one step, so that a failed move leaves
// the previous ruby file as it was. A previous ruby file that differs from the new one may hold
// the user's corrections: it becomes the backup, one generation deep (an older backup goes).
// One that says the same is simply replaced, so that running a command twice never pushes the
// corrections out of the backup; so is one that `untouched` vouches for (the program's own
// output that nobody has edited since), so that a run that reads differently never does either.
// Shows its message on failure.
RubyFileNaming NameRubyFile(
    const common::WorkDir& work, std::string_view working_file,
    const std::filesystem::path& document, std::string_view extension,
    common::Messenger& messenger,
    const std::function<bool(const std::filesystem::path&)>& untouched = {});

}  // namespace engine
