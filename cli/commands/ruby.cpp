// ruby: gives each text file ruby and writes the ruby file beside it.
#include <charconv>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/user_text.h"
#include "common/field_entry.h"
#include "common/message_format.h"
#include "common/settings.h"
#include "engine/command_context.h"
#include "engine/context/context_source.h"
#include "engine/dictionary_use.h"
#include "engine/filter_options.h"
#include "engine/first_ruby.h"
#include "engine/ruby_pipeline.h"
#include "jobs/ruby_job.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using common::FormatMessage;

constexpr std::string_view kKind = "--kind";
constexpr std::string_view kDicMode = "--dic-mode";
constexpr std::string_view kMainDic = "--main-dic";
constexpr std::string_view kUserDic = "--user-dic";
constexpr std::string_view kDeleteStart = "--nr-delete-start";
constexpr std::string_view kDeleteEnd = "--nr-delete-end";
constexpr std::string_view kMarkDelete = "--mark-delete";
constexpr std::string_view kSeparator = "--separator";
constexpr std::string_view kReading = "--reading";
constexpr std::string_view kFirstOccurrence = "--first-occurrence";
constexpr std::string_view kFirstReading = "--first-reading";

constexpr OptionSpec kOptions[] = {
    {kKind, "", ValueKind::kText, "all|grade|kanken|line", "which ruby to give (default: all)"},
    {kDicMode, "", ValueKind::kText, "0|1|2",
     "0 main, 1 user, 2 user then main (default: DIC_PATTERN; grade: 0, kanken: 2)"},
    {kReading, "", ValueKind::kText, "context|dictionary",
     "read words in context with MeCab + UniDic, or by the main dictionary alone "
     "(default: DICTIONARY/YOMI_MODE, 1 context)"},
    {kFirstOccurrence, "", ValueKind::kText, "every|document|paragraph",
     "keep a word's ruby only where it first occurs in the text, or in each paragraph (line) "
     "(default: RUBIRANGE/FIRSTRUBY, 0 every)"},
    {kFirstReading, "", ValueKind::kNone, "",
     "a group offering alternative readings keeps its first alone ({人/ひと|にん} → {人/ひと})"},
    {kMainDic, "", ValueKind::kPath, "PATH", "main dictionary (default: HOME/dic/Qv_Body.dic)"},
    {kUserDic, "", ValueKind::kPath, "PATH",
     "user dictionary (default: the selected one, else HOME/dic/Qv_Users.dic)"},
    {kDeleteStart, "", ValueKind::kNone, "", "leave out the start string of non-ruby areas"},
    {kDeleteEnd, "", ValueKind::kNone, "", "leave out the end string of non-ruby areas"},
    {kMarkDelete, "", ValueKind::kNone, "", "line: delete the line-head mark from chosen lines"},
    {kSeparator, "", ValueKind::kText, "C", "line: the field separator, one byte; \\t is a tab"},
    kOutputFileOptionSpec,
};

// Each kind reads its dialog's choices and checks them as the dialog does.
using Choose = std::optional<engine::Refusal> (*)(const CommandEnv& env,
                                                  jobs::RubyChoices& choices);

std::optional<engine::Refusal> ChooseNothing(const CommandEnv&, jobs::RubyChoices&) {
  return std::nullopt;
}
std::optional<engine::Refusal> ChooseGrade(const CommandEnv& env, jobs::RubyChoices& choices) {
  choices.grade = engine::GradeRubyOptionsOf(env.settings);
  return engine::ValidateGradeRuby(choices.grade);
}
std::optional<engine::Refusal> ChooseLevel(const CommandEnv& env, jobs::RubyChoices& choices) {
  choices.level = engine::LevelRubyOptionsOf(env.settings);
  return engine::ValidateLevelRuby(choices.level);
}
std::optional<engine::Refusal> ChooseLineField(const CommandEnv& env,
                                               jobs::RubyChoices& choices) {
  const std::string* typed = env.args.Last(kSeparator);
  choices.line = engine::LineFieldOptionsOf(env.settings, env.args.Has(kMarkDelete),
                                            common::SeparatorEntry(typed ? *typed : ""));
  return engine::ValidateLineField(choices.line);
}

