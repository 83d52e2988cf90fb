// Formatting of the build report lines.
#include "dictionary/build_report.h"

#include <cstdio>

#include "common/cp932.h"
#include "common/message_format.h"
#include "dictionary/messages.h"

namespace dictionary {

std::string_view SourceErrorText(SourceError error) {
  switch (error) {
    case SourceError::kFirstFieldTooLong:
      return messages::kFirstFieldTooLong;
    case SourceError::kNoRubyTarget:
      return messages::kNoRubyTarget;
    case SourceError::kPipeWithoutKana:
      return messages::kPipeWithoutKana;
    case SourceError::kFullWidthSymbolInReading:
      return messages::kFullWidthSymbolInReading;
    case SourceError::kForeignCharInReading:
      return messages::kForeignCharInReading;
    case SourceError::kSeparatorCountMismatch:
      return messages::kSeparatorCountMismatch;
    case SourceError::kReadingStartsHalfWidth:
      return messages::kReadingStartsHalfWidth;
    case SourceError::kSeparatorAtEnd:
      return messages::kSeparatorAtEnd;
    case SourceError::kHalfWidthInFirstField:
      return messages::kHalfWidthInFirstField;
    case SourceError::kNone:
    case SourceError::kMalformed:
      break;
  }
  return {};
}

std::string RejectedLineText(std::uint64_t line_number, SourceError error) {
  std::string text = common::Sjis(SourceErrorText(error));
  return common::FormatMessage(
      common::Sjis(messages::kReportRejectedLine),
      {static_cast<std::int64_t>(line_number), std::int64_t{static_cast<int>(error)}, text});
}

std::string ReportSummary(const WordCounts& accepted, std::uint64_t rejected,
                          const std::filesystem::path& dictionary, std::string_view date_time) {
  std::string summary;
  std::string count_line = common::Sjis(messages::kReportLengthCount);
  std::size_t total = 0;
  for (int length = 1; length <= kMaxWordLength; ++length) {
    std::size_t count = accepted[length - 1];
    total += count;
    summary +=
        common::FormatMessage(count_line, {std::int64_t{length}, static_cast<std::int64_t>(count)});
  }
  summary += common::FormatMessage(common::Sjis(messages::kReportTotalWords),
                                   {static_cast<std::int64_t>(total)});
  summary += common::FormatMessage(common::Sjis(messages::kReportErrorTotal),
                                   {static_cast<std::int64_t>(rejected)});
  std::string name = PathForReport(dictionary);
  summary += common::FormatMessage(common::Sjis(messages::kReportFooter), {name, date_time});
  return summary;
}

std::string ReportDateTime(const std::tm& local) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %d:%02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

std::string PathForReport(const std::filesystem::path& path) {
  return common::Utf8ToCp932Lossy(path.string());
}

}  // namespace dictionary
