// Argument handling, the command table and the set-up every command shares.
#include "cli/run.h"

#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/interrupt_cleanup.h"
#include "cli/messages.h"
#include "cli/option_values.h"
#include "cli/user_text.h"
#include "cli/work_folder.h"
#include "common/cp932.h"
#include "common/message_format.h"
#include "engine/context/context_source.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using common::FormatMessage;

constexpr std::string_view kHome = "--home";
constexpr std::string_view kWorkDir = "--workdir";
constexpr std::string_view kSet = "--set";
constexpr std::string_view kYes = "--yes";
constexpr std::string_view kNo = "--no";
constexpr std::string_view kHelp = "--help";
constexpr std::string_view kVersion = "--version";

constexpr OptionSpec kGlobalOptions[] = {
    {kHome, "", ValueKind::kPath, "DIR",
     "program folder with qelvoVR11.ini and dic/ (default: this program's folder)"},
    {kWorkDir, "", ValueKind::kPath, "DIR",
     "folder for the working files, one run at a time (default: under $TMPDIR or /tmp); each run\n"
     "works in a private folder made in it and removed afterwards"},
    {kSet, "", ValueKind::kText, "SECTION/KEY=VALUE",
     "override a setting for this run, e.g. FUNCTION/NoRbYuko=0 (repeatable)"},
    {kYes, "", ValueKind::kNone, "", "answer every question OK / Yes"},
    {kNo, "", ValueKind::kNone, "", "answer every question Cancel / No"},
    {kEncodingOption, "", ValueKind::kText, "auto|sjis|utf-8",
     "encoding of the texts given and written (default auto: UTF-8 when the text is valid\n"
     "UTF-8 holding non-ASCII, else Shift_JIS)"},
    {kStdinLimitOption, "", ValueKind::kText, "BYTES",
     "the most of standard input (FILE -) a run reads, e.g. 64M (default 1G)"},
    {kHelp, "-h", ValueKind::kNone, "", "show the help"},
    {kVersion, "", ValueKind::kNone, "", "show the program's version"},
};

constexpr std::size_t kCommandColumn = 15;  // where the summaries start in the command list

// The commands; a new command is one new file under cli/commands/ and one row here.
const Command* const kCommands[] = {
    &kRubyCommand,           &kBuildDicCommand,   &kRestoreDicCommand,  &kCheckCommand,
    &kEscapeBracesCommand,   &kBuildGradeCommand, &kBuildKankenCommand, &kDicCommand,
    &kHtmlCommand,           &kYmiCommand,        &kNnnCommand,         &kKanaCommand,
    &kStripCommand,          &kRepairCommand,     &kSortCommand,        &kDupcheckCommand,
    &kMakeDefaultDicCommand, &kExportCommand,    &kFirstReadingCommand, &kLearnCommand,
};

const Command* FindCommand(std::string_view name) {
  for (const Command* command : kCommands) {
    if (command->name == name) return command;
  }
  return nullptr;
}

std::string GlobalHelp() {
  std::string text =
      FormatMessage(messages::kUsageLine, {messages::kProgramName, messages::kGlobalUsage});
  text += messages::kHelpIntro;
  text += messages::kHelpCommands;
  for (const Command* command : kCommands) {
    text += "  ";
    text += command->name;
    text.append(command->name.size() < kCommandColumn ? kCommandColumn - command->name.size() : 1,
                ' ');
    text += command->summary;
    text += '\n';
  }
  text += messages::kHelpGlobalOptions;
  text += FormatOptionHelp(kGlobalOptions);
  text += messages::kHelpFooter;
  text += FormatMessage(messages::kHelpCommandHint, {messages::kProgramName});
  return text;
}

std::string CommandHelp(const Command& command) {
  std::string text = FormatMessage(messages::kUsageLine, {messages::kProgramName, command.usage});
  text += command.summary;
  text += '\n';
  if (!command.details.empty()) {
    text += '\n';
    text += command.details;
  }
  if (!command.options.empty()) {
    text += messages::kHelpOptions;
    text += FormatOptionHelp(command.options);
  }
  text += messages::kHelpGlobalOptions;
  text += FormatOptionHelp(kGlobalOptions);
  text += messages::kHelpFooter;
  return text;
}

int ReportUsageError(std::ostream& err, std::string_view error, const Command* command) {
  err << FormatMessage(messages::kUsageErrorLine, {messages::kProgramName, error});
  std::string name(messages::kProgramName);
  if (command) {
    err << FormatMessage(messages::kUsageLine, {name, command->usage});
    name += ' ';
    name += command->name;
  } else {
    err << FormatMessage(messages::kUsageLine, {name, messages::kGlobalUsage});
  }
  err << FormatMessage(messages::kMoreHelp, {name});
  return ExitCodeOf(Outcome::kUsageError);
}

