// Formatting of the build report lines.
#include "dictionary/build_report.h"

#include <cstdio>

#include "common/encoding/cp932.h"
#include "common/message_format.h"
#include "dictionary/messages.h"

namespace dictionary {

std::string_view SourceErrorText(SourceError error, SourceFault fault) {
  switch (fault) {
    case SourceFault::kNoComma:
      return messages::kNoComma;
    case SourceFault::kWordFarTooLong:
      return messages::kFirstFieldTooLong;
    case SourceFault::kReadingStartsLongVowel:
      return messages::kReadingStartsLongVowel;
    case SourceFault::kEntryTooLong:
      return messages::kEntryTooLong;
    case SourceFault::kHalfWidthInWord:
    case SourceFault::kOther:
      break;
  }
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

std::string RejectedLineText(std::uint64_t line_number, SourceError error, SourceFault fault) {
  std::string text = common::Sjis(SourceErrorText(error, fault));
  return common::FormatMessage(
      common::Sjis(messages::kReportRejectedLine),
      {static_cast<std::int64_t>(line_number), std::int64_t{static_cast<int>(error)}, text});
}

namespace {

constexpr unsigned char kFirstPrintable = 0x21;      // !
constexpr unsigned char kLastPrintable = 0x7E;       // ~
constexpr unsigned char kFirstHalfWidthKana = 0xA1;  // ｡
constexpr unsigned char kLastHalfWidthKana = 0xDF;   // ﾟ

// A single-byte character as a person names it.
std::string CharacterName(unsigned char byte) {
  if (byte == ' ') return std::string(messages::kBlankCharacter);
  if (byte == '\t') return std::string(messages::kTabCharacter);
  if ((byte >= kFirstPrintable && byte <= kLastPrintable) ||
      (byte >= kFirstHalfWidthKana && byte <= kLastHalfWidthKana)) {
    return "「" + common::Cp932ToUtf8Lossy(std::string(1, static_cast<char>(byte))) + "」";
  }
  return std::string(messages::kControlCharacter);
}

}  // namespace

std::string BrokenWordNotice(std::uint64_t line_number, const SourceLineCheck& check) {
  auto line = static_cast<std::int64_t>(line_number);
  if (check.fault == SourceFault::kNoComma) {
    return common::FormatMessage(messages::kNoCommaBox, {line});
  }
  return common::FormatMessage(messages::kHalfWidthInFirstFieldBox,
                               {line, CharacterName(check.stray_byte)});
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
