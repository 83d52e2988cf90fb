// The default dictionaries, step by step: sources first, then the builds.
#include "dicgen/default_dictionaries.h"

#include <charconv>
#include <optional>

#include "common/encoding/cp932.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/status.h"
#include "common/encoding/text_file.h"
#include "dicgen/data_file.h"
#include "dicgen/messages.h"
#include "dicgen/school_lists.h"
#include "dictionary/build_command.h"
#include "dictionary/dictionary_builder.h"

namespace dicgen {
namespace {

namespace fs = std::filesystem;
using common::FormatMessage;

constexpr std::size_t kRejectedExamples = 3;

// Passes on what the builders tell and answers their questions as the owner of dic/ would:
// replace the old dictionary (it becomes the backup) and build despite rejected lines (the
// summary names them). Questions are not shown, since nobody is asked.
class OwnerMessenger final : public common::Messenger {
 public:
  explicit OwnerMessenger(common::Messenger& inner) : inner_(inner) {}
  void Tell(const common::Message& message) override { inner_.Tell(message); }
  common::Answer Ask(const common::Message&, common::Buttons buttons) override {
    return buttons == common::Buttons::kOk || buttons == common::Buttons::kOkCancel
               ? common::Answer::kOk
               : common::Answer::kYes;
  }
  void SetProgress(std::string_view text) override { inner_.SetProgress(text); }

