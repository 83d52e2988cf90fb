// The command line of the desktop program: mirukaze [--home DIR] [FILE], or --version.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace app {

struct StartOptions {
  std::optional<std::filesystem::path> home;  // the program folder; default: the executable's
  std::optional<std::filesystem::path> file;  // opened in the main text window at start
  bool help = false;
  bool version = false;
};

struct ParsedCommandLine {
  std::optional<StartOptions> options;
  std::string error;  // set when options is empty
};

// `arguments` without the program name, after Qt has taken its own options out.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();

}  // namespace app
