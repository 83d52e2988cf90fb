// Converted files are written beside the target and renamed over it when complete.
#include "rubywindow/output_file.h"

#include <cerrno>

#include "common/cp932.h"
#include "common/file_replace.h"
#include "common/file_system.h"
#include "common/message_format.h"
#include "common/text_file.h"
#include "rubywindow/messages.h"

namespace rubywindow {

namespace fs = std::filesystem;

OutputStatus WriteConvertedFile(const common::TextSource& source, const fs::path& target,
                                const std::function<void(OutputSink&)>& convert, int& error) {
  error = 0;
  if (source.IsFile(target)) return OutputStatus::kSameAsInput;
  common::FileReplacement replacement(target);
  common::TextWriter writer;
  errno = 0;
  if (replacement.Begin() != common::ReplaceStatus::kOk || !writer.Open(replacement.WritePath())) {
    error = errno;
    return OutputStatus::kCannotCreate;
  }
  {
    OutputSink sink(writer);
    convert(sink);
  }
  errno = 0;
  bool written = writer.CloseSynced();
  error = errno;
  if (source.Failed()) return OutputStatus::kReadFailed;
  if (!written) return OutputStatus::kCannotCreate;
  errno = 0;
  if (!replacement.Commit()) {
    error = errno;
    return OutputStatus::kCannotCreate;
  }
  return OutputStatus::kOk;
}

void ReportOutputFailure(OutputStatus status, int error, const fs::path& target,
                         std::string_view cannot_create, std::string_view title,
                         common::Messenger& messenger) {
  std::string where = target.string();
  if (status == OutputStatus::kCannotCreate) {
    messenger.Tell(
        {std::string(title),
         common::FormatMessage(cannot_create, {where, common::WriteFailureCause(target, error)})});
  } else if (status == OutputStatus::kReadFailed) {
    messenger.Tell({std::string(title), common::FormatMessage(messages::kTextNotRead, {where})});
  } else if (status == OutputStatus::kSameAsInput) {
    messenger.Tell({std::string(title), common::FormatMessage(messages::kOutputIsInput, {where})});
  }
}

fs::path CutAtFirstDot(const fs::path& path, std::string_view extension) {
  // Only the file name is cut: a folder such as "my.docs" must not move the file elsewhere.
  std::string name = path.filename().string();
  name = name.substr(0, name.find('.'));
  name += extension;
  return path.parent_path() / name;
}

std::string PathForText(const fs::path& path) {
  std::string bytes = path.string();
  std::optional<std::string> cp932 = common::Utf8ToCp932(bytes);
  return cp932 ? *cp932 : bytes;
}

}  // namespace rubywindow