 private:
  common::Messenger& inner_;
};

void TellFailure(common::Messenger& messenger, std::string text) {
  messenger.Tell({std::string(messages::kTitleGenerator), std::move(text), common::Icon::kWarning});
}

void AddDetails(DefaultDictionariesReport& report, const std::vector<std::string>& details) {
  for (const std::string& line : details) {
    report.lines.push_back(std::string(messages::kDetailIndent) + line);
  }
}

// A summary line first, details after it.
void AddSection(DefaultDictionariesReport& report, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  report.lines.push_back(lines.front());
  AddDetails(report, std::vector<std::string>(lines.begin() + 1, lines.end()));
}

struct ProjectTable {
  fs::path from;
  fs::path to;
  std::string bytes;
};

// The project's tables are read before anything is written, so that a missing one costs nothing.
std::optional<std::vector<ProjectTable>> ReadProjectTables(const fs::path& data_dir,
                                                           const common::ProgramDir& program,
                                                           common::Messenger& messenger) {
  std::vector<ProjectTable> tables = {
      {data_dir / kStandardUserSourceName, program.DicDir() / kStandardUserSourceName, {}},
      {data_dir / kSchoolJukujikunName, program.SchoolJukujikunList(), {}}};
  for (ProjectTable& table : tables) {
    std::optional<std::string> bytes = ReadDataFile(table.from);
    if (!bytes) {
      TellFailure(messenger, FormatMessage(messages::kCannotReadData, {table.from.string()}));
      return std::nullopt;
    }
    table.bytes = *std::move(bytes);
  }
  return tables;
}

bool CopyProjectTables(const std::vector<ProjectTable>& tables, DefaultDictionariesReport& report,
                       common::Messenger& messenger) {
  for (const ProjectTable& table : tables) {
    if (!common::ReplaceFileContents(table.to, table.bytes)) {
      TellFailure(messenger, FormatMessage(messages::kCannotWriteSource, {table.to.string()}));
      return false;
    }
    report.lines.push_back(
        FormatMessage(messages::kTableCopied, {table.to.filename().string(), table.from.string()}));
  }
  return true;
}

bool WriteMainDictionarySource(SourceData& data, const fs::path& pre_path,
                               DefaultDictionariesReport& report, common::Messenger& messenger) {
  MainSourceReport main;
  if (!WriteMainSource(data, pre_path, main, messenger)) return false;
  report.lines.push_back(
      FormatMessage(messages::kMainSourceSummary, {static_cast<std::int64_t>(main.words_written)}));
  AddDetails(report, main.dropped);
  AddDetails(report, {main.context, main.overlaps});
  return true;
}

// The school lists: the grade list takes its readings from the lexicon's words, so it is made
// before the main source, which lets the lexicon go once its words are chosen.
struct SchoolLists {
  GradeList grades;
  LevelLists levels;
};

SchoolLists MakeSchoolLists(const SourceData& data) {
  return {MakeGradeList(data.kanjidic, CountLexiconUsage(data.lexicon, data.kanjidic)),
          MakeLevelLists(data.kanjidic)};
}

// Returns the number of kanji in the level lists, nullopt after a message.
std::optional<int> WriteSchoolSources(const SchoolLists& lists, const common::ProgramDir& program,
                                      DefaultDictionariesReport& report,
                                      common::Messenger& messenger) {
  if (!WriteSchoolLists(program, lists.grades, lists.levels, messenger)) return std::nullopt;
  AddSection(report, lists.grades.report);
  AddSection(report, lists.levels.report);
  return lists.levels.kanji_count;
}

struct BuildReportCounts {
  std::int64_t words = 0;
  std::int64_t rejected = 0;
  std::string examples;  // the first rejected lines, as the report gives them
};

// The word count and the rejected lines of the build report error_ck.out.
BuildReportCounts ReadBuildReport(const fs::path& path) {
  BuildReportCounts counts;
  // The build has just written this report. Were it unreadable, the summary would show no words,
  // while the dictionary itself is sound, so that is no reason to fail the run.
  common::FileBytes bytes = common::ReadTextFile(path);
  std::string text = common::Cp932ToUtf8Lossy(bytes.bytes);
  for (std::string_view line : SplitLines(text)) {
    if (line.find(messages::kReportRejectedMark) != std::string_view::npos) {
      if (counts.rejected++ < static_cast<std::int64_t>(kRejectedExamples)) {
        if (!counts.examples.empty()) counts.examples += messages::kExampleSeparator;
        counts.examples += line;
      }
    } else if (line.starts_with(messages::kReportTotalMark)) {
      std::string_view number = line.substr(messages::kReportTotalMark.size());
      std::from_chars(number.data(), number.data() + number.size(), counts.words);
    }
  }
  return counts;
}

bool BuildRubyDictionary(const fs::path& source, const common::ProgramDir& program,
                         const common::WorkDir& work, DefaultDictionariesReport& report,
                         common::Messenger& messenger) {
  fs::path base_name = common::WithoutExtension(source);
  fs::path output = dictionary::DictionaryOutputPath(base_name, program);
  OwnerMessenger owner(messenger);
  if (!common::IsOk(dictionary::BuildDictionary({source, base_name, program, work}, owner))) {
    TellFailure(messenger,
                FormatMessage(messages::kDictionaryBuildFailed, {output.filename().string()}));
    return false;
  }
  BuildReportCounts counts =
      ReadBuildReport(dictionary::ReportDirOf(base_name) / common::kBuildReport);
  report.lines.push_back(
      FormatMessage(messages::kDictionaryBuilt, {output.filename().string(), counts.words}));
  if (counts.rejected > 0) {
    AddDetails(report,
               {FormatMessage(messages::kRejectedLines, {counts.rejected, counts.examples})});
  }
  return true;
}

// The grade and level builds tell their own outcome.
bool BuildSchoolDictionaries(const common::ProgramDir& program, const common::WorkDir& work,
                             int level_kanji, DefaultDictionariesReport& report,
                             common::Messenger& messenger) {
  OwnerMessenger owner(messenger);
  dictionary::GradeBuildResult grades = dictionary::RunGradeBuild(program, work, owner);
  if (!common::IsOk(grades.status)) return false;
  report.grade_kanji_count = grades.kanji_count;
  report.lines.push_back(
      FormatMessage(messages::kGradeDictionaryBuilt, {std::int64_t{grades.kanji_count}}));
  if (!common::IsOk(dictionary::RunLevelBuild(program, work, owner))) return false;
  report.lines.push_back(
      FormatMessage(messages::kLevelDictionaryBuilt, {std::int64_t{level_kanji}}));
  return true;
}

}  // namespace

bool MakeDefaultDictionaries(const MainSourceInputs& inputs, const common::ProgramDir& program,
                             const common::WorkDir& work, DefaultDictionariesReport& report,
                             common::Messenger& messenger) {
  std::optional<std::vector<ProjectTable>> tables =
      ReadProjectTables(inputs.data_dir, program, messenger);
  if (!tables) return false;
  std::optional<SourceData> data = ReadSourceData(inputs, messenger);
  if (!data) return false;
  SchoolLists school = MakeSchoolLists(*data);
  std::error_code error;
  fs::create_directories(program.DicDir(), error);  // a failure shows as the first write's
  fs::path main_source = program.DicDir() / kMainSourceName;
  if (!WriteMainDictionarySource(*data, main_source, report, messenger) ||
      !CopyProjectTables(*tables, report, messenger)) {
    return false;
  }
  data.reset();  // the builds need none of it
  std::optional<int> level_kanji = WriteSchoolSources(school, program, report, messenger);
  return level_kanji && BuildRubyDictionary(main_source, program, work, report, messenger) &&
         BuildRubyDictionary(program.DicDir() / kStandardUserSourceName, program, work, report,
                             messenger) &&
         BuildSchoolDictionaries(program, work, *level_kanji, report, messenger);
}

}  // namespace dicgen
