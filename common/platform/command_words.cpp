// Splitting a configured command into the words of a program's argument list.
#include "common/platform/command_words.h"

#include <filesystem>

namespace common {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Inside double quotes a backslash escapes only these, as in the shell.
bool EscapableInDoubleQuotes(char c) { return c == '"' || c == '\\' || c == '$' || c == '`'; }

class WordSplitter {
 public:
  explicit WordSplitter(std::string_view command) : command_(command) {}

  std::optional<std::vector<std::string>> Split() {
    while (at_ < command_.size()) {
      char c = command_[at_++];
      bool ok = true;
      if (IsBlank(c)) {
        EndWord();
      } else if (c == '\'') {
        ok = SingleQuoted();
      } else if (c == '"') {
        ok = DoubleQuoted();
      } else if (c == '\\') {
        ok = Escaped();
      } else {
        Add(c);
      }
      if (!ok) return std::nullopt;
    }
    EndWord();
    return words_;
  }

 private:
  void Add(char c) {
    word_ += c;
    in_word_ = true;
  }
  void EndWord() {
    if (in_word_) words_.push_back(std::move(word_));
    word_.clear();
    in_word_ = false;
  }
  bool SingleQuoted() {
    in_word_ = true;  // '' is an empty word of its own
    std::size_t end = command_.find('\'', at_);
    if (end == std::string_view::npos) return false;
    word_ += command_.substr(at_, end - at_);
    at_ = end + 1;
    return true;
  }
  bool DoubleQuoted() {
    in_word_ = true;
    while (at_ < command_.size()) {
      char c = command_[at_++];
      if (c == '"') return true;
      if (c == '\\' && at_ < command_.size() && EscapableInDoubleQuotes(command_[at_])) {
        c = command_[at_++];
      }
      word_ += c;
    }
    return false;
  }
  bool Escaped() {
    if (at_ == command_.size()) return false;
    Add(command_[at_++]);
    return true;
  }

  std::string_view command_;
  std::size_t at_ = 0;
  std::vector<std::string> words_;
  std::string word_;
  bool in_word_ = false;
};

}  // namespace

std::optional<std::vector<std::string>> SplitCommandWords(std::string_view command) {
  return WordSplitter(command).Split();
}

std::optional<std::vector<std::string>> WordSplittingStarter::Words(
    const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<std::string> all;
  std::error_code error;
  if (std::filesystem::is_regular_file(program, error)) {
    all.push_back(program);
  } else {
    std::optional<std::vector<std::string>> words = SplitCommandWords(program);
    if (!words || words->empty()) return std::nullopt;
    all = std::move(*words);
  }
  all.insert(all.end(), arguments.begin(), arguments.end());
  return all;
}

bool WordSplittingStarter::Start(const std::string& program,
                                 const std::vector<std::string>& arguments) {
  std::optional<std::vector<std::string>> words = Words(program, arguments);
  if (!words) return false;
  return starter_.Start(words->front(), {words->begin() + 1, words->end()});
}

void WordSplittingStarter::StartThen(const std::string& program,
                                     const std::vector<std::string>& arguments,
                                     std::function<void(bool started)> started) {
  std::optional<std::vector<std::string>> words = Words(program, arguments);
  if (!words) return started(false);
  starter_.StartThen(words->front(), {words->begin() + 1, words->end()}, std::move(started));
}

}  // namespace common
