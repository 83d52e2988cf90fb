// What every command of the tool declares (name, usage, options) and what it is handed when
// it runs. Each command lives in its own file under cli/commands/.
#pragma once

#include <cstddef>
#include <limits>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "cli/options.h"
#include "common/messenger.h"
#include "common/program_dir.h"
#include "common/settings.h"
#include "common/working_files.h"

namespace cli {

enum class Outcome {
  kSuccess,
  kFailed,      // the command failed or was refused; a message said why
  kUsageError,  // the arguments were wrong; nothing was done
};

struct CommandResult {
  Outcome outcome = Outcome::kSuccess;
  std::string usage_error;  // UTF-8, with kUsageError

  static CommandResult Success() { return {}; }
  static CommandResult Failure() { return {Outcome::kFailed, {}}; }
  static CommandResult UsageError(std::string text) {
    return {Outcome::kUsageError, std::move(text)};
  }
};

// The exit status of the process: 0 success, 1 failed or refused, 2 usage error.
int ExitCodeOf(Outcome outcome);

struct CommandEnv {
  const ParsedArgs& args;
  std::ostream& out;
  common::Messenger& messenger;
  const common::ProgramDir& program;
  const common::WorkDir& work;
  const common::Settings& settings;
};

inline constexpr std::size_t kAnyNumber = std::numeric_limits<std::size_t>::max();

struct Command {
  std::string_view name;
  std::string_view usage;    // after the program name: "ruby [OPTIONS] FILE..."
  std::string_view summary;  // one line for the command list
  std::string_view details;  // what --help adds below the usage line
  std::span<const OptionSpec> options;
  std::size_t min_operands = 0;
  std::size_t max_operands = kAnyNumber;
  CommandResult (*run)(const CommandEnv& env) = nullptr;
};

// The commands, one per file under cli/commands/.
extern const Command kRubyCommand;
extern const Command kBuildDicCommand;
extern const Command kRestoreDicCommand;
extern const Command kCheckCommand;
extern const Command kEscapeBracesCommand;
extern const Command kBuildGradeCommand;
extern const Command kBuildKankenCommand;
extern const Command kDicCommand;
extern const Command kHtmlCommand;
extern const Command kYmiCommand;
extern const Command kNnnCommand;
extern const Command kKanaCommand;
extern const Command kStripCommand;
extern const Command kFirstReadingCommand;
extern const Command kLearnCommand;
extern const Command kRepairCommand;
extern const Command kSortCommand;
extern const Command kDupcheckCommand;
extern const Command kMakeDefaultDicCommand;
extern const Command kExportCommand;

}  // namespace cli
