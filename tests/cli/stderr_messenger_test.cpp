// How messages and questions reach stderr, and which answer each question gets.
#include "cli/stderr_messenger.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

namespace cli {
namespace {

using common::Answer;
using common::Buttons;
using common::Message;

std::optional<bool> Nobody(std::string_view) { return std::nullopt; }

TEST(StderrMessenger, TitleInLenticularBracketsThenTextThenTheAnswerTaken) {
  std::ostringstream err;
  StderrMessenger messenger(err, AnswerMode::kAlwaysNo, Nobody);
  messenger.Tell(Message{"ご注意!!", "一行目\n二行目\n"});
  EXPECT_EQ(messenger.Ask(Message{"注意！", "上書き?"}, Buttons::kOkCancel), Answer::kCancel);
  EXPECT_EQ(err.str(), "【ご注意!!】 一行目\n二行目\n【注意！】 上書き?\n  → Cancel\n");
}

// --yes and --no outrank the terminal. Refusing is the cautious answer: for a save question
// that is Cancel, never "go on without saving"; nobody at the terminal refuses.
TEST(StderrMessenger, EachWayOfAnsweringGivesItsAnswer) {
  struct Case {
    AnswerMode mode;
    std::optional<bool> at_terminal;
    Buttons buttons;
    Answer answer;
  };
  const Case cases[] = {
      {AnswerMode::kAlwaysYes, false, Buttons::kYesNoCancel, Answer::kYes},
      {AnswerMode::kAlwaysNo, true, Buttons::kYesNo, Answer::kNo},
      {AnswerMode::kAlwaysNo, true, Buttons::kYesNoCancel, Answer::kCancel},
      {AnswerMode::kAskTerminal, std::nullopt, Buttons::kOkCancel, Answer::kCancel},
      {AnswerMode::kAskTerminal, true, Buttons::kOkCancel, Answer::kOk},
      {AnswerMode::kAskTerminal, false, Buttons::kYesNoCancel, Answer::kCancel},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    std::ostringstream err;
    const Case& c = cases[i];
    StderrMessenger messenger(err, c.mode, [&c](std::string_view) { return c.at_terminal; });
    EXPECT_EQ(messenger.Ask(Message{"t", "x"}, c.buttons), c.answer) << "case " << i;
  }
}

TEST(StderrMessenger, QuestionWithOnlyOkIsNotPutToTheTerminal) {
  std::ostringstream err;
  int asked = 0;
  StderrMessenger messenger(err, AnswerMode::kAskTerminal, [&](std::string_view) {
    ++asked;
    return std::optional<bool>(false);
  });
  EXPECT_EQ(messenger.Ask(Message{"t", "x"}, Buttons::kOk), Answer::kOk);
  EXPECT_EQ(asked, 0);
}

}  // namespace
}  // namespace cli
