#include "cli/stderr_messenger.h"

#include <gtest/gtest.h>

#include <sstream>

namespace cli {
namespace {

using common::Answer;
using common::Buttons;
using common::Message;

std::optional<bool> Nobody(std::string_view) { return std::nullopt; }

TEST(StderrMessenger, MessageIsTitleInLenticularBracketsThenText) {
  std::ostringstream err;
  StderrMessenger messenger(err, AnswerMode::kAskTerminal, Nobody);
  messenger.Tell(Message{"ご注意!!", "一行目\n二行目\n"});
  EXPECT_EQ(err.str(), "【ご注意!!】 一行目\n二行目\n");
}

TEST(StderrMessenger, YesAnswersOkAndYes) {
  std::ostringstream err;
  StderrMessenger messenger(err, AnswerMode::kAlwaysYes, Nobody);
  EXPECT_EQ(messenger.Ask(Message{"注意！", "上書き?"}, Buttons::kOkCancel), Answer::kOk);
  EXPECT_EQ(messenger.Ask(Message{"ご確認！", "表示?"}, Buttons::kYesNo), Answer::kYes);
  EXPECT_EQ(messenger.Ask(Message{"t", "x"}, Buttons::kYesNoCancel), Answer::kYes);
  EXPECT_EQ(err.str(),
            "【注意！】 上書き?\n  → OK\n【ご確認！】 表示?\n  → Yes\n【t】 x\n  → Yes\n");
}

TEST(StderrMessenger, NoAnswersCancelAndNo) {
  std::ostringstream err;
  StderrMessenger messenger(err, AnswerMode::kAlwaysNo, Nobody);
  EXPECT_EQ(messenger.Ask(Message{"t", "x"}, Buttons::kOkCancel), Answer::kCancel);
  EXPECT_EQ(messenger.Ask(Message{"t", "x"}, Buttons::kYesNo), Answer::kNo);
  EXPECT_EQ(err.str(), "【t】 x\n  → Cancel\n【t】 x\n  → No\n");
}

TEST(StderrMessenger, RefusingASaveQuestionNeverMeansGoOnWithoutSaving) {
  std::ostringstream err;
  StderrMessenger messenger(err, AnswerMode::kAlwaysNo, Nobody);
  EXPECT_EQ(messenger.Ask(Message{"t", "x"}, Buttons::kYesNoCancel), Answer::kCancel);
}

TEST(StderrMessenger, WithoutATerminalTheAnswerIsTheCautiousOne) {
  std::ostringstream err;
  StderrMessenger messenger(err, AnswerMode::kAskTerminal, Nobody);
  EXPECT_EQ(messenger.Ask(Message{"t", "x"}, Buttons::kOkCancel), Answer::kCancel);
  EXPECT_EQ(messenger.Ask(Message{"t", "x"}, Buttons::kYesNo), Answer::kNo);
}

TEST(StderrMessenger, TerminalAnswerIsTaken) {
  std::ostringstream err;
  int asked = 0;
  StderrMessenger messenger(err, AnswerMode::kAskTerminal, [&](std::string_view prompt) {
    ++asked;
    EXPECT_EQ(prompt, "[y/n] ");
    return std::optional<bool>(true);
  });
  EXPECT_EQ(messenger.Ask(Message{"t", "x"}, Buttons::kOkCancel), Answer::kOk);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(err.str(), "【t】 x\n  → OK\n");
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
