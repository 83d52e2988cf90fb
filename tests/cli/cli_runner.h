// Runs the command-line tool in-process with captured output, as the tests of cli/ need it.
#pragma once

#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run.h"

namespace cli {

struct CliRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// `args` without the program name. Nobody sits at the terminal unless `ask` says otherwise.
inline CliRun RunCli(
    std::vector<std::string> args,
    TerminalQuestion ask = [](std::string_view) -> std::optional<bool> { return std::nullopt; }) {
  args.insert(args.begin(), "mirukaze-cli");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::ostringstream out;
  std::ostringstream err;
  CliRun run;
  run.exit_code = Run(static_cast<int>(args.size()), argv.data(), out, err, std::move(ask));
  run.out = out.str();
  run.err = err.str();
  return run;
}

}  // namespace cli
