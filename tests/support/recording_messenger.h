// A Messenger for tests: records every message and answers questions from a script.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"

namespace testing_support {

class RecordingMessenger : public common::Messenger {
 public:
  struct Record {
    std::string title;
    std::string text;
    bool asked = false;
    common::Buttons buttons = common::Buttons::kOk;
  };

  // Answers for the next questions, in order; when the script runs out, `default_answer`.
  void Script(std::initializer_list<common::Answer> answers) {
    answers_.insert(answers_.end(), answers);
  }
  common::Answer default_answer = common::Answer::kOk;
  // Called as each question is asked, to look at the program at that moment.
  std::function<void()> on_ask;

  void Tell(const common::Message& message) override {
    records.push_back({message.title, message.text, false, common::Buttons::kOk});
  }
  common::Answer Ask(const common::Message& message, common::Buttons buttons) override {
    records.push_back({message.title, message.text, true, buttons});
    if (on_ask) on_ask();
    if (answers_.empty()) return default_answer;
    common::Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  void SetProgress(std::string_view text) override {
    progress.emplace_back(text);
    if (on_progress) on_progress(text);
  }
  // Called with each progress text, as a window's status line would show it.
  std::function<void(std::string_view)> on_progress;

  std::vector<Record> records;
  std::vector<std::string> progress;

 private:
  std::deque<common::Answer> answers_;
};

// Whether exactly one message was shown, with this text (and this title, when one is given).
inline ::testing::AssertionResult ShowedOnly(const RecordingMessenger& messenger,
                                             std::string_view title, std::string_view text) {
  if (messenger.records.size() != 1) {
    return ::testing::AssertionFailure() << messenger.records.size() << " messages shown";
  }
  const RecordingMessenger::Record& shown = messenger.records[0];
  if (shown.text != text || (!title.empty() && shown.title != title)) {
    return ::testing::AssertionFailure() << "shown: 【" << shown.title << "】 " << shown.text;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace testing_support
