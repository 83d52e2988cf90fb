// repair: repairs the ruby groups of a selection wherever it occurs in a ruby file, or every
// group of the file.
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/option_values.h"
#include "cli/text_transform.h"
#include "common/message_format.h"
#include "common/encoding/sjis.h"
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
common::PieceStep RepairEveryGroup(int kind) {
  switch (static_cast<RepairKind>(kind)) {
    case RepairKind::kKeepBase:
      return rubywindow::KeepPartOfAllGroupsStep(rubywindow::GroupPart::kBase);
    case RepairKind::kKeepReading:
      return rubywindow::KeepPartOfAllGroupsStep(rubywindow::GroupPart::kReading);
    case RepairKind::kToKatakana:
      return rubywindow::ConvertAllReadingsStep(rubywindow::KanaDirection::kToKatakana);
    case RepairKind::kToHiragana:
      break;
  }
  return rubywindow::ConvertAllReadingsStep(rubywindow::KanaDirection::kToHiragana);
}

// A selection that the text does not hold would leave it unchanged; that is refused rather
// than reported as done, before anything is written.
Transform RepairSelection(const std::string& selection, int kind, bool align_kana,
                          common::Messenger& messenger, const std::string& file) {
  common::PieceStep step = rubywindow::ReplaceAllOccurrencesStep(
      selection, rubywindow::ConvertSelection(selection, kind, align_kana));
  return [=, &messenger](const common::TextSource& text, const common::PieceSink& sink) {
    if (common::TextCursor(text).Find(selection) == std::string_view::npos) {
      if (!text.Failed()) TellFailure(messenger, messages::kSelectionNotFound, {file});
      return false;
    }
    return common::TransformInPieces(text, step, sink);
  };
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
  if (*every_group) return TransformFile(env, InPieces(RepairEveryGroup(*kind)));
  return TransformFile(env, RepairSelection(selection, *kind, align_kana, env.messenger, file));
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
