#include "engine/sweep/run_words.h"

#include <system_error>
#include <utility>

#include "dictionary/ruby_dictionary_format.h"
#include "engine/sweep/match_table.h"

namespace engine {
namespace {

// Tells no one: a load ahead that fails is done again by the run, which tells the user.
class QuietMessenger final : public common::Messenger {
 public:
  void Tell(const common::Message&) override { told = true; }
  common::Answer Ask(const common::Message&, common::Buttons) override {
    told = true;
    return common::Answer::kCancel;
  }
  void SetProgress(std::string_view) override {}
  bool told = false;
};

// Appends the sections of one dictionary, longest words first, and their passes; false after
// the loader's message or once cancelled.
bool LoadSections(const std::filesystem::path& path, int lowest, RunWords& words,
                  std::vector<PassWords>& passes, common::Messenger& messenger,
                  const std::atomic<bool>* cancelled) {
  dictionary::RubyDictionary dictionary;
  if (!dictionary.Open(path, messenger)) return false;
  for (int length = dictionary::kMaxWordLength; length >= lowest; --length) {
    if (cancelled && cancelled->load(std::memory_order_relaxed)) return false;
    dictionary::LengthSection& section = words.sections.emplace_back();
    if (!dictionary.LoadLength(length, section, messenger)) return false;
    passes.push_back({length, &section});
  }
  return true;
}

}  // namespace

std::unique_ptr<RunWords> LoadRunWords(const RunWordsKey& key, common::Messenger& messenger,
                                       const std::atomic<bool>* cancelled) {
  auto words = std::make_unique<RunWords>();
  std::vector<PassWords> passes;
  if ((!key.first_dictionary.empty() &&
       !LoadSections(key.first_dictionary, 2, *words, passes, messenger, cancelled)) ||
      !LoadSections(key.dictionary, key.lowest_length, *words, passes, messenger, cancelled)) {
    return nullptr;
  }
  if (cancelled && cancelled->load(std::memory_order_relaxed)) return nullptr;
  words->tables = std::make_shared<const MatchWords>(passes);
  return words;
}

RunWordsAhead::RunWordsAhead(RunWordsKey key) : key_(std::move(key)), stamps_(Stamps()) {
  task_.Start([this] {
    QuietMessenger quiet;
    std::unique_ptr<RunWords> words = LoadRunWords(key_, quiet, &cancelled_);
    if (!quiet.told) words_ = std::move(words);
  });
}

RunWordsAhead::~RunWordsAhead() { cancelled_ = true; }

std::unique_ptr<RunWords> RunWordsAhead::Take(const RunWordsKey& key) {
  try {
    task_.Wait();
  } catch (...) {
    return nullptr;  // the run's own load meets the same trouble and reports it
  }
  if (taken_ || key != key_ || Stamps() != stamps_) return nullptr;
  taken_ = true;
  return std::move(words_);
}

RunWordsAhead::Stamp RunWordsAhead::StampOf(const std::filesystem::path& path) {
  Stamp stamp;
  std::error_code error;
  stamp.size = std::filesystem::file_size(path, error);
  if (error) return {};
  stamp.time = std::filesystem::last_write_time(path, error);
  if (error) return {};
  stamp.ok = true;
  return stamp;
}

std::vector<RunWordsAhead::Stamp> RunWordsAhead::Stamps() const {
  return {StampOf(key_.dictionary), StampOf(key_.first_dictionary)};
}

}  // namespace engine