// The kinds of ruby by their names on the command line.
struct RubyKind {
  std::string_view name;
  jobs::RubyKind kind;
  Choose choose;
};
constexpr RubyKind kKinds[] = {
    {"all", jobs::RubyKind::kAll, ChooseNothing},
    {"grade", jobs::RubyKind::kGrade, ChooseGrade},
    {"kanken", jobs::RubyKind::kLevel, ChooseLevel},
    {"line", jobs::RubyKind::kLineField, ChooseLineField},
};

std::optional<RubyKind> KindOf(std::string_view name) {
  for (const RubyKind& kind : kKinds) {
    if (kind.name == name) return kind;
  }
  return std::nullopt;
}

std::string KindNames() {
  std::string names;
  for (const RubyKind& kind : kKinds) {
    if (!names.empty()) names += ", ";
    names += kind.name;
  }
  return names;
}

constexpr std::string_view kReadingContext = "context";
constexpr std::string_view kReadingDictionary = "dictionary";

// --dic-mode takes the number as DIC_PATTERN holds it, written plainly ("01" or "+1" is no
// mode).
std::optional<engine::DictionaryUse> UseOf(std::string_view option) {
  int value = 0;
  auto [end, error] = std::from_chars(option.data(), option.data() + option.size(), value);
  if (error != std::errc() || end != option.data() + option.size() ||
      std::to_string(value) != option) {
    return std::nullopt;
  }
  return engine::DictionaryUseOf(value);
}

// The context of the settings, with the dictionaries and delete options the options give.
engine::RubyCommandContext ContextOf(const CommandEnv& env) {
  const ParsedArgs& args = env.args;
  engine::RubyCommandContext context =
      engine::RubyCommandContextOf(env.settings, env.program, env.work);
  if (const std::string* main_dic = args.Last(kMainDic)) context.main_dictionary = *main_dic;
  if (const std::string* user_dic = args.Last(kUserDic)) context.user_dictionary = *user_dic;
  context.areas.delete_start = args.Has(kDeleteStart);
  context.areas.delete_end = args.Has(kDeleteEnd);
  if (const std::string* reading = args.Last(kReading)) {
    context.context_reading =
        *reading == kReadingContext ? engine::context::ProcessContextSource() : nullptr;
  }
  return context;
}

// Gives one text ruby and prints where its ruby file went; false when it failed after a message.
bool RubyOneFile(const CommandEnv& env, const RubyKind& kind, const jobs::RubyChoices& choices,
                 const engine::RubyCommandContext& context, const fs::path& file) {
  std::optional<UserText> input = OpenUserText(env, file, messages::kCannotOpenFile);
  if (!input) return false;
  jobs::RubyJobResult result =
      jobs::RunRubyJob(kind.kind, choices, *input, context, DestinationOf(env), env.messenger);
  return PrintWritten(env, result);
}

// The dictionary use: the kind's own, else --dic-mode, else DIC_PATTERN. A bad --dic-mode is a
// usage error even where the kind does not use it.
std::optional<CommandResult> ChooseUse(const CommandEnv& env, const RubyKind& kind,
                                       engine::DictionaryUse& use) {
  std::optional<engine::DictionaryUse> chosen = engine::DictionaryUseOf(env.settings.dic_pattern);
  if (const std::string* mode = env.args.Last(kDicMode)) {
    chosen = UseOf(*mode);
    if (!chosen) return CommandResult::UsageError(FormatMessage(messages::kBadDicMode, {*mode}));
  }
  if (kind.kind == jobs::RubyKind::kGrade || kind.kind == jobs::RubyKind::kLevel) {
    chosen = jobs::DictionaryUseOf(kind.kind, engine::DictionaryUse::kMainOnly);
  }
  if (!chosen) {
    TellFailure(env.messenger, messages::kBadDicPattern, {env.settings.dic_pattern});
    return CommandResult::Failure();
  }
  use = *chosen;
  return std::nullopt;
}

