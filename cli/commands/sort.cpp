// sort: sorts the lines of a dictionary source in Japanese order, each distinct line once.
#include <string>

#include "cli/command.h"
#include "cli/text_transform.h"
#include "common/text_encoding.h"
#include "dictionary/source_sort.h"

namespace cli {
namespace {

constexpr OptionSpec kOptions[] = {kOutputOptionSpec};

CommandResult RunSort(const CommandEnv& env) {
  return TransformFile(env, [&env](std::string_view text) -> std::optional<std::string> {
    dictionary::SortResult sorted = dictionary::SortSourceLines(common::CrLfToLf(text));
    if (!sorted.text) {
      env.messenger.Tell(dictionary::SortFailedMessage(sorted));
      return std::nullopt;
    }
    // Sources are written with CR LF, as every text file of the program.
    return common::LfToCrLf(*sorted.text);
  });
}

}  // namespace

const Command kSortCommand = {
    "sort",
    "sort FILE [-o OUT]",
    "sort the lines of a dictionary source; each distinct line is kept once",
    "Lines are put in Japanese collation order (ICU's collator for Japanese), letter case\n"
    "ignored; lines that compare equal are kept once and empty lines are dropped, so that\n"
    "entries typed twice stand side by side for dupcheck. The result, in the encoding of FILE\n"
    "(- for standard input) with CR LF (a UTF-8 text or standard input keeps its own line\n"
    "ends), goes to standard output, or to OUT.\n",
    kOptions,
    1,
    1,
    RunSort,
};

}  // namespace cli
