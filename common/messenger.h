// All user-facing output passes here, so a step behaves alike in the GUI, the CLI and tests.
#pragma once

#include <string>
#include <string_view>

namespace common {

enum class Icon { kNone, kInformation, kWarning, kError, kQuestion };
enum class Buttons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class Answer { kOk, kCancel, kYes, kNo };

// A message box: UTF-8 title and text; "\n" in the text is a line break.
struct Message {
  std::string title;
  std::string text;
  Icon icon = Icon::kNone;
};

class Messenger {
 public:
  virtual ~Messenger() = default;
  virtual void Tell(const Message& message) = 0;
  virtual Answer Ask(const Message& message, Buttons buttons) = 0;
  // The whole progress text of the status line, such as "CN->->".
  virtual void SetProgress(std::string_view text) = 0;
};

// The status-line progress text that the steps of a ruby pass extend.
class Progress {
 public:
  explicit Progress(Messenger& messenger) : messenger_(messenger) {}
  void Clear() {
    text_.clear();
    messenger_.SetProgress(text_);
  }
  void Append(std::string_view piece) {
    text_ += piece;
    messenger_.SetProgress(text_);
  }
  const std::string& Text() const { return text_; }

 private:
  Messenger& messenger_;
  std::string text_;
};

}  // namespace common
