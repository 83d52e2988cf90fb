// Shared input and output steps of the commands.
#include "cli/command_support.h"

#include <cerrno>

#include "cli/messages.h"
#include "common/platform/file_replace.h"
#include "common/platform/file_system.h"

namespace cli {

std::unique_ptr<common::FileTextSource> OpenInput(const std::filesystem::path& path,
                                                  common::Messenger& messenger) {
  std::unique_ptr<common::FileTextSource> source = common::FileTextSource::Open(path);
  if (!source) TellCannotRead(messenger, messages::kCannotOpenFile, path);
  return source;
}

bool WriteOutput(std::ostream& out, std::string_view bytes, common::Messenger& messenger) {
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (out) return true;
  TellFailure(messenger, messages::kCannotWriteOutput, {});
  return false;
}

bool ReplaceFile(const std::filesystem::path& target, std::string_view bytes,
                 common::Messenger& messenger) {
  if (common::ReplaceFile(target, bytes) == common::ReplaceStatus::kOk) return true;
  jobs::TellCannotWrite(messenger, target, errno);
  return false;
}

std::string PathText(const std::filesystem::path& path) { return path.string(); }

}  // namespace cli
