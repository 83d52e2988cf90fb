// The whole command-line tool behind main(): parses the arguments, prepares the program
// folder, settings and working folder, and runs one command.
#pragma once

#include <ostream>

#include "cli/stderr_messenger.h"

namespace cli {

// Returns the exit status. Normal output goes to `out`, every message and usage error to `err`.
int Run(int argc, char** argv, std::ostream& out, std::ostream& err);

// The same, with the terminal question supplied by the caller (tests).
int Run(int argc, char** argv, std::ostream& out, std::ostream& err, TerminalQuestion ask);

}  // namespace cli
