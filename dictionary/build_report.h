// The lines of the build report "error_ck.out", as Shift_JIS text with LF line ends.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

#include "dictionary/ruby_dictionary_format.h"
#include "dictionary/source_line.h"

namespace dictionary {

using WordCounts = std::array<std::size_t, kMaxWordLength>;  // accepted entries per length

// The explanation of a rejection (UTF-8), made exact by `fault` where the number covers more
// than one fault (no comma, a word of 20 characters, a reading that starts with ー …).
std::string_view SourceErrorText(SourceError error, SourceFault fault = SourceFault::kOther);

// "12行目：<errnum=8>漢字数と…" and its line feed.
std::string RejectedLineText(std::uint64_t line_number, SourceError error,
                             SourceFault fault = SourceFault::kOther);

// The message shown at once for a line whose word is broken (UTF-8): the line number and, in
// words, the comma that is missing or the half-width character that stands in the word.
std::string BrokenWordNotice(std::uint64_t line_number, const SourceLineCheck& check);

// The counts per length, the totals, the dictionary's name and the date of the build.
std::string ReportSummary(const WordCounts& accepted, std::uint64_t rejected,
                          const std::filesystem::path& dictionary, std::string_view date_time);

// Local date and time as the report shows it: "2026/12/06 8:05:03".
std::string ReportDateTime(const std::tm& local);

// A path as Shift_JIS; a character that has no Shift_JIS form (or bytes that are not UTF-8)
// becomes '?', so that the report can always name the file.
std::string PathForReport(const std::filesystem::path& path);

}  // namespace dictionary
