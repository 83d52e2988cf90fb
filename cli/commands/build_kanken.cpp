// build-kanken: builds the kanji-test level dictionary HOME/dic/kanken_Q.dic.
#include "cli/command.h"
#include "common/status.h"
#include "dictionary/build_command.h"

namespace cli {
namespace {

CommandResult RunBuildKanken(const CommandEnv& env) {
  dictionary::LevelBuildStatus status =
      dictionary::RunLevelBuild(env.program, env.work, env.messenger);
  return common::IsOk(status) ? CommandResult::Success() : CommandResult::Failure();
}

}  // namespace

const Command kBuildKankenCommand = {
    "build-kanken",
    "build-kanken",
    "build the kanji-test level dictionary from HOME/dic/q_file/",
    "Reads the twelve lists q1.txt, qj1.txt, q2.txt, qj2.txt, q3.txt … q10.txt (one kanji at\n"
    "the start of each line; lines beginning with # or a space are comments) and writes\n"
    "HOME/dic/kanken_Q.dic. An existing dictionary is replaced only after a question and\n"
    "kept as kanken_Q.~dic.\n",
    {},
    0,
    0,
    RunBuildKanken,
};

}  // namespace cli
