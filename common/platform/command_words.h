// Programs the user configures (the browser) are stored as a command: a program and perhaps
// options of its own. They are split into words as a shell would split them, but no shell runs,
// so the file handed to the program stays one argument whatever it holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/program_starter.h"

namespace common {

// Blanks separate words; '...' keeps everything literally; "..." keeps all but \" \\ \$ \`;
// a backslash outside quotes keeps the next character. Nothing is expanded. nullopt when a
// quote is left open or a backslash ends the text.
std::optional<std::vector<std::string>> SplitCommandWords(std::string_view command);

// Starts `program` split into its words, the given arguments after them. A command that names an
// existing file as a whole is that program alone, so a path picked in a file dialog works even
// when it holds blanks.
class WordSplittingStarter final : public ProgramStarter {
 public:
  explicit WordSplittingStarter(ProgramStarter& starter) : starter_(starter) {}
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
  void StartThen(const std::string& program, const std::vector<std::string>& arguments,
                 std::function<void(bool started)> started) override;

 private:
  // The program and its arguments as the starter is given them; nullopt when `program` does
  // not split into words.
  static std::optional<std::vector<std::string>> Words(const std::string& program,
                                                       const std::vector<std::string>& arguments);

  ProgramStarter& starter_;
};

}  // namespace common
