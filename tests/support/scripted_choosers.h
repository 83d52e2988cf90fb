// Choosers for tests: answer from queues filled beforehand and record what was asked.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "common/view/choosers.h"

namespace testing_support {

class ScriptedChoosers final : public common::view::Choosers {
 public:
  // One question to a chooser, as it was asked.
  struct Asked {
    enum class Kind { kOpen, kSave, kFont, kColour, kPrinter } kind;
    QString title;
    QString dir;
    QString filter;
  };

  // Answers in order; nullopt answers as Cancel. An empty queue answers Cancel too.
  std::deque<std::optional<QString>> open_answers;
  std::deque<std::optional<QString>> save_answers;
  std::deque<std::optional<QFont>> font_answers;
  std::deque<std::optional<QColor>> colour_answers;
  // Each sets up the printer as the print dialog would (a PDF file, say); none answers Cancel.
  std::deque<std::function<void(QPrinter&)>> printer_answers;
  std::vector<Asked> asked;

  std::optional<QString> OpenFileName(QWidget*, const QString& title, const QString& dir,
                                      const QString& filter) override {
    asked.push_back({Asked::Kind::kOpen, title, dir, filter});
    return Next(open_answers);
  }
  std::optional<QString> SaveFileName(QWidget*, const QString& title, const QString& dir,
                                      const QString& filter) override {
    asked.push_back({Asked::Kind::kSave, title, dir, filter});
    return Next(save_answers);
  }
  std::optional<QFont> ChooseFont(QWidget*, const QFont&) override {
    asked.push_back({Asked::Kind::kFont, {}, {}, {}});
    return Next(font_answers);
  }
  std::optional<QColor> ChooseColour(QWidget*, const QColor&) override {
    asked.push_back({Asked::Kind::kColour, {}, {}, {}});
    return Next(colour_answers);
  }
  bool SetUpPrinter(QWidget*, QPrinter& printer) override {
    asked.push_back({Asked::Kind::kPrinter, {}, {}, {}});
    if (printer_answers.empty()) return false;
    std::function<void(QPrinter&)> answer = std::move(printer_answers.front());
    printer_answers.pop_front();
    answer(printer);
    return true;
  }

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
    std::optional<T> answer;
    if (!answers.empty()) {
      answer.swap(answers.front());
      answers.pop_front();
    }
    return answer;
  }
};

}  // namespace testing_support
