// The first stage of a dictionary build: every source line is checked, accepted entries go to
// one working file per word length, rejected lines to the build report "error_ck.out".
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "common/messenger.h"
#include "common/status.h"
#include "common/platform/working_files.h"
#include "dictionary/build_report.h"

namespace dictionary {

enum class [[nodiscard]] ValidationStatus : int {
  kOk = 1,
  kSourceUnreadable = -1,      // no message
  kCannotCreateReport = -2,    // after its message
  kCannotCreateWorkFile = -3,  // no message
  kTooManyWords = -4,          // after its message; the report has no summary
  kWriteFailed = -5,           // the report or a working file is incomplete; after its message
};

// Keys of one word length may fill at most this many bytes.
inline constexpr std::size_t kMaxKeyBytesPerLength = 720000;
// A source line is read whole, however long, but only this many bytes of it are kept and
// checked: an entry ends within its first 60 bytes, so the rest of a longer line can only be a
// comment, and a source without line breaks never takes more memory than this.
inline constexpr std::size_t kSourceLineBytes = 64 * 1024;

struct ValidationRequest {
  std::filesystem::path source;      // Shift_JIS text, CR LF or LF
  std::filesystem::path dictionary;  // named in the report's last line
  std::filesystem::path report_dir;  // receives the build report
  common::WorkDir work;              // receives the working files of each word length
};

struct ValidationResult {
  ValidationStatus status = ValidationStatus::kOk;
  std::uint64_t rejected = 0;  // lines reported in the build report
  WordCounts accepted{};
  bool ok() const { return common::IsOk(status); }
};

// A rejected entry is a report line, not a failure; the caller decides whether to
// build anyway. The working files are complete only when the result is ok().
ValidationResult ValidateSource(const ValidationRequest& request, common::Messenger& messenger);

}  // namespace dictionary