CommandResult RunRuby(const CommandEnv& env) {
  const std::string* kind_name = env.args.Last(kKind);
  std::optional<RubyKind> kind = KindOf(kind_name ? *kind_name : "all");
  if (!kind) {
    return CommandResult::UsageError(FormatMessage(messages::kBadKind, {KindNames(), *kind_name}));
  }
  jobs::RubyChoices choices;
  if (std::optional<CommandResult> refused = ChooseUse(env, *kind, choices.use)) return *refused;
  // The dialog's refusal is shown once, and no file is touched.
  if (std::optional<engine::Refusal> refusal = kind->choose(env, choices)) {
    env.messenger.Tell(common::Message{refusal->title, refusal->text, common::Icon::kWarning});
    return CommandResult::Failure();
  }
  if (env.args.Has(kOutputOption) && env.args.Operands().size() > 1) {
    return CommandResult::UsageError(std::string(messages::kOneFileWithOutput));
  }
  if (const std::string* reading = env.args.Last(kReading);
      reading && *reading != kReadingContext && *reading != kReadingDictionary) {
    return CommandResult::UsageError(FormatMessage(messages::kBadReading, {*reading}));
  }
  engine::RubyCommandContext context = ContextOf(env);
  if (const std::string* first = env.args.Last(kFirstOccurrence)) {
    std::optional<engine::FirstRubyScope> scope = engine::FirstRubyScopeNamed(*first);
    if (!scope) {
      return CommandResult::UsageError(FormatMessage(messages::kBadFirstOccurrence, {*first}));
    }
    context.first_ruby = *scope;
  }
  if (env.args.Has(kFirstReading)) context.alternatives = engine::Alternatives::kFirst;
  bool all_done = true;
  for (const std::string& file : env.args.Operands()) {
    all_done = RubyOneFile(env, *kind, choices, context, file) && all_done;
  }
  return all_done ? CommandResult::Success() : CommandResult::Failure();
}

}  // namespace

const Command kRubyCommand = {
    "ruby",
    "ruby [OPTIONS] FILE... [-o OUT]",
    "give texts ruby; writes FILE.srb (.hrb, .krb, .lrb) beside each",
    "Each FILE (Shift_JIS, or UTF-8; see --encoding) is given ruby from the dictionaries and\n"
    "the path of each ruby file written is printed; the ruby file is in the encoding and line\n"
    "ends of its text. FILE - reads standard input and prints the ruby text instead; -o OUT\n"
    "(with one FILE) writes the ruby file there instead of beside FILE. A UTF-8 character\n"
    "that Shift_JIS cannot hold is refused, and nothing is written. Non-ruby areas come from\n"
    "the settings (FUNCTION/NoRbYuko, NoRbBgn_Str, NoRbEnd_Str). The kinds:\n"
    "  all     every word a dictionary knows (.srb)\n"
    "  grade   only kanji of the school grades chosen in RUBIRANGE/NENSETTYPE, NENSITA,\n"
    "          NENUE, NenAddFlag, NENRUBIOUTFLAG, JUKCKFLAG (.hrb; main dictionary only)\n"
    "  kanken  only kanji of the kanji-test levels chosen in RUBIKANQ/KANQSETTYPE,\n"
    "          KANQSETMAXV, KANQSETMINV, CHECBOX3 and RUBIRANGE/KANQJOUTFLAG\n"
    "          (.krb; user dictionary, then main)\n"
    "  line    only lines beginning with GYOURUBI/GYOUTOUMARK and the fields chosen in\n"
    "          RUBIRANGE/L_F_MODE, FLDTYPE, FLDMIN, FLDMAX (.lrb)\n"
    "Choices that the program's own dialog would refuse are refused with its message.\n"
    "--first-occurrence (or RUBIRANGE/FIRSTRUBY: 1 document, 2 paragraph) keeps a word's ruby\n"
    "only at its first occurrence, before any kind's filter. --first-reading takes the first\n"
    "of a group's alternative readings, before words are compared for --first-occurrence.\n",
    kOptions,
    1,
    kAnyNumber,
    RunRuby,
};

}  // namespace cli
