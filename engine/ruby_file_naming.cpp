// The ruby file takes its name from the document.
#include "engine/ruby_file_naming.h"

#include <string>

#include "common/file_system.h"
#include "common/message_format.h"
#include "engine/messages.h"

namespace engine {

std::filesystem::path RubyFileName(const std::filesystem::path& document,
                                   std::string_view extension) {
  std::filesystem::path name = common::WithoutExtension(document);
  name += extension;
  return name;
}

RubyFileNaming NameRubyFile(const common::WorkDir& work, std::string_view working_file,
                            const std::filesystem::path& document, std::string_view extension,
                            common::Messenger& messenger) {
  RubyFileNaming naming{.ok = false, .ruby_file = RubyFileName(document, extension)};
  std::filesystem::path from = work.File(working_file);
  if (!common::FileExists(from)) {
    messenger.Tell({std::string(messages::kTitleCaution),
                    common::FormatMessage(messages::kWorkingFileMissing, {working_file}),
                    common::Icon::kWarning});
    return naming;
  }
  // A ruby file its owner made read-only is not replaced behind their back: the move is
  // refused as a file system that forbids deleting it would refuse it.
  bool protected_file =
      common::FileExists(naming.ruby_file) && common::IsReadOnly(naming.ruby_file);
  if (protected_file || !common::MoveFile(from, naming.ruby_file)) {
    std::string shown = naming.ruby_file.string();
    messenger.Tell({std::string(messages::kTitleCautionPlain),
                    common::FormatMessage(messages::kRubyFileNotRenamed, {working_file, shown}),
                    common::Icon::kWarning});
    return naming;
  }
  naming.ok = true;
  return naming;
}

}  // namespace engine
