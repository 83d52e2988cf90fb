// The dictionary build command around the builder.
#include "dictionary/build_command.h"

#include <vector>

#include "common/file_system.h"
#include "common/status.h"
#include "common/text_file.h"
#include "dictionary/messages.h"

namespace dictionary {
namespace {

constexpr std::size_t kChunk = 1 << 16;

// Writes the text with CR LF line ends: a CR LF of the text is taken as one line end, so that
// the file never gets CR CR LF. A lone CR is kept as it is.
[[nodiscard]] bool SaveBuildSource(const common::TextSource& text,
                                   const std::filesystem::path& path) {
  common::TextWriter out;
  if (!out.Open(path)) return false;
  std::vector<char> chunk(kChunk);
  bool pending_cr = false;
  for (std::size_t offset = 0; offset < text.Size();) {
    std::size_t count = text.Read(offset, chunk.data(), chunk.size());
    if (count == 0) break;
    offset += count;
    for (std::size_t i = 0; i < count; ++i) {
      if (pending_cr && chunk[i] != '\n') out.Put('\r');
      pending_cr = chunk[i] == '\r';
      if (!pending_cr) out.Put(chunk[i]);
    }
  }
  if (pending_cr) out.Put('\r');
  bool complete = !text.Failed();
  return out.Close() && complete;
}

void TellCaution(common::Messenger& messenger, std::string_view text) {
  messenger.Tell(
      {std::string(messages::kTitleCautionFullWidth), std::string(text), common::Icon::kWarning});
}

BuildStatus SaveAndBuild(const common::TextSource& text, const std::filesystem::path& base_name,
                         const common::ProgramDir& program, const common::WorkDir& work,
                         common::Messenger& messenger) {
  std::filesystem::path source = work.File(common::kBuildSource);
  if (!SaveBuildSource(text, source)) return BuildStatus::kWorkFileMissing;
  return BuildDictionary({source, base_name, program, work}, messenger);
}

}  // namespace

std::filesystem::path BuildReportPath(const std::filesystem::path& base_name) {
  return ReportDirOf(base_name) / common::kBuildReport;
}

DictionaryBuildResult RunDictionaryBuild(const common::TextSource& text,
                                         const std::filesystem::path& base_name,
                                         const common::ProgramDir& program,
                                         const common::WorkDir& work,
                                         common::Messenger& messenger) {
  DictionaryBuildResult result;
  result.report_path = BuildReportPath(base_name);
  if (text.Size() == 0) {
    TellCaution(messenger, messages::kNothingToBuild);
    result.status = BuildStatus::kValidationFailed;
  } else {
    result.status = SaveAndBuild(text, base_name, program, work, messenger);
    if (common::IsOk(result.status)) {
      common::Message question{std::string(messages::kTitleConfirmation),
                               std::string(messages::kBuildDone), common::Icon::kQuestion};
      result.show_report = messenger.Ask(question, common::Buttons::kYesNo) == common::Answer::kYes;
    } else {
      TellCaution(messenger, messages::kBuildFailed);
    }
  }
  // Nothing reads the working source after the build.
  common::RemoveFile(work.File(common::kBuildSource));
  return result;
}

}  // namespace dictionary
