// repair: repairs the ruby groups of a selection wherever it occurs in a ruby file, or every
// group of the file.
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/option_values.h"
#include "cli/text_transform.h"
#include "common/message_format.h"
#include "common/sjis.h"
#include "rubywindow/ruby_repair.h"

namespace cli {
namespace {

using rubywindow::RepairKind;

constexpr std::string_view kKind = "--kind";
constexpr std::string_view kAlignKana = "--align-kana";
constexpr std::string_view kSelection = "--selection";
constexpr std::string_view kKindValues = "1|2|3|4";

constexpr OptionSpec kOptions[] = {
    {kKind, "", ValueKind::kText, kKindValues,
     "1 keep the base, 2 keep the reading, 3 to katakana, 4 to hiragana"},
    {kAlignKana, "", ValueKind::kNone, "",
     "3 and 4: change the kana between the selected groups too"},
    {kSelection, "", ValueKind::kText, "TEXT",
     "the groups to repair, from '{' to '}'; empty or absent: every group (after a question)"},
    kOutputOptionSpec,
};

// Every group of the text, as the whole-document repair does it: a kana change touches only
// the readings.
std::string RepairEveryGroup(std::string_view text, int kind) {
  switch (static_cast<RepairKind>(kind)) {
    case RepairKind::kKeepBase:
      return rubywindow::KeepPartOfAllGroups(text, rubywindow::GroupPart::kBase);
    case RepairKind::kKeepReading:
      return rubywindow::KeepPartOfAllGroups(text, rubywindow::GroupPart::kReading);
    case RepairKind::kToKatakana:
      return rubywindow::ConvertAllReadings(text, rubywindow::KanaDirection::kToKatakana);
    case RepairKind::kToHiragana:
      break;
  }
  return rubywindow::ConvertAllReadings(text, rubywindow::KanaDirection::kToHiragana);
}

// A selection that the text does not hold would leave it unchanged; that is refused rather
// than reported as done.
std::optional<std::string> RepairSelection(std::string_view text, std::string_view selection,
                                           int kind, bool align_kana, common::Messenger& messenger,
                                           const std::string& file) {
  if (common::FindAligned(text, selection) == std::string_view::npos) {
    TellFailure(messenger, messages::kSelectionNotFound, {file});
    return std::nullopt;
  }
  return rubywindow::ReplaceAllOccurrences(
      text, selection, rubywindow::ConvertSelection(selection, kind, align_kana));
}

// Whether every group is to be repaired; nullopt when the selection is refused or the
// question about the whole document is answered No (a message has said so).
std::optional<bool> EveryGroupWanted(std::string_view selection, common::Messenger& messenger) {
  rubywindow::SelectionCheck check = rubywindow::CheckRepairSelection(selection);
  if (check == rubywindow::SelectionCheck::kGroups) return false;
  std::optional<common::Message> message = rubywindow::RepairSelectionMessage(check);
  if (!message) return false;
  if (check != rubywindow::SelectionCheck::kNothingSelected) {
    messenger.Tell(*message);
    return std::nullopt;
  }
  if (messenger.Ask(*message, common::Buttons::kYesNo) != common::Answer::kYes) return std::nullopt;
  return true;
}

CommandResult RunRepair(const CommandEnv& env) {
  if (!env.args.Has(kKind)) {
    return CommandResult::UsageError(
        common::FormatMessage(messages::kMissingChoice, {kKind, kKindValues}));
  }
  std::string error;
  std::optional<int> kind = IntegerOption(env.args, kKind, 0, 1, 4, error);
  if (!kind) return CommandResult::UsageError(error);
  const std::string* given = env.args.Last(kSelection);
  std::string selection = given ? *given : std::string();
  std::optional<bool> every_group = EveryGroupWanted(selection, env.messenger);
  if (!every_group) return CommandResult::Failure();
  bool align_kana = env.args.Has(kAlignKana);
  std::string file = env.args.Operands().front();
  return TransformFile(env, [&](std::string_view text) -> std::optional<std::string> {
    if (*every_group) return RepairEveryGroup(text, *kind);
    return RepairSelection(text, selection, *kind, align_kana, env.messenger, file);
  });
}

}  // namespace

const Command kRepairCommand = {
    "repair",
    "repair --kind 1|2|3|4 [--align-kana] --selection TEXT FILE [-o OUT]",
    "repair the ruby groups of a selection wherever it occurs, or every group",
    "The selection is replaced everywhere it occurs in FILE. Kind 1 keeps the bases, 2 the\n"
    "readings, 3 and 4 turn whole groups (base and reading) into katakana or hiragana;\n"
    "--align-kana turns the kana between the groups too. The selection must begin with '{',\n"
    "end with '}' and hold a '/'. Without a selection every group of FILE is repaired, after a\n"
    "question; kana changes then touch only the readings. The result, in the encoding and\n"
    "line ends of FILE (- for standard input), goes to standard output, or to OUT.\n",
    kOptions,
    1,
    1,
    RunRepair,
};

}  // namespace cli
