// Message boxes on stderr and answers from the options or the terminal.
#include "cli/stderr_messenger.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/messages.h"
#include "common/message_format.h"

namespace cli {
namespace {

using common::Answer;
using common::Buttons;

std::string_view NameOf(Answer answer) {
  switch (answer) {
    case Answer::kOk:
      return messages::kAnswerOk;
    case Answer::kCancel:
      return messages::kAnswerCancel;
    case Answer::kYes:
      return messages::kAnswerYes;
    case Answer::kNo:
      return messages::kAnswerNo;
  }
  return messages::kAnswerCancel;
}

Answer AnswerFor(Buttons buttons, bool yes) {
  switch (buttons) {
    case Buttons::kOk:
      return Answer::kOk;
    case Buttons::kOkCancel:
      return yes ? Answer::kOk : Answer::kCancel;
    case Buttons::kYesNo:
      return yes ? Answer::kYes : Answer::kNo;
    case Buttons::kYesNoCancel:
      // "No" there would mean "go on without saving"; refusing must never lose anything.
      return yes ? Answer::kYes : Answer::kCancel;
  }
  return Answer::kCancel;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  std::size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : text.substr(start);
}

}  // namespace

std::optional<bool> AskOnTerminal(std::string_view prompt) {
  if (!::isatty(STDIN_FILENO)) return std::nullopt;
  std::FILE* tty = std::fopen("/dev/tty", "r+");
  if (!tty) return std::nullopt;
  std::optional<bool> answer;
  char line[64];
  while (!answer) {
    std::fputs(std::string(prompt).c_str(), tty);
    std::fflush(tty);
    if (!std::fgets(line, sizeof line, tty)) break;
    std::string reply = Trimmed(line);
    if (reply == "y" || reply == "Y" || reply == "yes") answer = true;
    if (reply == "n" || reply == "N" || reply == "no") answer = false;
  }
  std::fclose(tty);
  return answer;
}

void StderrMessenger::Tell(const common::Message& message) {
  Show(message);
  err_.flush();
}

common::Answer StderrMessenger::Ask(const common::Message& message, common::Buttons buttons) {
  Show(message);
  err_.flush();
  Answer answer = buttons == Buttons::kOk ? Answer::kOk : AnswerFor(buttons, WantsYes());
  err_ << common::FormatMessage(messages::kAnswerTaken, {NameOf(answer)}) << '\n';
  err_.flush();
  return answer;
}

void StderrMessenger::Show(const common::Message& message) {
  std::string text = message.text;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  err_ << "【" << message.title << "】 " << text << '\n';
}

bool StderrMessenger::WantsYes() {
  switch (mode_) {
    case AnswerMode::kAlwaysYes:
      return true;
    case AnswerMode::kAlwaysNo:
      return false;
    case AnswerMode::kAskTerminal:
      return ask_(messages::kTerminalPrompt).value_or(false);
  }
  return false;
}

}  // namespace cli
