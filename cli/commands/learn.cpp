// learn: the readings corrected by hand in a ruby file, taught to the user dictionary.
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/user_text.h"
#include "common/encoding/cp932.h"
#include "common/message_format.h"
#include "common/encoding/text_source.h"
#include "engine/commands/command_context.h"
#include "engine/context/context_source.h"
#include "engine/commands/dictionary_use.h"
#include "engine/commands/ruby_pipeline.h"
#include "jobs/learn_job.h"

namespace cli {
namespace {

constexpr std::string_view kDryRun = "--dry-run";
constexpr std::string_view kDicMode = "--dic-mode";
constexpr std::string_view kReading = "--reading";

constexpr OptionSpec kOptions[] = {
    {kDryRun, "", ValueKind::kNone, "", "print what would be added, and change nothing"},
    {kDicMode, "", ValueKind::kText, "0|1|2",
     "the dictionaries of the fresh run, as for ruby (default: DIC_PATTERN)"},
    {kReading, "", ValueKind::kText, "context|dictionary",
     "how the fresh run reads, as for ruby (default: DICTIONARY/YOMI_MODE)"},
};

std::string Lines(std::string_view label, const std::vector<jobs::LearnedWord>& words,
                  const std::vector<std::string>& held = {}) {
  std::string out;
  for (std::size_t i = 0; i < words.size(); ++i) {
    out += std::string(label) + " " + common::Cp932ToUtf8Lossy(words[i].SourceLine());
    if (i < held.size()) out += " (kept: " + common::Cp932ToUtf8Lossy(held[i]) + ")";
    out += "\n";
  }
  return out;
}

CommandResult RunLearn(const CommandEnv& env) {
  const std::vector<std::string>& files = env.args.Operands();
  engine::RubyCommandContext context =
      engine::RubyCommandContextOf(env.settings, env.program, env.work);
  if (const std::string* reading = env.args.Last(kReading)) {
    if (*reading != "context" && *reading != "dictionary") {
      return CommandResult::UsageError(common::FormatMessage(messages::kBadReading, {*reading}));
    }
    context.context_reading =
        *reading == "context" ? engine::context::ProcessContextSource() : nullptr;
  }
  std::optional<engine::DictionaryUse> use = engine::DictionaryUseOf(env.settings.dic_pattern);
  if (const std::string* mode = env.args.Last(kDicMode)) {
    use = mode->size() == 1 ? engine::DictionaryUseOf(mode->front() - '0') : std::nullopt;
    if (!use)
      return CommandResult::UsageError(common::FormatMessage(messages::kBadDicMode, {*mode}));
  }
  if (!use) return CommandResult::UsageError(common::FormatMessage(messages::kBadDicMode, {"?"}));
  std::optional<UserText> text = OpenUserText(env, files[0], messages::kCannotOpenFile);
  if (!text) return CommandResult::Failure();
  std::optional<UserText> ruby = OpenUserText(env, files[1], messages::kCannotOpenFile);
  if (!ruby) return CommandResult::Failure();
  std::optional<std::string> corrected = WholeText(env, *ruby);
  if (!corrected) return CommandResult::Failure();
  std::optional<std::string> fresh = engine::GiveRuby(*text->sjis, *use, context, env.messenger);
  if (!fresh) return CommandResult::Failure();
  std::optional<std::vector<jobs::LearnedWord>> words = jobs::CorrectedWords(
      *fresh, *corrected, jobs::DictionaryWords(context.main_dictionary));
  if (!words) {
    TellFailure(env.messenger, messages::kRubyFileOfAnotherText,
                {PathText(files[1]), PathText(files[0])});
    return CommandResult::Failure();
  }
  std::optional<std::string> source =
      jobs::DictionarySource(context.user_dictionary, env.messenger);
  if (!source) return CommandResult::Failure();
  jobs::LearnPlan plan = jobs::PlanLearning(*words, *source);
  std::string report = Lines("add", plan.added) + Lines("known", plan.known) +
                       Lines("conflict", plan.conflicts, plan.held);
  if (!WriteOutput(env.out, report, env.messenger)) return CommandResult::Failure();
  if (env.args.Has(kDryRun)) return CommandResult::Success();
  jobs::LearnStatus status =
      jobs::ApplyLearning(plan, context.user_dictionary, env.program, env.work, env.messenger);
  return status == jobs::LearnStatus::kOk || status == jobs::LearnStatus::kNothingToAdd
             ? CommandResult::Success()
             : CommandResult::Failure();
}

}  // namespace

const Command kLearnCommand = {
    "learn",
    "learn [--dry-run] TEXT RUBYFILE",
    "teach the user dictionary the readings corrected by hand in RUBYFILE",
    "RUBYFILE is a ruby file of TEXT whose readings were corrected by hand. TEXT is given ruby\n"
    "afresh, and every run of groups with nothing between them whose ruby differs from the\n"
    "fresh one is a corrected word, taken whole ({大/だい}{学/がく}{生/なま} is 大学生,\n"
    "だい*がく*なま); a word with okurigana is learnt with them, in each form of it that the\n"
    "main dictionary reads alike ({行/おこな}う: 行わ 行い 行う 行え). Each is printed: add\n"
    "(new to the user dictionary's source), known (the source holds it so), or conflict (the\n"
    "source reads the word otherwise; the source's line, printed after it, is kept). The added words are appended to the source of the user\n"
    "dictionary (its name with .pre, restored from the dictionary when missing; the source as\n"
    "it was is kept as .~pre) and the dictionary is built again. --dry-run changes nothing.\n",
    kOptions,
    2,
    2,
    RunLearn,
};

}  // namespace cli
