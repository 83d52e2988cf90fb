// strip: replaces every ruby group of a ruby file by its base or by its reading.
#include <array>
#include <string>

#include "cli/command.h"
#include "cli/option_values.h"
#include "cli/text_transform.h"
#include "rubywindow/ruby_repair.h"

namespace cli {
namespace {

constexpr std::string_view kKeep = "--keep";

// In the order of rubywindow::GroupPart.
constexpr std::array<std::string_view, 2> kParts = {"base", "reading"};

constexpr OptionSpec kOptions[] = {
    {kKeep, "", ValueKind::kText, "base|reading", "what each group is replaced by"},
    kOutputOptionSpec,
};

CommandResult RunStrip(const CommandEnv& env) {
  std::string error;
  std::optional<std::size_t> choice = ChoiceOption(env.args, kKeep, kParts, error);
  if (!choice) return CommandResult::UsageError(error);
  auto part = static_cast<rubywindow::GroupPart>(*choice);
  return TransformFile(env, InPieces(rubywindow::KeepPartOfAllGroupsStep(part)));
}

}  // namespace

const Command kStripCommand = {
    "strip",
    "strip --keep base|reading FILE [-o OUT]",
    "replace every ruby group by its base or by its reading",
    "{漢字/かんじ}の{本/ほん} becomes 漢字の本 (base) or かんじのほん (reading). The\n"
    "result, in the encoding and line ends of FILE (- for standard input), goes to standard\n"
    "output, or to OUT.\n",
    kOptions,
    1,
    1,
    RunStrip,
};

}  // namespace cli
