// build-grade: builds the grade-allocation dictionary HOME/dic/HaitouNen.dic.
#include "cli/command.h"
#include "cli/settings_file.h"
#include "common/status.h"
#include "dictionary/build_command.h"

namespace cli {
namespace {

CommandResult RunBuildGrade(const CommandEnv& env) {
  // The dictionary and the count it records change together: no other run reads or writes the
  // settings in between.
  common::SettingsLock lock(env.program.Dir());
  dictionary::GradeBuildResult result =
      dictionary::RunGradeBuild(env.program, env.work, env.messenger);
  if (!common::IsOk(result.status)) return CommandResult::Failure();
  bool kept = ChangeSettingsFile(lock, env.program, env.messenger, [&](common::Settings& settings) {
    return dictionary::KeepGradeKanjiCount(result, settings);
  });
  return kept ? CommandResult::Success() : CommandResult::Failure();
}

}  // namespace

const Command kBuildGradeCommand = {
    "build-grade",
    "build-grade",
    "build the grade-allocation dictionary from HOME/dic/教育漢字.txt",
    "Writes HOME/dic/HaitouNen.dic and keeps DICTIONARY/H_KANJISUU in HOME/qelvoVR11.ini\n"
    "equal to the number of kanji written. A source line holds, separated by tabs, a number\n"
    "(not used), the kanji, its school grade (1-6) and the readings taught with it in\n"
    "hiragana. An existing dictionary is replaced only after a question and kept as\n"
    "HaitouNen.di$.\n",
    {},
    0,
    0,
    RunBuildGrade,
};

}  // namespace cli
