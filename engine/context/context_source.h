// Where a ruby command gets its context reading from: the analyser, opened once for the
// process, and the main dictionary held whole, read again only when its file changes. Says
// once, in words a user understands, why the dictionaries alone read a text when the analyser
// cannot be had.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "common/messenger.h"
#include "engine/context/context_stage.h"

namespace engine::context {

class ContextSource {
 public:
  explicit ContextSource(std::filesystem::path unidic = kDefaultUnidic);

  // The resources for a run with `main_dictionary`, or nullopt when the analyser cannot be
  // had (told once) or the dictionary cannot be read (the loader's message).
  std::optional<ContextResources> Resources(const std::filesystem::path& main_dictionary,
                                            common::Messenger& messenger);

  // Opens the analyser if it is not open yet. False when it cannot be had; `WhyNot` says why.
  bool OpenAnalyser();
  // What reads in context ("MeCab 0.996 + UniDic (…)"), or why nothing does.
  std::string Description();
  const std::string& WhyNot() const { return why_not_; }

 private:
  std::mutex mutex_;
  std::filesystem::path unidic_;
  bool tried_ = false;
  bool told_ = false;
  std::string why_not_;
  std::shared_ptr<Analyser> analyser_;
  std::filesystem::path lexicon_path_;
  std::filesystem::file_time_type lexicon_time_{};
  std::uintmax_t lexicon_size_ = 0;
  std::shared_ptr<const Lexicon> lexicon_;
};

// The source every ruby command of this process shares, so that the analyser and the main
// dictionary are read once.
std::shared_ptr<ContextSource> ProcessContextSource();

}  // namespace engine::context
