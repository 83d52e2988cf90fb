// sort: sorts the lines of a dictionary source in Japanese order, each distinct line once.
#include <string>

#include "cli/command.h"
#include "cli/text_transform.h"
#include "dictionary/source_sort.h"

namespace cli {
namespace {

constexpr char kReturn = '\r';
constexpr char kLineFeed = '\n';

constexpr OptionSpec kOptions[] = {kOutputOptionSpec};

// The source's CR LF as LF, as the sort takes its lines; a lone CR stays.
std::string WithLineFeeds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kReturn && i + 1 < text.size() && text[i + 1] == kLineFeed) continue;
    out += text[i];
  }
  return out;
}

// Sources are written with CR LF, as every text file of the program.
std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    if (c == kLineFeed) out += kReturn;
    out += c;
  }
  return out;
}

CommandResult RunSort(const CommandEnv& env) {
  return TransformFile(env, [&env](std::string_view text) -> std::optional<std::string> {
    dictionary::SortResult sorted = dictionary::SortSourceLines(WithLineFeeds(text));
    if (!sorted.text) {
      env.messenger.Tell(dictionary::SortFailedMessage(sorted));
      return std::nullopt;
    }
    return WithCrLf(*sorted.text);
  });
}

}  // namespace

const Command kSortCommand = {
    "sort",
    "sort FILE [-o OUT]",
    "sort the lines of a dictionary source; each distinct line is kept once",
    "Lines are put in Japanese collation order (ICU's collator for Japanese), letter case\n"
    "ignored; lines that compare equal are kept once and empty lines are dropped, so that\n"
    "entries typed twice stand side by side for dupcheck. The Shift_JIS result (CR LF) goes\n"
    "to standard output, or to OUT.\n",
    kOptions,
    1,
    1,
    RunSort,
};

}  // namespace cli
