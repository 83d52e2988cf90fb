// escape-braces: replaces literal braces of a text so that a ruby pass does not take them
// for ruby groups.
#include <filesystem>
#include <string>

#include "cli/command.h"
#include "cli/text_transform.h"
#include "engine/markings/brace_escape.h"

namespace cli {
namespace {

constexpr OptionSpec kOptions[] = {kOutputOptionSpec};

CommandResult RunEscapeBraces(const CommandEnv& env) {
  return TransformFile(env, [](const common::TextSource& text, const common::PieceSink& sink) {
    return common::TransformInPieces(text, engine::BraceEscapeStep(text), sink);
  });
}

}  // namespace

const Command kEscapeBracesCommand = {
    "escape-braces",
    "escape-braces FILE [-o OUT]",
    "replace the literal braces of a text before a ruby pass",
    "{漢/かん} becomes @∈漢/かん@∋ and {注} becomes ∈注∋. The result, in the encoding and\n"
    "line ends of FILE (- for standard input), goes to standard output, or to OUT.\n",
    kOptions,
    1,
    1,
    RunEscapeBraces,
};

}  // namespace cli
