// Naming of the ruby file: the finished working file takes the document's name with the
// command's extension (".srb", ".hrb", ".lrb", ".krb").
#pragma once

#include <filesystem>
#include <string_view>

#include "common/messenger.h"
#include "common/working_files.h"

namespace engine {

// The document path with the extension of its file name replaced: /texts/story.txt with
// ".srb" gives /texts/story.srb; a dot in a folder name is not an extension.
std::filesystem::path RubyFileName(const std::filesystem::path& document,
                                   std::string_view extension);

struct RubyFileNaming {
  bool ok = false;
  std::filesystem::path ruby_file;  // the computed name, also after a failure
};

// Moves `working_file` of `work` over the ruby file in one step, so that a failed move leaves
// the previous ruby file as it was. Shows its message on failure.
RubyFileNaming NameRubyFile(const common::WorkDir& work, std::string_view working_file,
                            const std::filesystem::path& document, std::string_view extension,
                            common::Messenger& messenger);

}  // namespace engine
