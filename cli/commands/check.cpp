// check: looks for the first malformed ruby group of a ruby file.
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/user_text.h"
#include "common/message_format.h"
#include "common/messages.h"
#include "common/notation/notation_checker.h"
#include "common/encoding/sjis.h"
#include "common/encoding/text_source.h"
#include "rubywindow/messages.h"

namespace cli {
namespace {

constexpr std::string_view kFrom = "--from";
constexpr std::string_view kSeparators = "--separators";

constexpr OptionSpec kOptions[] = {
    {kFrom, "", ValueKind::kText, "BYTE",
     "start at this byte offset of the file (default 0: the start of the text)"},
    {kSeparators, "", ValueKind::kNone, "",
     "report readings with alternatives separated by '|' as faults"},
};

// Where the check starts, as an editor would show the caret there.
struct StartPoint {
  std::size_t offset = 0;
  int line = 1;    // logical line, 1-based
  int column = 1;  // byte column, 1-based
};

// The start of the character at `offset` (an offset inside a double-byte character moves
// back to its lead byte, so the scan never starts on a trail byte), with its line and column.
StartPoint StartPointOf(const common::TextSource& text, std::size_t offset) {
  common::TextCursor cursor(text);
  StartPoint point;
  while (cursor.Offset() < offset) {
    int byte = cursor.Peek();
    std::size_t width = common::IsLeadByte(static_cast<unsigned char>(byte)) ? 2 : 1;
    if (cursor.Offset() + width > offset) break;
    cursor.Advance(width);
    if (byte == '\n') {
      ++point.line;
      point.column = 1;
    } else {
      point.column += static_cast<int>(width);
    }
  }
  point.offset = cursor.Offset();
  return point;
}

std::optional<std::size_t> ParseOffset(std::string_view text) {
  std::size_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

// Refuses a file with nothing in it, as the ruby window refuses an empty text.
void TellNothingToCheck(common::Messenger& messenger) {
  messenger.Tell(common::Message{std::string(common::messages::kTitleNothingToCheck),
                                 std::string(common::messages::kNothingToCheck)});
}

// Checks the opened text from byte `from` and prints the summary when it holds no fault.
CommandResult CheckFile(const CommandEnv& env, const UserText& input, std::size_t from) {
  const common::TextSource& text = *input.sjis;
  if (text.Size() == 0) {
    TellNothingToCheck(env.messenger);
    return CommandResult::Failure();
  }
  if (from > text.Size()) {
    TellFailure(env.messenger, messages::kStartBeyondEnd,
                {static_cast<std::int64_t>(from), input.ShownName(),
                 static_cast<std::int64_t>(text.Size())});
    return CommandResult::Failure();
  }
  StartPoint start = StartPointOf(text, from);
  common::NotationCheck check = common::CheckNotation(text, start.offset, env.args.Has(kSeparators),
                                                      common::NonRubyAreasOf(env.settings));
  int fault_line = check.ok() ? 0 : common::LogicalLineOfFault(text, check.fault_offset);
  // A read error ends every scan where it happens: neither a clean end nor a fault found there
  // would say anything true about the file.
  if (text.Failed()) {
    TellFailure(env.messenger, messages::kCannotReadFile, {input.ShownName()});
    return CommandResult::Failure();
  }
  if (!check.ok()) {
    common::ReportFault(check.code, fault_line, env.messenger);
    return CommandResult::Failure();
  }
  std::string report = common::CheckPassedText(input.ShownName(), start.line, start.column,
                                               check.lines, check.groups);
  return WriteOutput(env.out, report + "\n", env.messenger) ? CommandResult::Success()
                                                            : CommandResult::Failure();
}

CommandResult RunCheck(const CommandEnv& env) {
  std::size_t from = 0;
  if (const std::string* given = env.args.Last(kFrom)) {
    std::optional<std::size_t> parsed = ParseOffset(*given);
    if (!parsed) {
      return CommandResult::UsageError(common::FormatMessage(messages::kBadOffset, {*given}));
    }
    from = *parsed;
  }
  std::optional<UserText> input =
      OpenUserText(env, env.args.Operands().front(), messages::kCannotOpenFile);
  if (!input) return CommandResult::Failure();
  return CheckFile(env, *input, from);
}

}  // namespace

const Command kCheckCommand = {
    "check",
    "check FILE [--from BYTE] [--separators]",
    "check the ruby notation of a file; stops at the first malformed group",
    "Without a fault a summary (lines, ruby groups) is printed and the status is 0; a\n"
    "fault is reported with its line number and the status is 1, as is an empty file.\n"
    "FILE - reads standard input. BYTE counts the bytes of the text in Shift_JIS.\n",
    kOptions,
    1,
    1,
    RunCheck,
};

}  // namespace cli
