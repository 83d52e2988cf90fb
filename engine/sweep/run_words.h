// The words a dictionary run looks up: the length sections of its dictionaries, longest words
// first, and the lookup tables made from them. Loading a large dictionary and making its tables
// takes a good part of a run, so a command starts it on a thread of its own while its first
// steps prepare the text, and the run takes what is ready.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <vector>

#include "common/platform/background_task.h"
#include "common/messenger.h"
#include "dictionary/ruby_dictionary.h"

namespace engine {

struct MatchWords;

// Which words a run loads.
struct RunWordsKey {
  std::filesystem::path dictionary;
  // When set, its words of 2–10 characters come first.
  std::filesystem::path first_dictionary;
  int lowest_length = 1;

  friend bool operator==(const RunWordsKey&, const RunWordsKey&) = default;
};

struct RunWords {
  std::deque<dictionary::LengthSection> sections;  // where the passes find them
  std::shared_ptr<const MatchWords> tables;
};

// The words of `key`, or null after the loader's message (titled "Warning"). A load that
// `cancelled` stops also returns null, silently.
std::unique_ptr<RunWords> LoadRunWords(const RunWordsKey& key, common::Messenger& messenger,
                                       const std::atomic<bool>* cancelled = nullptr);

// Loads the words of a run ahead of it, without a word to the user. The run takes them only if
// they loaded whole and the dictionaries are still the files they were read from; otherwise it
// loads them itself, so its messages are those of a load in its own time.
class RunWordsAhead {
 public:
  explicit RunWordsAhead(RunWordsKey key);
  RunWordsAhead(const RunWordsAhead&) = delete;
  RunWordsAhead& operator=(const RunWordsAhead&) = delete;
  ~RunWordsAhead();

  // The words loaded for `key`, once; null when they are not to be used.
  std::unique_ptr<RunWords> Take(const RunWordsKey& key);

 private:
  // What tells a file from the same path rewritten since.
  struct Stamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};
    bool ok = false;
    friend bool operator==(const Stamp&, const Stamp&) = default;
  };
  static Stamp StampOf(const std::filesystem::path& path);
  std::vector<Stamp> Stamps() const;

  const RunWordsKey key_;
  const std::vector<Stamp> stamps_;  // of the files as the load began
  std::atomic<bool> cancelled_{false};
  std::unique_ptr<RunWords> words_;
  bool taken_ = false;
  common::BackgroundTask task_;  // last: it ends first, before what its job uses
};

}  // namespace engine
