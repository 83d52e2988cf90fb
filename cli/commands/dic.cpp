// dic: the registry of user dictionaries in HOME/qelvoVR11.ini — list, add, remove, select
// the pre-dictionary and choose which dictionaries the passes use.
#include <charconv>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/settings_file.h"
#include "common/encoding/cp932.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/status.h"
#include "dictionary/registry.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using common::FormatMessage;
using Operands = std::span<const std::string>;  // the action's own operands

constexpr std::string_view kStandard = "std";

// A plain decimal number without sign or leading zeros, as the list prints them.
std::optional<int> IndexOf(std::string_view operand) {
  int value = 0;
  auto [end, error] = std::from_chars(operand.data(), operand.data() + operand.size(), value);
  if (error != std::errc() || end != operand.data() + operand.size() ||
      std::to_string(value) != operand) {
    return std::nullopt;
  }
  return value;
}

std::string ExistenceWord(const fs::path& file) {
  return std::string(common::FileExists(file) ? messages::kFileThere : messages::kFileAbsent);
}

CommandResult RunList(const CommandEnv& env, Operands) {
  const common::Settings& settings = env.settings;
  dictionary::CheckOnOpening(settings, env.program, env.messenger);
  std::string text = FormatMessage(messages::kListIndicator, {dictionary::IndicatorText(settings)});
  fs::path pre = dictionary::UserDictionaryOf(settings, env.program);
  text += FormatMessage(messages::kListPreDictionary, {dictionary::PreDictionaryLabel(settings),
                                                       PathText(pre), ExistenceWord(pre)});
  int count = dictionary::RegisteredCount(settings);
  for (int i = 0; i < count; ++i) {
    const std::size_t slot = static_cast<std::size_t>(i);
    text +=
        FormatMessage(messages::kListEntry, {i, common::Cp932ToUtf8Lossy(settings.dic_names[slot]),
                                             PathText(settings.dic_files[slot]),
                                             ExistenceWord(settings.dic_files[slot])});
  }
  return WriteOutput(env.out, text, env.messenger) ? CommandResult::Success()
                                                   : CommandResult::Failure();
}

// Runs one registry change on the settings file; the file is saved only when it succeeded.
template <typename Change>
CommandResult Keep(const CommandEnv& env, Change change) {
  bool kept = ChangeSettingsFile(env.program, env.messenger, [&](common::Settings& settings) {
    return common::IsOk(change(settings));
  });
  return kept ? CommandResult::Success() : CommandResult::Failure();
}

CommandResult RunAdd(const CommandEnv& env, Operands operands) {
  std::optional<std::string> name = common::Utf8ToCp932(operands[0]);
  if (!name) return CommandResult::UsageError(FormatMessage(messages::kNameNotShiftJis, {}));
  fs::path file = operands[1];
  return Keep(env, [&](common::Settings& settings) {
    return dictionary::RegisterFromDicFolder(settings, *name, file, env.program, env.messenger);
  });
}

CommandResult RunRemove(const CommandEnv& env, Operands operands) {
  std::vector<int> indexes;
  for (const std::string& operand : operands) {
    std::optional<int> index = IndexOf(operand);
    if (!index) return CommandResult::UsageError(FormatMessage(messages::kBadIndex, {operand}));
    indexes.push_back(*index);
  }
  return Keep(env, [&](common::Settings& settings) {
    return dictionary::RemoveChecked(settings, indexes, env.messenger);
  });
}

CommandResult RunRemoveAll(const CommandEnv& env, Operands) {
  return Keep(env, [&](common::Settings& settings) {
    return dictionary::RemoveAll(settings, env.messenger);
  });
}

CommandResult RunSelect(const CommandEnv& env, Operands operands) {
  if (operands[0] == kStandard) {
    return Keep(env, [&](common::Settings& settings) {
      return dictionary::SelectStandard(settings, env.program, env.messenger);
    });
  }
  std::optional<int> index = IndexOf(operands[0]);
  if (!index)
    return CommandResult::UsageError(FormatMessage(messages::kBadSelection, {operands[0]}));
  return Keep(env, [&](common::Settings& settings) {
    return dictionary::SelectRegistered(settings, *index, env.messenger);
  });
}

CommandResult RunMode(const CommandEnv& env, Operands operands) {
  std::optional<int> mode = IndexOf(operands[0]);
  if (!mode || *mode > 2) {
    return CommandResult::UsageError(FormatMessage(messages::kBadMode, {operands[0]}));
  }
  return Keep(env,
              [&](common::Settings& settings) { return dictionary::SetMode(settings, *mode); });
}

struct Action {
  std::string_view name;
  std::size_t min_operands;
  std::size_t max_operands;
  CommandResult (*run)(const CommandEnv& env, Operands operands);
};

constexpr Action kActions[] = {
    {"list", 0, 0, RunList},
    {"add", 2, 2, RunAdd},
    {"remove", 1, kAnyNumber, RunRemove},
    {"remove-all", 0, 0, RunRemoveAll},
    {"select", 1, 1, RunSelect},
    {"mode", 1, 1, RunMode},
};

CommandResult RunDic(const CommandEnv& env) {
  const std::vector<std::string>& operands = env.args.Operands();
  for (const Action& action : kActions) {
    if (action.name != operands.front()) continue;
    Operands rest = Operands(operands).subspan(1);
    if (rest.size() < action.min_operands || rest.size() > action.max_operands) {
      return CommandResult::UsageError(FormatMessage(messages::kBadActionArguments, {action.name}));
    }
    return action.run(env, rest);
  }
  return CommandResult::UsageError(FormatMessage(messages::kUnknownAction, {operands.front()}));
}

}  // namespace

const Command kDicCommand = {
    "dic",
    "dic list | add NAME FILE | remove INDEX... | remove-all | select INDEX|std | mode 0|1|2",
    "the registry of user dictionaries, and the dictionaries in use",
    "The registry lives in HOME/qelvoVR11.ini (section DICTIONARY); every action but list\n"
    "changes that file and keeps all its other values. --set values are for one run: list\n"
    "shows them, the other actions never save them.\n"
    "  list             the dictionary indicator, the selected pre-dictionary and each\n"
    "                   registered dictionary (INDEX, name, file, whether the file exists),\n"
    "                   separated by tabs\n"
    "  add NAME FILE    register the ruby dictionary FILE, which must lie in HOME/dic\n"
    "  remove INDEX...  remove entries (after a question); later entries move down and the\n"
    "                   selection follows its entry\n"
    "  remove-all       remove every entry (after a question)\n"
    "  select INDEX|std the pre-dictionary: a registered entry, or the standard\n"
    "                   HOME/dic/Qv_Users.dic\n"
    "  mode 0|1|2       0 main dictionary only, 1 pre-dictionary only, 2 pre then main\n",
    {},
    1,
    kAnyNumber,
    RunDic,
};

}  // namespace cli
