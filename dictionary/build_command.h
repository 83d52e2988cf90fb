// The menu command that builds a ruby dictionary from the text of the main window; the GUI and
// the command line both run it.
#pragma once

#include <filesystem>

#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/encoding/text_source.h"
#include "common/platform/working_files.h"
#include "dictionary/dictionary_builder.h"
#include "dictionary/grade_dictionary.h"
#include "dictionary/level_dictionary.h"

namespace dictionary {

struct DictionaryBuildResult {
  BuildStatus status = BuildStatus::kOk;
  bool show_report = false;  // the user asked to see the build report
  std::filesystem::path report_path;
};

// Where the build report of a source with this base name is written.
std::filesystem::path BuildReportPath(const std::filesystem::path& base_name);

// Saves `text` (CR LF or LF line ends) as the build's working source, builds, and tells the
// outcome; every message is shown here. An empty text is refused (kValidationFailed) with its
// own message and nothing is built. A text that cannot be read whole, or a working source that
// cannot be written, fails the build as kWorkFileMissing, with a message that says which before
// the build's failure message. The working source is deleted in every case. `source_file`, the
// file the text was read from (if any), is never written: when the dictionary, the report or
// the header dump would be that file (by name or through a link), the build is refused as
// kSourceIsOutput with a message that says so, before any question.
DictionaryBuildResult RunDictionaryBuild(const common::TextSource& text,
                                         const std::filesystem::path& base_name,
                                         const common::ProgramDir& program,
                                         const common::WorkDir& work, common::Messenger& messenger,
                                         const std::filesystem::path& source_file = {});

// The build command's items for the grade-allocation and the kanji-test level dictionary: build,
// then tell the outcome (titled "お知らせ"). The caller keeps H_KANJISUU with KeepGradeKanjiCount.
// A working source left by an earlier build is deleted.
GradeBuildResult RunGradeBuild(const common::ProgramDir& program, const common::WorkDir& work,
                               common::Messenger& messenger);
// The grade filter reads exactly H_KANJISUU entries, so the setting follows a successful build;
// a failed one leaves it as it was. True when the count was stored.
bool KeepGradeKanjiCount(const GradeBuildResult& result, common::Settings& settings);

LevelBuildStatus RunLevelBuild(const common::ProgramDir& program, const common::WorkDir& work,
                               common::Messenger& messenger);

}  // namespace dictionary
