// The ruby file takes its name from the document.
#include "engine/commands/ruby_file_naming.h"

#include <string>

#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "engine/messages.h"

namespace engine {

std::filesystem::path RubyFileName(const std::filesystem::path& document,
                                   std::string_view extension) {
  std::filesystem::path name = common::WithoutExtension(document);
  name += extension;
  return name;
}

std::filesystem::path RubyFileBackupName(const std::filesystem::path& ruby_file) {
  std::string extension = ruby_file.extension().string();
  std::filesystem::path backup = ruby_file;
  backup.replace_extension(".~" + (extension.empty() ? std::string() : extension.substr(1)));
  return backup;
}

RubyFileNaming NameRubyFile(
    const common::WorkDir& work, std::string_view working_file,
    const std::filesystem::path& document, std::string_view extension,
    common::Messenger& messenger,
    const std::function<bool(const std::filesystem::path&)>& untouched) {
  RubyFileNaming naming{.ok = false, .ruby_file = RubyFileName(document, extension), .backup = {}};
  std::filesystem::path from = work.File(working_file);
  if (!common::FileExists(from)) {
    messenger.Tell({std::string(messages::kTitleCaution),
                    common::FormatMessage(messages::kWorkingFileMissing, {working_file}),
                    common::Icon::kWarning});
    return naming;
  }
  // A ruby file its owner made read-only is not replaced behind their back: the move is
  // refused as a file system that forbids deleting it would refuse it.
  bool exists = common::FileExists(naming.ruby_file);
  bool protected_file = exists && common::IsReadOnly(naming.ruby_file);
  std::filesystem::path backup;
  if (exists && !protected_file && !common::SameBytes(from, naming.ruby_file) &&
      !(untouched && untouched(naming.ruby_file))) {
    backup = RubyFileBackupName(naming.ruby_file);
    // Never replaced without its backup: a ruby file that cannot be kept is not replaced.
    if (!common::RenameFile(naming.ruby_file, backup)) {
      backup.clear();
      protected_file = true;
    }
  }
  bool moved = !protected_file && common::MoveFile(from, naming.ruby_file);
  if (!moved && !backup.empty()) {
    static_cast<void>(common::RenameFile(backup, naming.ruby_file));  // back in place
  }
  if (!moved) {
    std::string shown = naming.ruby_file.string();
    messenger.Tell({std::string(messages::kTitleCautionPlain),
                    common::FormatMessage(messages::kRubyFileNotWritten, {shown}),
                    common::Icon::kWarning});
    return naming;
  }
  naming.ok = true;
  naming.backup = backup;
  return naming;
}

}  // namespace engine
