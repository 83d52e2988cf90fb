// sort: sorts the lines of a dictionary source in Japanese order, each distinct line once.
#include <cstdint>
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/option_values.h"
#include "cli/text_transform.h"
#include "common/encoding/text_encoding.h"
#include "dictionary/source_sort.h"

namespace cli {
namespace {

constexpr std::string_view kMaxSize = "--max-size";
// Sorting holds every line, a copy of it and a key for each, several times the text in all.
constexpr std::uint64_t kDefaultMaxSize = std::uint64_t{256} << 20;

constexpr OptionSpec kOptions[] = {
    {kMaxSize, "", ValueKind::kText, "BYTES",
     "refuse a FILE larger than BYTES (K, M, G allowed; default 256M), which the sort holds whole"},
    kOutputOptionSpec,
};

CommandResult RunSort(const CommandEnv& env) {
  std::string error;
  std::optional<std::uint64_t> max_size = ByteSizeOption(env.args, kMaxSize, kDefaultMaxSize, error);
  if (!max_size) return CommandResult::UsageError(error);
  const std::string& file = env.args.Operands().front();
  return TransformFile(env, [&](const common::TextSource& source, const common::PieceSink& sink) {
    if (source.Size() > *max_size) {
      TellFailure(env.messenger, messages::kTooLargeToSort,
                  {file == kStandardStream ? messages::kStandardInputName : std::string_view(file),
                   static_cast<std::int64_t>(source.Size()), static_cast<std::int64_t>(*max_size)});
      return false;
    }
    std::string text(source.Size(), '\0');
    if (source.Read(0, text.data(), text.size()) != text.size()) return false;
    dictionary::SortResult sorted = dictionary::SortSourceLines(common::CrLfToLf(text));
    if (!sorted.text) {
      env.messenger.Tell(dictionary::SortFailedMessage(sorted));
      return false;
    }
    // Sources are written with CR LF, as every text file of the program.
    return sink(common::LfToCrLf(*sorted.text));
  });
}

}  // namespace

const Command kSortCommand = {
    "sort",
    "sort [--max-size BYTES] FILE [-o OUT]",
    "sort the lines of a dictionary source; each distinct line is kept once",
    "Lines are put in Japanese collation order (ICU's collator for Japanese), letter case\n"
    "ignored; lines that compare equal are kept once and empty lines are dropped, so that\n"
    "entries typed twice stand side by side for dupcheck. The result, in the encoding and line\n"
    "ends of FILE (- for standard input), goes to standard output, or to OUT. The sort holds\n"
    "the whole text: a FILE larger than --max-size is refused.\n",
    kOptions,
    1,
    1,
    RunSort,
};

}  // namespace cli
