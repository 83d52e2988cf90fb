// The validation step: source in, build report and working files out.
#include "dictionary/source_validation.h"

#include <array>
#include <cerrno>
#include <ctime>
#include <string>

#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/encoding/text_file.h"
#include "dictionary/messages.h"
#include "dictionary/source_line.h"

namespace dictionary {
namespace {

void TellAttention(common::Messenger& messenger, std::string_view title, std::string text) {
  messenger.Tell({std::string(title), std::move(text), common::Icon::kWarning});
}

std::string Now() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return ReportDateTime(local);
}

// The next line of `in`, however long, with its LF if it has one; only its first
// kSourceLineBytes bytes are kept. False when nothing was left to read.
bool ReadSourceLine(common::TextReader& in, std::string& line) {
  if (!in.ReadLine(line, kSourceLineBytes)) return false;
  std::string rest;
  while (line.back() != '\n' && in.ReadLine(rest, kSourceLineBytes)) {
    if (rest.back() == '\n') line.push_back('\n');
  }
  return true;
}

class SourceValidation {
 public:
  SourceValidation(const ValidationRequest& request, common::Messenger& messenger)
      : request_(request), messenger_(messenger) {}

  ValidationResult Run() {
    result_.status = OpenFiles();
    if (result_.ok()) result_.status = CheckAllLines();
    if (result_.ok()) {
      report_.Write(ReportSummary(result_.accepted, result_.rejected, request_.dictionary, Now()));
      result_.status = CloseOutputs();
    } else {
      CloseAfterFailure();
    }
    return result_;
  }

 private:
  ValidationStatus OpenFiles() {
    if (!source_.Open(request_.source)) return ValidationStatus::kSourceUnreadable;
    if (!report_.OpenFresh(ReportFile())) {
      TellAttention(messenger_, messages::kTitleReportAttention,
                    common::FormatMessage(messages::kReportCannotOpen,
                                          {ReportFile().string(),
                                           common::WriteFailureCause(ReportFile(), errno)}));
      return ValidationStatus::kCannotCreateReport;
    }
    for (int length = 1; length <= kMaxWordLength; ++length) {
      if (!work_files_[length - 1].OpenFresh(WorkFile(length))) {
        return ValidationStatus::kCannotCreateWorkFile;
      }
    }
    return ValidationStatus::kOk;
  }

  ValidationStatus CheckAllLines() {
    std::string line;
    std::uint64_t line_number = 0;
    while (ReadSourceLine(source_, line)) {
      ++line_number;
      SourceLineCheck check = CheckSourceLine(line);
      if (check.kind == SourceLineKind::kRejected) {
        Reject(line_number, check);
      } else if (check.kind == SourceLineKind::kAccepted && !Accept(line, check)) {
        return ValidationStatus::kTooManyWords;
      }
    }
    return source_.Failed() ? ValidationStatus::kSourceUnreadable : ValidationStatus::kOk;
  }

  void Reject(std::uint64_t line_number, const SourceLineCheck& check) {
    if (check.error == SourceError::kHalfWidthInFirstField) {
      TellAttention(messenger_, messages::kTitleAttention, BrokenWordNotice(line_number, check));
    }
    report_.Write(RejectedLineText(line_number, check.error, check.fault));
    ++result_.rejected;
  }

  // false when the keys of this length outgrow what a dictionary section may hold.
  bool Accept(std::string_view line, const SourceLineCheck& check) {
    common::TextWriter& out = work_files_[check.word_length - 1];
    out.Write(line.substr(0, check.entry_end));
    out.Put('\n');
    std::size_t& count = result_.accepted[check.word_length - 1];
    ++count;
    if (count * static_cast<std::size_t>(check.word_length) * 2 <= kMaxKeyBytesPerLength) {
      return true;
    }
    TellAttention(
        messenger_, messages::kTitleAttention,
        common::FormatMessage(messages::kTooManyWords, {std::int64_t{check.word_length}}));
    return false;
  }

  // Closes every output, reporting the first that could not be written completely.
  ValidationStatus CloseOutputs() {
    if (!report_.Close()) {
      int error = errno;
      CloseAfterFailure();
      common::RemoveFile(ReportFile());  // half a report would pass for the whole of it
      TellAttention(messenger_, messages::kTitleReportAttention,
                    common::FormatMessage(messages::kReportWriteFailed,
                                          {ReportFile().string(),
                                           common::WriteFailureCause(ReportFile(), error)}));
      return ValidationStatus::kWriteFailed;
    }
    for (int length = 1; length <= kMaxWordLength; ++length) {
      if (!work_files_[length - 1].Close()) {
        TellAttention(
            messenger_, messages::kTitleAttention,
            common::FormatMessage(messages::kWorkFileWriteFailed, {WorkFile(length).string()}));
        CloseAfterFailure();
        return ValidationStatus::kWriteFailed;
      }
    }
    return ValidationStatus::kOk;
  }

  // The build stops anyway, so a second fault while closing is not reported: the lines written
  // so far stay in the report for the user, and the next build writes the working files anew.
  void CloseAfterFailure() {
    if (report_.IsOpen()) static_cast<void>(report_.Close());
    for (common::TextWriter& out : work_files_) {
      if (out.IsOpen()) static_cast<void>(out.Close());
    }
  }

  std::filesystem::path ReportFile() const { return request_.report_dir / common::kBuildReport; }

  std::filesystem::path WorkFile(int length) const {
    return request_.work.File(common::LengthFileName(length));
  }

  const ValidationRequest& request_;
  common::Messenger& messenger_;
  ValidationResult result_;
  common::TextReader source_;
  common::TextWriter report_;
  std::array<common::TextWriter, kMaxWordLength> work_files_;
};

}  // namespace

ValidationResult ValidateSource(const ValidationRequest& request, common::Messenger& messenger) {
  return SourceValidation(request, messenger).Run();
}

}  // namespace dictionary