struct SettingOverrideArg {
  std::string section;
  std::string key;
  std::string value;  // Shift_JIS
};

// "SECTION/KEY=VALUE" split at the first '/' and the first '=' after it.
std::optional<SettingOverrideArg> SplitOverride(std::string_view arg) {
  std::size_t slash = arg.find('/');
  if (slash == std::string_view::npos || slash == 0) return std::nullopt;
  std::size_t equals = arg.find('=', slash);
  if (equals == std::string_view::npos || equals == slash + 1) return std::nullopt;
  return SettingOverrideArg{std::string(arg.substr(0, slash)),
                            std::string(arg.substr(slash + 1, equals - slash - 1)),
                            std::string(arg.substr(equals + 1))};
}

// A --set value (Shift_JIS once parsed) as the terminal shows it, in UTF-8 as it was typed.
std::string Shown(std::string_view sjis) {
  return common::Cp932ToUtf8(sjis).value_or(std::string(sjis));
}

// Overrides the settings with every --set, in order; a usage error names the first bad one.
std::optional<std::string> ApplyOverrides(const ParsedArgs& args, common::Settings& settings) {
  for (const std::string& arg : args.All(kSet)) {
    std::optional<SettingOverrideArg> split = SplitOverride(arg);
    if (!split) return FormatMessage(messages::kBadSetting, {Shown(arg)});
    switch (common::OverrideSetting(settings, split->section, split->key, split->value)) {
      case common::SettingOverride::kOk:
        break;
      case common::SettingOverride::kUnknownKey:
        return FormatMessage(messages::kUnknownSetting, {Shown(split->section), Shown(split->key)});
      case common::SettingOverride::kNotAnInteger:
        return FormatMessage(messages::kSettingNotInteger,
                             {Shown(split->section), Shown(split->key), Shown(split->value)});
    }
  }
  return std::nullopt;
}

// The program folder: --home, or the folder of this executable.
std::optional<fs::path> HomeOf(const ParsedArgs& args, common::Messenger& messenger) {
  std::error_code error;
  if (const std::string* home = args.Last(kHome)) {
    if (fs::is_directory(*home, error)) return fs::path(*home);
    TellFailure(messenger, messages::kNoProgramDir, {*home});
    return std::nullopt;
  }
  fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error) {
    TellFailure(messenger, messages::kCannotLocateProgram, {});
    return std::nullopt;
  }
  return executable.parent_path();
}

[[nodiscard]] bool PrepareWorkFolder(const ParsedArgs& args, WorkFolder& folder,
                                     common::Messenger& messenger) {
  if (const std::string* given = args.Last(kWorkDir)) {
    switch (folder.UseGiven(*given)) {
      case WorkFolder::Given::kReady:
        return true;
      case WorkFolder::Given::kInUse:
        TellFailure(messenger, messages::kWorkDirInUse, {*given});
        return false;
      case WorkFolder::Given::kCannotCreate:
        break;
    }
    TellFailure(messenger, messages::kCannotCreateWorkDir, {*given});
    return false;
  }
  if (folder.MakePrivate()) return true;
  TellFailure(messenger, messages::kCannotCreateWorkDir, {PathText(WorkFolder::PrivateParent())});
  return false;
}

AnswerMode AnswerModeOf(const ParsedArgs& args) {
  if (args.Has(kYes)) return AnswerMode::kAlwaysYes;
  if (args.Has(kNo)) return AnswerMode::kAlwaysNo;
  return AnswerMode::kAskTerminal;
}

CommandResult Execute(const Command& command, const ParsedArgs& args, std::ostream& out,
                      std::ostream& err, TerminalQuestion ask) {
  if (args.Has(kYes) && args.Has(kNo)) {
    return CommandResult::UsageError(std::string(messages::kYesAndNo));
  }
  if (const std::string* encoding = args.Last(kEncodingOption);
      encoding && !EncodingChoiceOf(*encoding)) {
    return CommandResult::UsageError(FormatMessage(messages::kBadEncoding, {*encoding}));
  }
  if (std::string error; !ByteSizeOption(args, kStdinLimitOption, 0, error)) {
    return CommandResult::UsageError(error);
  }
  StderrMessenger messenger(err, AnswerModeOf(args), std::move(ask));
  std::optional<fs::path> home = HomeOf(args, messenger);
  if (!home) return CommandResult::Failure();
  common::ProgramDir program(*home);
  common::Settings settings = common::LoadSettings(program.Dir());
  if (std::optional<std::string> error = ApplyOverrides(args, settings)) {
    return CommandResult::UsageError(*std::move(error));
  }
  StartInterruptCleanup();
  WorkFolder folder;
  if (!PrepareWorkFolder(args, folder, messenger)) return CommandResult::Failure();
  common::WorkDir work(folder.Path());
  try {
    return command.run(CommandEnv{args, out, messenger, program, work, settings});
  } catch (const std::bad_alloc&) {
    // Every file half written is a temporary one, removed on the way here.
    TellFailure(messenger, messages::kOutOfMemory, {});
    return CommandResult::Failure();
  }
}

}  // namespace

