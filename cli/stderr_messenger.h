// The Messenger of the command-line tool: every message box goes to stderr as
// "【TITLE】 TEXT", and questions are answered by --yes / --no or on the terminal.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string_view>

#include "common/messenger.h"

namespace cli {

enum class AnswerMode {
  kAskTerminal,  // ask on the terminal; nobody there means the cautious answer
  kAlwaysYes,    // OK / Yes
  kAlwaysNo,     // Cancel / No
};

// Puts a yes/no question to the person at the terminal: true for yes, false for no, nullopt
// when nobody can answer (standard input is not a terminal, or it was closed).
using TerminalQuestion = std::function<std::optional<bool>(std::string_view prompt)>;

// Reads the answer from /dev/tty, and only when standard input is a terminal, so that a
// script or a pipeline never hangs on a question.
std::optional<bool> AskOnTerminal(std::string_view prompt);

class StderrMessenger : public common::Messenger {
 public:
  StderrMessenger(std::ostream& err, AnswerMode mode, TerminalQuestion ask = AskOnTerminal)
      : err_(err), mode_(mode), ask_(std::move(ask)) {}

  void Tell(const common::Message& message) override;
  // Shows the question, takes the answer and shows which answer was taken. "No" means the
  // cautious choice: Cancel for OK/Cancel and for Yes/No/Cancel, No for Yes/No.
  common::Answer Ask(const common::Message& message, common::Buttons buttons) override;
  // The GUI's status-line progress ("CN->->") means nothing in a log, so it is not shown.
  void SetProgress(std::string_view) override {}

 private:
  void Show(const common::Message& message);
  bool WantsYes();

  std::ostream& err_;
  AnswerMode mode_;
  TerminalQuestion ask_;
};

}  // namespace cli
