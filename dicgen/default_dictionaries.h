// The default HOME/dic, made from Debian's open data: the main dictionary's source and the
// school lists from KANJIDIC and a MeCab lexicon, the project's own tables copied from
// data/default/, and the four dictionaries built from them.
#pragma once

#include <string>
#include <vector>

#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "common/platform/working_files.h"
#include "dicgen/main_source.h"

namespace dicgen {

// The main dictionary's source, written into dic/ (its name makes the builder write
// dic/Qv_Body.dic), and the project's own tables under the data folder, copied into dic/ as
// they are.
inline constexpr std::string_view kMainSourceName = "Qv_Body.pre";
inline constexpr std::string_view kStandardUserSourceName = "Qv_Users.pre";
inline constexpr std::string_view kSchoolJukujikunName = "小学熟字訓.txt";

struct DefaultDictionariesReport {
  int grade_kanji_count = 0;  // kanji of HaitouNen.dic: the caller keeps H_KANJISUU equal to it
  std::vector<std::string> lines;  // UTF-8: what each file holds, what was left out and why
};

// Writes dic/Qv_Body.pre, Qv_Users.pre, 小学熟字訓.txt, 教育漢字.txt and q_file/*.txt under
// `program` and builds Qv_Body.dic, Qv_Users.dic, HaitouNen.dic and kanken_Q.dic from them. The
// generator owns dic/: the builders' questions (replace the old dictionary, kept as its backup;
// build despite rejected lines, which the report names) are answered yes, and what they tell
// is passed on. False after a message when an input cannot be read or a step fails; the files
// made before that stay, and no file is ever left half-written.
[[nodiscard]] bool MakeDefaultDictionaries(const MainSourceInputs& inputs,
                                           const common::ProgramDir& program,
                                           const common::WorkDir& work,
                                           DefaultDictionariesReport& report,
                                           common::Messenger& messenger);

}  // namespace dicgen
