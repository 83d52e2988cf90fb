// ruby: gives each text file ruby and writes the ruby file beside it.
#include <charconv>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "common/message_format.h"
#include "common/settings.h"
#include "common/status.h"
#include "engine/dictionary_use.h"
#include "engine/ruby_pipeline.h"
#include "rubywindow/notation_checker.h"

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

constexpr OptionSpec kOptions[] = {
    {kKind, "", ValueKind::kText, "all", "which ruby to give (default: all)"},
    {kDicMode, "", ValueKind::kText, "0|1|2",
     "0 main dictionary, 1 user dictionary, 2 user then main (default: DIC_PATTERN)"},
    {kMainDic, "", ValueKind::kPath, "PATH", "main dictionary (default: HOME/dic/Qv_Body.dic)"},
    {kUserDic, "", ValueKind::kPath, "PATH",
     "user dictionary (default: the selected one, else HOME/dic/Qv_Users.dic)"},
    {kDeleteStart, "", ValueKind::kNone, "", "leave out the start string of non-ruby areas"},
    {kDeleteEnd, "", ValueKind::kNone, "", "leave out the end string of non-ruby areas"},
};

// Everything one ruby command needs for one file.
struct RubyJob {
  const common::TextSource& text;
  engine::DictionaryUse use;
  const engine::RubyCommandContext& context;
  common::Messenger& messenger;
};

engine::RubyCommandResult RunAll(const RubyJob& job) {
  return engine::RunAllRuby(job.text, job.use, job.context, job.messenger);
}

// The kinds of ruby; the others (grade, kanken, line) join this table as they come.
struct RubyKind {
  std::string_view name;
  engine::RubyCommandResult (*run)(const RubyJob& job);
};
constexpr RubyKind kKinds[] = {
    {"all", RunAll},
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

// The registered dictionary the settings select, else the standard user dictionary. An
// entry loaded from an empty name points at the dic folder itself and does not count.
fs::path UserDictionaryOf(const common::Settings& settings, const common::ProgramDir& program) {
  if (settings.dic_num >= 0 && settings.dic_num < common::kDictionarySlots) {
    const fs::path& file = settings.dic_files[static_cast<std::size_t>(settings.dic_num)];
    if (!file.empty() && file.has_filename()) return file;
  }
  return program.StandardUserDictionary();
}

engine::RubyCommandContext ContextOf(const CommandEnv& env) {
  const ParsedArgs& args = env.args;
  engine::RubyCommandContext context{env.work, {}, {}, {}, {}, false, {}};
  const std::string* main_dic = args.Last(kMainDic);
  context.main_dictionary = main_dic ? fs::path(*main_dic) : env.program.MainDictionary();
  const std::string* user_dic = args.Last(kUserDic);
  context.user_dictionary =
      user_dic ? fs::path(*user_dic) : UserDictionaryOf(env.settings, env.program);
  context.areas = common::NonRubyAreasOf(env.settings);
  context.areas.delete_start = args.Has(kDeleteStart);
  context.areas.delete_end = args.Has(kDeleteEnd);
  return context;
}

// Gives one file ruby and prints the ruby file's path; false when it failed after a message.
bool RubyOneFile(const CommandEnv& env, const RubyKind& kind, engine::DictionaryUse use,
                 engine::RubyCommandContext context, const fs::path& file) {
  std::unique_ptr<common::FileTextSource> text = OpenInput(file, env.messenger);
  if (!text) return false;
  context.document_path = file;
  context.fault_line = [&text](std::size_t offset) {
    return rubywindow::LogicalLineOfFault(*text, offset);
  };
  engine::RubyCommandResult result = kind.run(RubyJob{*text, use, context, env.messenger});
  if (result.status == engine::RubyCommandStatus::kMarkingFailed) {
    // This step fails without a word of its own; the user still learns which file failed.
    TellFailure(env.messenger, messages::kMarkingFailed, {PathText(file)});
  }
  if (!common::IsOk(result.status)) return false;
  return WriteOutput(env.out, PathText(result.ruby_file) + "\n", env.messenger);
}

CommandResult RunRuby(const CommandEnv& env) {
  const std::string* kind_name = env.args.Last(kKind);
  std::optional<RubyKind> kind = KindOf(kind_name ? *kind_name : "all");
  if (!kind) {
    return CommandResult::UsageError(FormatMessage(messages::kBadKind, {KindNames(), *kind_name}));
  }
  std::optional<engine::DictionaryUse> use = engine::DictionaryUseOf(env.settings.dic_pattern);
  if (const std::string* mode = env.args.Last(kDicMode)) {
    use = UseOf(*mode);
    if (!use) return CommandResult::UsageError(FormatMessage(messages::kBadDicMode, {*mode}));
  } else if (!use) {
    TellFailure(env.messenger, messages::kBadDicPattern, {env.settings.dic_pattern});
    return CommandResult::Failure();
  }
  engine::RubyCommandContext context = ContextOf(env);
  bool all_done = true;
  for (const std::string& file : env.args.Operands()) {
    all_done = RubyOneFile(env, *kind, *use, context, file) && all_done;
  }
  return all_done ? CommandResult::Success() : CommandResult::Failure();
}

}  // namespace

const Command kRubyCommand = {
    "ruby",
    "ruby [OPTIONS] FILE...",
    "give Shift_JIS texts ruby; writes FILE without its extension + \".srb\"",
    "Each FILE is read as Shift_JIS text and given ruby from the dictionaries; the path of\n"
    "each ruby file written is printed. Non-ruby areas come from the settings\n"
    "(FUNCTION/NoRbYuko, NoRbBgn_Str, NoRbEnd_Str).\n",
    kOptions,
    1,
    kAnyNumber,
    RunRuby,
};

}  // namespace cli
