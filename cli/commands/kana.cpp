// kana: turns every reading of a ruby file into katakana or into hiragana.
#include <array>
#include <string>

#include "cli/command.h"
#include "cli/option_values.h"
#include "cli/text_transform.h"
#include "rubywindow/kana_table.h"
#include "rubywindow/ruby_repair.h"

namespace cli {
namespace {

constexpr std::string_view kTo = "--to";

constexpr std::array<std::string_view, 2> kDirections = {"katakana", "hiragana"};

constexpr OptionSpec kOptions[] = {
    {kTo, "", ValueKind::kText, "katakana|hiragana", "the kana the readings are turned into"},
    kOutputOptionSpec,
};

CommandResult RunKana(const CommandEnv& env) {
  std::string error;
  std::optional<std::size_t> choice = ChoiceOption(env.args, kTo, kDirections, error);
  if (!choice) return CommandResult::UsageError(error);
  rubywindow::KanaDirection direction = *choice == 0 ? rubywindow::KanaDirection::kToKatakana
                                                     : rubywindow::KanaDirection::kToHiragana;
  return TransformFile(env, InPieces(rubywindow::ConvertAllReadingsStep(direction)));
}

}  // namespace

const Command kKanaCommand = {
    "kana",
    "kana --to katakana|hiragana FILE [-o OUT]",
    "turn every reading of a ruby file into katakana or into hiragana",
    "Only the readings change: {漢字/かんじ}と becomes {漢字/カンジ}と. On the way to hiragana ヴ\n"
    "becomes ぶ; ー stays. The result, in the encoding and line ends of FILE (- for standard\n"
    "input), goes to standard output, or to OUT.\n",
    kOptions,
    1,
    1,
    RunKana,
};

}  // namespace cli
