// The grade list and the level lists as the files of dic/.
#include "dicgen/school_lists.h"

#include <filesystem>
#include <optional>

#include "common/encoding/cp932.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "dicgen/messages.h"
#include "dictionary/grade_dictionary_format.h"
#include "dictionary/level_source.h"

namespace dicgen {
namespace {

using common::FormatMessage;

constexpr std::string_view kLineEnd = "\r\n";
constexpr char kFieldSeparator = '\t';

constexpr int kOtherJouyouGrade = 8;
constexpr int kFirstNameKanjiGrade = 9;
constexpr int kLastNameKanjiGrade = 10;
constexpr std::size_t kExamplesShown = 3;

// Level indexes of the lists (0 = 1級 … 11 = 10級) and the names that their comments use.
constexpr int kLevelOne = 0;
constexpr int kLevelPreOne = 1;
constexpr int kLevelTwo = 2;
constexpr int kLevelPreTwo = 3;
constexpr int kLevelThree = 4;
constexpr int kLevelFour = 5;
constexpr int kLevelTen = 11;
constexpr std::array<std::string_view, dictionary::kLevelCount> kLevelNames = {
    "１級", "準１級", "２級", "準２級", "３級", "４級",
    "５級", "６級",   "７級", "８級",   "９級", "10級"};

std::string GradeListText(const std::vector<GradeKanji>& list) {
  std::string text;
  for (std::string_view comment :
       {messages::kListSource, messages::kGradeListHead, messages::kGradeListReadings}) {
    text += common::Sjis(comment);
    text += kLineEnd;
  }
  for (std::size_t i = 0; i < list.size(); ++i) {
    text += std::to_string(i + 1);
    text += kFieldSeparator;
    text += list[i].kanji;
    text += kFieldSeparator;
    text += std::to_string(list[i].grade);
    for (const std::string& reading : list[i].readings) {
      text += kFieldSeparator;
      text += reading;
    }
    text += kLineEnd;
  }
  return text;
}

// ---- Level lists ----

std::optional<int> LevelIndexOfGrade(int grade) {
  if (grade >= kFirstSchoolGrade && grade <= kLastSchoolGrade) {
    return kLevelTen - (grade - kFirstSchoolGrade);
  }
  if (grade == kOtherJouyouGrade) return kLevelTwo;
  if (grade >= kFirstNameKanjiGrade && grade <= kLastNameKanjiGrade) return kLevelOne;
  return std::nullopt;
}

std::string LevelComment(int level) {
  switch (level) {
    case kLevelOne:
      return std::string(messages::kLevelNameKanji);
    case kLevelTwo:
      return std::string(messages::kLevelOtherJouyou);
    case kLevelPreOne:
      return FormatMessage(messages::kLevelKeptElsewhere,
                           {kLevelNames[kLevelPreOne], dictionary::kLevelSourceNames[kLevelOne]});
    case kLevelPreTwo:
    case kLevelThree:
    case kLevelFour:
      return FormatMessage(
          messages::kLevelKeptElsewhere,
          {kLevelNames[static_cast<std::size_t>(level)], dictionary::kLevelSourceNames[kLevelTwo]});
    default: {
      std::int64_t grade = kLevelTen - level + kFirstSchoolGrade;
      return FormatMessage(messages::kLevelSchoolGrade,
                           {kLevelNames[static_cast<std::size_t>(level)], grade, grade});
    }
  }
}

// The two comment lines that open a level list: which kanji it holds, and where they come from.
std::string LevelListHead(int level) {
  return common::Sjis(LevelComment(level)) + std::string(kLineEnd) +
         common::Sjis(messages::kListSource) + std::string(kLineEnd);
}

}  // namespace

GradeList MakeGradeList(const std::vector<KanjiEntry>& kanjidic, const ReadingUsage& usage) {
  GradeReadings chosen = ChooseGradeReadings(kanjidic, usage);
  GradeList grades;
  grades.bytes = GradeListText(chosen.kanji);
  grades.kanji_count = static_cast<int>(chosen.kanji.size());
  int readings = 0;
  for (const GradeKanji& kanji : chosen.kanji) readings += static_cast<int>(kanji.readings.size());
  grades.report.push_back(FormatMessage(
      messages::kGradeListSummary,
      {std::int64_t{grades.kanji_count}, std::int64_t{readings}, std::int64_t{chosen.reading_bytes},
       static_cast<std::int64_t>(dictionary::kGradeReadingAreaSize)}));
  grades.report.insert(grades.report.end(), chosen.report.begin(), chosen.report.end());
  return grades;
}

LevelLists MakeLevelLists(const std::vector<KanjiEntry>& kanjidic) {
  LevelLists lists;
  for (int level = 0; level < dictionary::kLevelCount; ++level) {
    lists.bytes[static_cast<std::size_t>(level)] = LevelListHead(level);
  }
  std::array<std::int64_t, dictionary::kLevelCount> counts{};
  std::int64_t not_shift_jis = 0;
  std::string examples;
  for (const KanjiEntry& entry : kanjidic) {
    std::optional<int> level = LevelIndexOfGrade(entry.grade);
    if (!level) continue;
    std::optional<std::string> kanji = common::Utf8ToCp932(entry.kanji_utf8);
    if (!kanji || kanji->size() != 2) {
      if (not_shift_jis++ < static_cast<std::int64_t>(kExamplesShown)) {
        examples +=
            (examples.empty() ? "" : std::string(messages::kExampleSeparator)) + entry.kanji_utf8;
      }
      continue;
    }
    lists.bytes[static_cast<std::size_t>(*level)] += *kanji + std::string(kLineEnd);
    ++counts[static_cast<std::size_t>(*level)];
    ++lists.kanji_count;
  }
  std::int64_t school = 0;
  for (int level = kLevelFour + 1; level <= kLevelTen; ++level) {
    school += counts[static_cast<std::size_t>(level)];
  }
  lists.report.push_back(FormatMessage(
      messages::kLevelListSummary,
      {std::int64_t{lists.kanji_count}, school, counts[kLevelTwo], counts[kLevelOne]}));
  if (not_shift_jis > 0) {
    lists.report.push_back(FormatMessage(messages::kKanjiNotShiftJis, {not_shift_jis, examples}));
  }
  return lists;
}

bool WriteSchoolLists(const common::ProgramDir& program, const GradeList& grades,
                      const LevelLists& levels, common::Messenger& messenger) {
  std::vector<std::pair<std::filesystem::path, std::string_view>> files = {
      {program.GradeSource(), grades.bytes}};
  for (int level = 0; level < dictionary::kLevelCount; ++level) {
    files.emplace_back(
        program.LevelSourceDir() / dictionary::kLevelSourceNames[static_cast<std::size_t>(level)],
        levels.bytes[static_cast<std::size_t>(level)]);
  }
  std::error_code error;
  // A folder that cannot be made shows as the first level list that cannot be written.
  std::filesystem::create_directories(program.LevelSourceDir(), error);
  for (const auto& [path, bytes] : files) {
    if (common::ReplaceFileContents(path, bytes)) continue;
    messenger.Tell({std::string(messages::kTitleGenerator),
                    FormatMessage(messages::kCannotWriteSource, {path.string()}),
                    common::Icon::kWarning});
    return false;
  }
  return true;
}

}  // namespace dicgen
