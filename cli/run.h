// The whole command-line tool behind main(): parses the arguments, prepares the program
// folder, settings and working folder, and runs one command.
#pragma once

#include <cstddef>
#include <ostream>

#include "cli/stderr_messenger.h"

namespace cli {

// What main() did to the process's memory before the command ran; --version tells it.
struct ProcessMemory {
  bool set_up = false;              // freed blocks are kept for the next ones
  std::size_t heap_stretch = 0;     // the bytes the heap grew by at once; 0 when it did not
  std::size_t huge_page_bytes = 0;  // the bytes of that stretch marked for huge pages
};

// Returns the exit status. Normal output goes to `out`, every message and usage error to `err`.
int Run(int argc, char** argv, std::ostream& out, std::ostream& err);

// The same, with the terminal question supplied by the caller (tests).
int Run(int argc, char** argv, std::ostream& out, std::ostream& err, TerminalQuestion ask);

// The same, for main(), which set up the process's memory as `memory` says.
int Run(int argc, char** argv, std::ostream& out, std::ostream& err, const ProcessMemory& memory);

}  // namespace cli
