// Reading the desktop program's command line.
#include "app/command_line.h"

#include <string_view>

namespace app {

namespace {

constexpr std::string_view kHome = "--home";
constexpr std::string_view kHomeIs = "--home=";
constexpr std::string_view kEndOfOptions = "--";

ParsedCommandLine Failure(std::string error) { return {std::nullopt, std::move(error)}; }

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  StartOptions options;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    bool is_option = !options_ended && argument.size() > 1 && argument[0] == '-';
    if (!is_option) {
      if (options.file) return Failure("more than one file given: " + argument);
      options.file = argument;
    } else if (argument == kEndOfOptions) {
      options_ended = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == kHome) {
      if (i + 1 == arguments.size()) return Failure("--home needs a folder");
      options.home = arguments[++i];
    } else if (argument.starts_with(kHomeIs)) {
      options.home = argument.substr(kHomeIs.size());
    } else {
      return Failure("unknown option: " + argument);
    }
  }
  return {options, {}};
}

std::string UsageText() {
  return "Usage: mirukaze [--home DIR] [FILE]\n"
         "       mirukaze --version\n"
         "  --home DIR  the program folder, holding qelvoVR11.ini and dic/\n"
         "              (default: the folder of this program)\n"
         "  FILE        a text to open in the main text window\n";
}

}  // namespace app
