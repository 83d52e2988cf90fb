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
#include "common/notation_checker.h"
#include "common/settings.h"
#include "common/status.h"
#include "engine/command_context.h"
#include "engine/context/context_source.h"
#include "engine/dictionary_use.h"
#include "engine/filter_options.h"
#include "engine/ruby_file_naming.h"
#include "engine/ruby_pipeline.h"

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

constexpr OptionSpec kOptions[] = {
    {kKind, "", ValueKind::kText, "all|grade|kanken|line", "which ruby to give (default: all)"},
    {kDicMode, "", ValueKind::kText, "0|1|2",
     "0 main, 1 user, 2 user then main (default: DIC_PATTERN; grade: 0, kanken: 2)"},
    {kReading, "", ValueKind::kText, "context|dictionary",
     "read words in context with MeCab + UniDic, or by the main dictionary alone "
     "(default: DICTIONARY/YOMI_MODE, 1 context)"},
    {kMainDic, "", ValueKind::kPath, "PATH", "main dictionary (default: HOME/dic/Qv_Body.dic)"},
    {kUserDic, "", ValueKind::kPath, "PATH",
     "user dictionary (default: the selected one, else HOME/dic/Qv_Users.dic)"},
    {kDeleteStart, "", ValueKind::kNone, "", "leave out the start string of non-ruby areas"},
    {kDeleteEnd, "", ValueKind::kNone, "", "leave out the end string of non-ruby areas"},
    {kMarkDelete, "", ValueKind::kNone, "", "line: delete the line-head mark from chosen lines"},
    {kSeparator, "", ValueKind::kText, "C", "line: the field separator, one byte; \\t is a tab"},
    kOutputFileOptionSpec,
};

// The dialog choices of the filter kinds, taken from the settings and the options.
struct FilterChoices {
  engine::GradeRubyOptions grade;
  engine::LevelRubyOptions level;
  engine::LineFieldOptions line;
};

// What every file of one run shares.
struct RubyJobSetup {
  engine::DictionaryUse use = engine::DictionaryUse::kMainOnly;
  FilterChoices choices;
};

// Everything one ruby command needs for one file.
struct RubyJob {
  const common::TextSource& text;
  engine::DictionaryUse use;
  const FilterChoices& choices;
  const engine::RubyCommandContext& context;
  common::Messenger& messenger;
};

engine::RubyCommandResult RunAll(const RubyJob& job) {
  return engine::RunAllRuby(job.text, job.use, job.context, job.messenger);
}
engine::RubyCommandResult RunGrade(const RubyJob& job) {
  return engine::RunGradeRuby(job.text, job.choices.grade, job.context, job.messenger);
}
engine::RubyCommandResult RunLevel(const RubyJob& job) {
  return engine::RunLevelRuby(job.text, job.choices.level, job.context, job.messenger);
}
engine::RubyCommandResult RunLineField(const RubyJob& job) {
  return engine::RunLineFieldRuby(job.text, job.choices.line, job.use, job.context, job.messenger);
}

// Each kind reads its dialog's choices and checks them as the dialog does.
using Choose = std::optional<engine::Refusal> (*)(const CommandEnv& env, FilterChoices& choices);

std::optional<engine::Refusal> ChooseNothing(const CommandEnv&, FilterChoices&) {
  return std::nullopt;
}
std::optional<engine::Refusal> ChooseGrade(const CommandEnv& env, FilterChoices& choices) {
  choices.grade = engine::GradeRubyOptionsOf(env.settings);
  return engine::ValidateGradeRuby(choices.grade);
}
std::optional<engine::Refusal> ChooseLevel(const CommandEnv& env, FilterChoices& choices) {
  choices.level = engine::LevelRubyOptionsOf(env.settings);
  return engine::ValidateLevelRuby(choices.level);
}
std::optional<engine::Refusal> ChooseLineField(const CommandEnv& env, FilterChoices& choices) {
  const std::string* typed = env.args.Last(kSeparator);
  choices.line = engine::LineFieldOptionsOf(env.settings, env.args.Has(kMarkDelete),
                                            common::SeparatorEntry(typed ? *typed : ""));
  return engine::ValidateLineField(choices.line);
}

// The kinds of ruby. Grade ruby always applies the main dictionary alone and level ruby the
// user dictionary before the main one; the others take the mode asked for.
// All ruby writes its file in the text's encoding and line ends as it goes; the filters' files
// are converted once written.
struct RubyKind {
  std::string_view name;
  std::optional<engine::DictionaryUse> fixed_use;
  Choose choose;
  engine::RubyCommandResult (*run)(const RubyJob& job);
  bool writes_in_form = false;
};
constexpr RubyKind kKinds[] = {
    {"all", std::nullopt, ChooseNothing, RunAll, /*writes_in_form=*/true},
    {"grade", engine::DictionaryUse::kMainOnly, ChooseGrade, RunGrade},
    {"kanken", engine::DictionaryUse::kUserThenMain, ChooseLevel, RunLevel},
    {"line", std::nullopt, ChooseLineField, RunLineField},
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

// Runs the kind over the text as the document DocumentOf names; the ruby file's path, or
// nullopt when it failed after a message.
std::optional<fs::path> RunKind(const CommandEnv& env, const RubyKind& kind,
                                const RubyJobSetup& setup, engine::RubyCommandContext context,
                                const UserText& input) {
  const common::TextSource& text = *input.sjis;
  context.document_path = DocumentOf(env, input);
  if (kind.writes_in_form) context.ruby_file_form = input.form;
  context.fault_line = [&text](std::size_t offset) {
    return common::LogicalLineOfFault(text, offset);
  };
  engine::RubyCommandResult result =
      kind.run(RubyJob{text, setup.use, setup.choices, context, env.messenger});
  if (result.status == engine::RubyCommandStatus::kMarkingFailed) {
    // This step fails without a word of its own; the user still learns which file failed.
    TellFailure(env.messenger, messages::kMarkingFailed, {input.ShownName()});
  }
  if (!common::IsOk(result.status)) return std::nullopt;
  return result.ruby_file;
}

// Gives one text ruby and hands its ruby file to the user; false when it failed after a message.
bool RubyOneFile(const CommandEnv& env, const RubyKind& kind, const RubyJobSetup& setup,
                 const engine::RubyCommandContext& context, const fs::path& file) {
  std::optional<UserText> input = OpenUserText(env, file, messages::kCannotOpenFile);
  if (!input) return false;
  std::optional<fs::path> ruby_file = RunKind(env, kind, setup, context, *input);
  return ruby_file &&
         DeliverWritten(env, *input, *ruby_file, engine::RubyFileBackupName, kind.writes_in_form)
             .has_value();
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
  if (kind.fixed_use) chosen = kind.fixed_use;
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
  RubyJobSetup setup;
  if (std::optional<CommandResult> refused = ChooseUse(env, *kind, setup.use)) return *refused;
  // The dialog's refusal is shown once, and no file is touched.
  if (std::optional<engine::Refusal> refusal = kind->choose(env, setup.choices)) {
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
  bool all_done = true;
  for (const std::string& file : env.args.Operands()) {
    all_done = RubyOneFile(env, *kind, setup, context, file) && all_done;
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
    "Choices that the program's own dialog would refuse are refused with its message.\n",
    kOptions,
    1,
    kAnyNumber,
    RunRuby,
};

}  // namespace cli
