// first-reading: every group of a ruby file that offers alternative readings keeps its first.
#include <string>

#include "cli/command.h"
#include "cli/text_transform.h"
#include "rubywindow/alternatives.h"

namespace cli {
namespace {

constexpr OptionSpec kOptions[] = {
    kOutputOptionSpec,
};

CommandResult RunFirstReading(const CommandEnv& env) {
  return TransformFile(env, InPieces(rubywindow::KeepFirstReadingsStep()));
}

}  // namespace

const Command kFirstReadingCommand = {
    "first-reading",
    "first-reading FILE [-o OUT]",
    "keep the first reading of every group that offers alternatives",
    "{人/ひと|にん}と{本/ほん} becomes {人/ひと}と{本/ほん}; an empty alternative is passed over\n"
    "({生/|せい} becomes {生/せい}). The result, in the encoding and line ends of FILE (- for\n"
    "standard input), goes to standard output, or to OUT.\n",
    kOptions,
    1,
    1,
    RunFirstReading,
};

}  // namespace cli
