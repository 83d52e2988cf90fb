// The lists the grade and kanji-test builds and grade ruby read (教育漢字.txt, q_file/*,
// 小学熟字訓.txt): a teacher may keep them in Shift_JIS or in UTF-8, as any text handed to the
// program. They are read whole, CR LF as
// LF, and given to the parsers in Shift_JIS.
#pragma once

#include <filesystem>
#include <string>

#include "common/messenger.h"

namespace dictionary {

enum class SourceTextStatus {
  kOk,
  kUnreadable,   // the caller names the list as its build does
  kUnencodable,  // a character Shift_JIS cannot hold, named with its place (message shown)
};

struct SourceText {
  SourceTextStatus status = SourceTextStatus::kOk;
  std::string sjis;
};

SourceText ReadSourceText(const std::filesystem::path& path, common::Messenger& messenger);

}  // namespace dictionary