int ExitCodeOf(Outcome outcome) {
  switch (outcome) {
    case Outcome::kSuccess:
      return 0;
    case Outcome::kFailed:
      return 1;
    case Outcome::kUsageError:
      return 2;
  }
  return 1;
}

int Run(int argc, char** argv, std::ostream& out, std::ostream& err) {
  return Run(argc, argv, out, err, AskOnTerminal);
}

namespace {

constexpr std::size_t kMegabyte = std::size_t{1} << 20;

std::string MemoryLine(const ProcessMemory& memory) {
  if (!memory.set_up) return {};
  if (memory.heap_stretch == 0) return std::string(messages::kVersionOtherHeap);
  auto megabytes = [](std::size_t bytes) { return static_cast<std::int64_t>(bytes / kMegabyte); };
  if (memory.huge_page_bytes == 0) {
    return FormatMessage(messages::kVersionNoHugePages, {megabytes(memory.heap_stretch)});
  }
  return FormatMessage(messages::kVersionHugePages,
                       {megabytes(memory.heap_stretch), megabytes(memory.huge_page_bytes)});
}

int RunArguments(int argc, char** argv, std::ostream& out, std::ostream& err,
                 TerminalQuestion ask, const ProcessMemory& memory) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  ParsedArgs parsed;
  const std::span<const OptionSpec> global_only[] = {kGlobalOptions};
  ParseOutcome head = ParseArguments(args, global_only, true, parsed);
  if (!head.ok) return ReportUsageError(err, head.error, nullptr);
  if (parsed.Has(kVersion)) {
    out << FormatMessage(messages::kVersionLine, {messages::kProgramName, MIRUKAZE_VERSION});
    std::shared_ptr<engine::context::ContextSource> context =
        engine::context::ProcessContextSource();
    out << FormatMessage(context->OpenAnalyser() ? messages::kVersionContext
                                                 : messages::kVersionNoContext,
                         {context->Description()});
    out << MemoryLine(memory);
    return ExitCodeOf(Outcome::kSuccess);
  }
  if (head.consumed == args.size()) {
    if (!parsed.Has(kHelp)) return ReportUsageError(err, messages::kNoCommand, nullptr);
    out << GlobalHelp();
    return ExitCodeOf(Outcome::kSuccess);
  }
  const Command* command = FindCommand(args[head.consumed]);
  if (!command) {
    return ReportUsageError(err, FormatMessage(messages::kUnknownCommand, {args[head.consumed]}),
                            nullptr);
  }
  const std::span<const OptionSpec> tables[] = {command->options, kGlobalOptions};
  std::span<const std::string> rest = std::span(args).subspan(head.consumed + 1);
  ParseOutcome tail = ParseArguments(rest, tables, false, parsed);
  if (!tail.ok) return ReportUsageError(err, tail.error, command);
  if (parsed.Has(kHelp)) {
    out << CommandHelp(*command);
    return ExitCodeOf(Outcome::kSuccess);
  }
  std::size_t operands = parsed.Operands().size();
  if (operands < command->min_operands || operands > command->max_operands) {
    std::string_view pattern =
        operands < command->min_operands ? messages::kTooFewOperands : messages::kTooManyOperands;
    return ReportUsageError(err, FormatMessage(pattern, {command->name}), command);
  }
  CommandResult result = Execute(*command, parsed, out, err, std::move(ask));
  if (result.outcome == Outcome::kUsageError) {
    return ReportUsageError(err, result.usage_error, command);
  }
  return ExitCodeOf(result.outcome);
}

int RunChecked(int argc, char** argv, std::ostream& out, std::ostream& err,
               TerminalQuestion ask, const ProcessMemory& memory) {
  int code = RunArguments(argc, argv, out, err, std::move(ask), memory);
  // Help or a report that never reached its reader is no success (a full disk, a closed pipe).
  out.flush();
  if (!out && code == ExitCodeOf(Outcome::kSuccess)) {
    err << FormatMessage(messages::kUsageErrorLine,
                         {messages::kProgramName, messages::kCannotWriteOutput});
    return ExitCodeOf(Outcome::kFailed);
  }
  return code;
}

}  // namespace

int Run(int argc, char** argv, std::ostream& out, std::ostream& err, TerminalQuestion ask) {
  return RunChecked(argc, argv, out, err, std::move(ask), ProcessMemory{});
}

int Run(int argc, char** argv, std::ostream& out, std::ostream& err, const ProcessMemory& memory) {
  return RunChecked(argc, argv, out, err, AskOnTerminal, memory);
}

}  // namespace cli
